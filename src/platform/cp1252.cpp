#include "platform/cp1252.h"

#include <cstdint>

namespace velvane::platform::cp1252 {
namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (they map to the same code point).
constexpr wchar_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of c, or -1 when the code page has none.
int EncodeChar(wchar_t c) {
  const auto code = static_cast<std::uint32_t>(c);
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (int i = 0; i < 32; ++i) {
    const std::uint32_t mapped = kHigh[i] ? static_cast<std::uint32_t>(kHigh[i]) : static_cast<std::uint32_t>(0x80 + i);
    if (mapped == code) return 0x80 + i;
  }
  return -1;
}

}  // namespace

std::optional<std::string> EncodeExact(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    const int byte = EncodeChar(c);
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(static_cast<unsigned char>(byte));
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
