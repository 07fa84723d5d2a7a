#pragma once

#include <cstddef>
#include <span>

// The window's three images, in their classic file formats, compiled into the program.
namespace resources {

// The camera icon: one 32×32 image, 16 colours with a transparency mask (.ico).
std::span<const std::byte> cameraIcon();
// The hand pointer: 32×32 monochrome with mask, hot spot (5, 0) (.cur).
std::span<const std::byte> handPointer();
// The about card: 351×241, 24 bits per pixel, uncompressed (.bmp).
std::span<const std::byte> aboutCard();

}  // namespace resources
