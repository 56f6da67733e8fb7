#include "platform/text_codec.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/cp1252.h"

namespace velvane::platform::codec {
namespace {

// Windows keeps wide text in UTF-16 units, POSIX in whole code points.
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHigh(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
std::uint32_t Joined(std::uint32_t high, std::uint32_t low) { return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00); }

// The code point at text[i], advancing i past it; a surrogate without its partner stands for itself, and a value
// beyond Unicode (only a 32-bit wide text can hold one) is no character: U+FFFD.
std::uint32_t NextCodePoint(std::wstring_view text, size_t& i) {
  if constexpr (kWideIsUtf16) {
    const auto unit = static_cast<std::uint32_t>(text[i++]) & 0xFFFFu;
    if (IsHigh(unit) && i < text.size() && IsLow(static_cast<std::uint32_t>(text[i]) & 0xFFFFu))
      return Joined(unit, static_cast<std::uint32_t>(text[i++]) & 0xFFFFu);
    return unit;
  } else {
    const auto code = static_cast<std::uint32_t>(text[i++]);
    return code > 0x10FFFF ? 0xFFFD : code;
  }
}

// The code point as UTF-16 units: a pair beyond U+FFFF.
template <typename Put>
void PutUtf16(std::uint32_t code, Put&& put) {
  if (code > 0xFFFF) {
    put(0xD800 + ((code - 0x10000) >> 10));
    put(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    put(code);
  }
}

void AppendCodePoint(std::wstring& out, std::uint32_t code) {
  if constexpr (kWideIsUtf16) PutUtf16(code, [&out](std::uint32_t unit) { out += static_cast<wchar_t>(unit); });
  else out += static_cast<wchar_t>(code);
}

// The code point of the UTF-8 sequence at bytes[i] (advancing i), or nothing when no well-formed sequence starts
// there. Encoded surrogates are accepted: ToUtf8 writes unpaired ones that way.
std::optional<std::uint32_t> NextUtf8(std::string_view bytes, size_t& i) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  int extra = 0;
  std::uint32_t code = 0, least = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07u, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<size_t>(extra) >= bytes.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < least || code > 0x10FFFF) return std::nullopt;
  i += static_cast<size_t>(extra) + 1;
  return code;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const std::uint32_t code = NextCodePoint(text, i);
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

std::wstring FromUtf8(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    if (const auto code = NextUtf8(bytes, i)) {
      AppendCodePoint(out, *code);
    } else {
      out += cp1252::Decode(bytes.substr(i, 1));
      ++i;
    }
  }
  return out;
}

std::string ToUtf16Le(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  const auto put = [&out](std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
  };
  for (size_t i = 0; i < text.size();) PutUtf16(NextCodePoint(text, i), put);
  return out;
}

std::wstring FromUtf16Le(std::string_view bytes) {
  const auto unitAt = [&bytes](size_t k) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k + 1])) << 8;
  };
  const size_t units = bytes.size() / 2;
  std::wstring out;
  out.reserve(units);
  for (size_t k = 0; k < units; ++k) {
    std::uint32_t unit = unitAt(k);
    // A POSIX wide text holds a pair as the one code point it stands for.
    if constexpr (!kWideIsUtf16) {
      if (IsHigh(unit) && k + 1 < units && IsLow(unitAt(k + 1))) unit = Joined(unit, unitAt(++k));
    }
    AppendCodePoint(out, unit);
  }
  return out;
}

std::wstring DecodeStored(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) return FromUtf16Le(bytes.substr(kUtf16LeMark.size()));
  if (bytes.starts_with(kUtf8Mark)) return FromUtf8(bytes.substr(kUtf8Mark.size()));
  return cp1252::Decode(bytes);
}

std::string EncodeStored(std::wstring_view text, UnicodeForm form) {
  // A 1252 text that begins like a mark ("ÿþ", "ï»¿") would read back as something else: it takes the marked form.
  auto bytes = cp1252::EncodeExact(text);
  if (bytes && !bytes->starts_with(kUtf16LeMark) && !bytes->starts_with(kUtf8Mark)) return std::move(*bytes);
  if (form == UnicodeForm::Utf16Le) return std::string(kUtf16LeMark) + ToUtf16Le(text);
  return std::string(kUtf8Mark) + ToUtf8(text);
}

}  // namespace velvane::platform::codec
