#include "platform/forms/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/forms/runtime_error.h"

namespace {

int errorNumberOf(const auto& action) {
  try {
    action();
  } catch (const forms::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

constexpr int kOverflow = 6;
constexpr int kFloatingPointFault = 16;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int32_t rounded;
  } cases[] = {{0.5, 0},     {1.5, 2},     {2.5, 2},     {-0.5, 0},     {-1.5, -2}, {-2.5, -2},
               {270.5, 270}, {270.8, 271}, {271.5, 272}, {240.49, 240}, {-3.51, -4}};
  for (const auto& c : cases) EXPECT_EQ(forms::roundToInt32(c.value), c.rounded) << c.value;
}

TEST(Rounding, OutOfRangeOrNotANumberRaises) {
  EXPECT_EQ(forms::roundToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(errorNumberOf([] { forms::roundToInt32(2147483647.6); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::roundToInt32(-2147483648.6); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::roundToInt32(std::nan("")); }), kFloatingPointFault);
}

TEST(RangeTests, NarrowingSumsDifferencesAndProducts) {
  EXPECT_EQ(forms::toInt16(32767), 32767);
  EXPECT_EQ(forms::toInt16(-32768), -32768);
  EXPECT_EQ(errorNumberOf([] { forms::toInt16(32768); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::toInt16(-32769); }), kOverflow);
  EXPECT_EQ(forms::add16(32766, 1), 32767);
  EXPECT_EQ(errorNumberOf([] { forms::add16(32767, 1); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::sub16(-32768, 1); }), kOverflow);
  EXPECT_EQ(forms::sub16(300, 100), 200);
  EXPECT_EQ(forms::mul32(46340, 46340), 2147395600);
  EXPECT_EQ(errorNumberOf([] { forms::mul32(46341, 46341); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::add32(std::numeric_limits<std::int32_t>::max(), 1); }),
            kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::toInt32(std::int64_t{1} << 31); }), kOverflow);
}

TEST(RangeTests, SinglesRefuseWhatDoesNotFit) {
  EXPECT_FLOAT_EQ(forms::toSingle(3105.0), 3105.0F);
  EXPECT_EQ(errorNumberOf([] { forms::toSingle(1e39); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { forms::toSingle(std::nan("")); }), kFloatingPointFault);
}

TEST(SingleToText, ZoomReadOutsOverTheWholeLensBar) {
  for (int value = 1; value <= 40; ++value) {
    const std::string text = forms::singleToText(static_cast<float>(value) / 10.0F);
    const std::string expected =
        value % 10 == 0 ? std::to_string(value / 10)
                        : std::to_string(value / 10) + "." + std::to_string(value % 10);
    EXPECT_EQ(text, expected) << value;
  }
}

// The user's separator, whatever the C library's locale says: the same on every platform.
TEST(SingleToText, WritesTheUsersDecimalSeparator) {
  const struct {
    const char* locale;
    const char* separator;
    float value;
    const char* text;
  } table[] = {
      {"de_DE", ",", 0.1F, "0,1"},           {"de_DE", ",", 4.0F, "4"},
      {"fr_FR", ",", 123456.7F, "123456,7"}, {"ja_JP", ".", 3.5F, "3.5"},
      {"ar_EG", "٫", 0.3F, "0٫3"},           {"de_DE", ",", 12345678.0F, "12345678"},
      {"de_DE", ",", 0.00001F, "0,00001"},   {"de_DE", ",", 1.5e20F, "1,5E+20"},
  };
  for (const auto& row : table) {
    forms::setDecimalSeparator(row.separator);
    EXPECT_EQ(forms::singleToText(row.value), row.text) << row.locale;
  }
  forms::setDecimalSeparator(".");
}

TEST(SingleToText, StandardConversion) {
  EXPECT_EQ(forms::singleToText(0.0F), "0");
  EXPECT_EQ(forms::singleToText(-1.5F), "-1.5");
  EXPECT_EQ(forms::singleToText(1.0F / 3.0F), "0.3333333");
  EXPECT_EQ(forms::singleToText(123456.7F), "123456.7");
  EXPECT_EQ(forms::singleToText(1234567.0F), "1234567");
  EXPECT_EQ(forms::singleToText(35.1F), "35.1");
  EXPECT_EQ(forms::singleToText(0.00001F), "0.00001");
}

}  // namespace
