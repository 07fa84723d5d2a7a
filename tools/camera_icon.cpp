#include "tools/artwork.h"

IconArt cameraIcon() {
  // The sixteen colours of the classic palette, two of them traded for skin tones.
  const Palette palette{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0xD08858,
                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                        0x0000FF, 0xF8C898, 0x00FFFF, 0xFFFFFF};
  // K black, W white, L light grey, D dark grey, R red, N navy, B blue, A aqua, S skin and
  // s its shadow; the camera looks left, the hand holds it from below.
  // clang-format off
  constexpr PixelArt kArt{
      "................................",
      "................................",
      "................KKKKKKKKKKKK....",
      "...............KWLLLLLLLLLDK....",
      "...............KLLLLLLLLLLDKKK..",
      "...............KDDDDDDDDDDDKDK..",
      "........KKKKKKKKKKKKKKKKKKKKKKK.",
      "........KWWWWWWWWWWWWWWWWWWWWDK.",
      ".KKKKKKKKLRRLLLLLLLLLLLLLLLLLDK.",
      "KDWWWWWWKLRRLLLLLLLLLLLLLLLLLDK.",
      "KNKLLLLLKLLLLLLLLLLLLLLLLLLLLDK.",
      "KBKLLLLLKLLLLLLLLLLLLLLLLLLLLDK.",
      "KAKLLLLLKLLLLLLLLLKKLKKLKKLLLDK.",
      "KBKLLLLLKLLLLLLLLKSSKSSKSSKLLDK.",
      "KBKDDDDDKLLLLLLLLKSSKSSKSSKLLDK.",
      "KNDDDDDDKLLLLLLLKKSSKSSKSSKLLDK.",
      ".KKKKKKKKDDDDDDKSKSSKSSKSSKDDDK.",
      "........KKKKKKKSSKSSsSSsSSKKKKK.",
      "..............KSSsSSSSSSSSK.....",
      "..............KSSSSSSSSSSSK.....",
      "...............KSSSSSSSSSsK.....",
      "...............KSSSSSSSSSsK.....",
      "................KSSSSSSSsK......",
      "................KSSSSSSSsK......",
      "................KNNNNNNNNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
      "................KBBBBBBBNK......",
  };
  // clang-format on
  const std::map<char, std::uint8_t> legend{{'K', 0}, {'N', 4},  {'s', 5},  {'L', 7},  {'D', 8},
                                            {'R', 9}, {'B', 12}, {'S', 13}, {'A', 14}, {'W', 15}};
  return {paint(kArt, legend), palette};
}
