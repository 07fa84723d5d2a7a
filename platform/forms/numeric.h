#pragma once

#include <cstdint>
#include <string>

// Range-tested arithmetic of the runtime. Every narrowing, sum, difference and product that
// can leave its type goes through here and throws RuntimeError::overflow() instead of wrapping.
namespace forms {

std::int16_t toInt16(std::int64_t value);
std::int32_t toInt32(std::int64_t value);

std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t mul32(std::int32_t a, std::int32_t b);

// Single (or double) to a whole number: nearest, halves to the even neighbour.
std::int32_t roundToInt32(double value);

// A double handed to a single-precision property: overflow when it does not fit,
// floating-point fault when it is not a number.
float toSingle(double value);

// The standard single → text conversion: at most seven significant digits, no trailing
// zeros, no separator for whole numbers, "0" before the separator below 1, no leading blank.
// The decimal separator is the user's (see setDecimalSeparator).
std::string singleToText(float value);

// The decimal separator of the user's locale, which the standard conversion writes: "." until
// the program's entry sets it at start, from the platform's setting ("," under a German locale).
void setDecimalSeparator(std::string separator);

}  // namespace forms
