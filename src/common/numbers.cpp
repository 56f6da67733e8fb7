#include "common/numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <limits>

#include "common/errors.h"

namespace velvane {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

template <typename T>
T ToWhole(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max())))
    throw RuntimeError(ErrorNumber::Overflow, "Overflow");
  return static_cast<T>(r);
}

}  // namespace

// Leading blanks and tabs are skipped; then an optional sign, digits, an optional fraction and an optional exponent.
// Whatever follows is ignored ("1abc" is 1, "abc" is 0).
double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\n' || text[i] == L'\r')) ++i;
  std::string digits;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) digits += static_cast<char>(text[i++]);
  size_t mantissa = 0;
  while (i < text.size() && IsDigit(text[i])) { digits += static_cast<char>(text[i++]); ++mantissa; }
  if (i < text.size() && text[i] == L'.') {
    digits += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) { digits += static_cast<char>(text[i++]); ++mantissa; }
  }
  if (mantissa == 0) return 0.0;
  if (i + 1 < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (text[j] == L'+' || text[j] == L'-') exponent += static_cast<char>(text[j++]);
    size_t expDigits = 0;
    while (j < text.size() && IsDigit(text[j]) && expDigits < 4) { exponent += static_cast<char>(text[j++]); ++expDigits; }
    if (expDigits > 0) {
      // An exponent that overflows the number is not read.
      const double scaled = std::strtod((digits + exponent).c_str(), nullptr);
      if (std::isfinite(scaled)) return scaled;
    }
  }
  return std::strtod(digits.c_str(), nullptr);
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1.0;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::uint8_t> ByteOf(std::wstring_view text) {
  const double r = RoundHalfEven(LeadingNumber(text));
  if (!(r >= 0 && r <= 255)) return std::nullopt;
  return static_cast<std::uint8_t>(r);
}

std::uint8_t ToByte(double value) { return ToWhole<std::uint8_t>(value); }
std::int16_t ToInt16(double value) { return ToWhole<std::int16_t>(value); }
std::int32_t ToInt32(double value) { return ToWhole<std::int32_t>(value); }

}  // namespace velvane
