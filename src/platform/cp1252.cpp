#include "platform/cp1252.h"

namespace velvane::platform::cp1252 {
namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (they map to the same code point).
constexpr wchar_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char EncodeChar(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(static_cast<unsigned char>(c));
  for (int i = 0; i < 32; ++i) {
    const wchar_t mapped = kHigh[i] ? kHigh[i] : static_cast<wchar_t>(0x80 + i);
    if (mapped == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Encode(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    // A UTF-16 surrogate pair (Windows) is one character outside the code page: one '?'.
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    out += EncodeChar(c);
  }
  return out;
}

std::wstring Decode(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80]) out += kHigh[b - 0x80];
    else out += static_cast<wchar_t>(b);
  }
  return out;
}

}  // namespace velvane::platform::cp1252
