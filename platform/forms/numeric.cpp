#include "platform/forms/numeric.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/forms/runtime_error.h"

namespace forms {
namespace {

template <typename Narrow>
Narrow narrow(std::int64_t value) {
  if (value < std::numeric_limits<Narrow>::min() || value > std::numeric_limits<Narrow>::max()) {
    throw RuntimeError::overflow();
  }
  return static_cast<Narrow>(value);
}

std::string& decimalSeparator() {
  static std::string separator = ".";
  return separator;
}

std::string written(float value, std::chars_format format, int precision) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), format, precision)
          .ptr;
  return {buffer, end};
}

}  // namespace

std::int16_t toInt16(std::int64_t value) { return narrow<std::int16_t>(value); }
std::int32_t toInt32(std::int64_t value) { return narrow<std::int32_t>(value); }

std::int16_t add16(std::int16_t a, std::int16_t b) { return toInt16(std::int64_t{a} + b); }
std::int16_t sub16(std::int16_t a, std::int16_t b) { return toInt16(std::int64_t{a} - b); }
std::int32_t add32(std::int32_t a, std::int32_t b) { return toInt32(std::int64_t{a} + b); }
std::int32_t mul32(std::int32_t a, std::int32_t b) { return toInt32(std::int64_t{a} * b); }

std::int32_t roundToInt32(double value) {
  if (std::isnan(value)) throw RuntimeError::floatingPointFault();
  const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    throw RuntimeError::overflow();
  }
  return static_cast<std::int32_t>(rounded);
}

float toSingle(double value) {
  if (std::isnan(value)) throw RuntimeError::floatingPointFault();
  if (std::fabs(value) > std::numeric_limits<float>::max()) throw RuntimeError::overflow();
  return static_cast<float>(value);
}

void setDecimalSeparator(std::string separator) { decimalSeparator() = std::move(separator); }

std::string singleToText(float value) {
  if (std::isnan(value)) throw RuntimeError::floatingPointFault();
  if (value == 0.0F) return "0";
  // Seven significant digits, then strip what the classic conversion never shows. Written in
  // the C locale's form whatever the process's locale, the separator put in at the end.
  const double magnitude = std::fabs(static_cast<double>(value));
  const bool scientific = magnitude >= 1e15 || magnitude < 1e-15;
  std::string text = scientific ? written(value, std::chars_format::scientific, 6)
                                : written(value, std::chars_format::general, 7);
  if (!scientific && text.find('e') != std::string::npos) {
    // %g chose an exponent for a mid-sized value; spell it out in fixed notation instead.
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    text = written(value, std::chars_format::fixed, exponent >= 6 ? 0 : 6 - exponent);
  }
  const auto exponentAt = text.find('e');
  std::string mantissa = text.substr(0, exponentAt);
  std::string exponentPart = exponentAt == std::string::npos ? "" : text.substr(exponentAt);
  if (!exponentPart.empty()) exponentPart[0] = 'E';
  if (const auto point = mantissa.find('.'); point != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    if (mantissa.size() > point) mantissa.replace(point, 1, decimalSeparator());
  }
  return mantissa + exponentPart;
}

}  // namespace forms
