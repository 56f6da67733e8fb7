#include "common/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/errors.h"

namespace velvane {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The leading number of a text as written: leading blanks and tabs are skipped; then an optional sign, digits, an
// optional fraction and an optional exponent. Whatever follows is ignored ("1abc" is 1, "abc" is none).
struct WrittenNumber {
  bool negative = false;
  std::string whole, fraction;  // the digits before and after the point
  int exponent = 0;             // 0 also when an exponent would overflow the number

  bool Found() const { return !whole.empty() || !fraction.empty(); }
  std::string Text(bool withExponent) const {
    return (negative ? "-" : "") + whole + "." + fraction + (withExponent ? "e" + std::to_string(exponent) : "");
  }
};

WrittenNumber ScanNumber(std::wstring_view text) {
  WrittenNumber n;
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\n' || text[i] == L'\r')) ++i;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) n.negative = text[i++] == L'-';
  while (i < text.size() && IsDigit(text[i])) n.whole += static_cast<char>(text[i++]);
  if (i < text.size() && text[i] == L'.')
    for (++i; i < text.size() && IsDigit(text[i]);) n.fraction += static_cast<char>(text[i++]);
  if (!n.Found() || i + 1 >= text.size() || (text[i] != L'e' && text[i] != L'E')) return n;
  size_t j = i + 1;
  const bool negativeExponent = text[j] == L'-';
  if (text[j] == L'+' || text[j] == L'-') ++j;
  int exponent = 0, expDigits = 0;
  for (; j < text.size() && IsDigit(text[j]) && expDigits < 4; ++j, ++expDigits)
    exponent = exponent * 10 + (text[j] - L'0');
  n.exponent = negativeExponent ? -exponent : exponent;
  // An exponent that overflows the number is not read.
  if (!std::isfinite(std::strtod(n.Text(true).c_str(), nullptr))) n.exponent = 0;
  return n;
}

bool AllZeros(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

}  // namespace

double LeadingNumber(std::wstring_view text) {
  const WrittenNumber n = ScanNumber(text);
  return n.Found() ? std::strtod(n.Text(true).c_str(), nullptr) : 0.0;
}

bool HoldsNumber(std::wstring_view text) { return ScanNumber(text).Found(); }

// Worked on the digits as written, so no value is too large or too long: a count never stops or wraps.
std::wstring NextNumberText(std::wstring_view text) {
  WrittenNumber n = ScanNumber(text);
  // The exponent moves the point.
  std::string digits = n.whole + n.fraction;
  long point = static_cast<long>(n.whole.size()) + n.exponent;
  if (point < 0) {
    digits.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  const auto split = static_cast<size_t>(point);
  if (split > digits.size()) digits.resize(split, '0');
  std::string whole = "0" + digits.substr(0, split), fraction = digits.substr(split);
  if (!n.negative) {  // whole + 1
    size_t at = whole.size() - 1;
    for (; whole[at] == '9'; --at) whole[at] = '0';
    ++whole[at];
  } else if (!AllZeros(whole)) {  // -(whole.fraction - 1)
    size_t at = whole.size() - 1;
    for (; whole[at] == '0'; --at) whole[at] = '9';
    --whole[at];
  } else if (!AllZeros(fraction)) {  // 1 - 0.fraction
    const size_t last = fraction.find_last_not_of('0');
    for (size_t at = 0; at < last; ++at) fraction[at] = static_cast<char>('9' - (fraction[at] - '0'));
    fraction[last] = static_cast<char>('0' + 10 - (fraction[last] - '0'));
    n.negative = false;
  } else {  // -0 + 1
    whole = "1";
    n.negative = false;
  }
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  fraction.erase(fraction.find_last_not_of('0') + 1);
  if (AllZeros(whole) && fraction.empty()) n.negative = false;
  const std::string result = (n.negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
  return std::wstring(result.begin(), result.end());
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

std::int32_t ToInt32(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
    throw RuntimeError(ErrorNumber::Overflow, "Overflow");
  return static_cast<std::int32_t>(r);
}

}  // namespace velvane
