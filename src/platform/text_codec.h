#pragma once
// The encodings of stored text. A file without a byte-order mark is Windows-1252 on every system, whatever its code
// page, so the shipped files and those of earlier versions read the same everywhere. A file whose text needs more
// starts with a mark and holds UTF-8 or UTF-16LE. Writing keeps the 1252 bytes whenever every character has its own
// byte there; no character is ever replaced by a look-alike.
#include <string>
#include <string_view>

namespace velvane::platform::codec {

// The form a file takes when its text does not fit Windows-1252.
enum class UnicodeForm { Utf8, Utf16Le };

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// UTF-16LE after its mark, UTF-8 after its mark, anything else Windows-1252.
std::wstring DecodeStored(std::string_view bytes);
// Windows-1252 when every character fits it exactly (and the bytes cannot be mistaken for a mark), otherwise the
// mark and the text in the given form.
std::string EncodeStored(std::wstring_view text, UnicodeForm form);

// Lossless both ways: a byte that is no part of a UTF-8 sequence reads as its Windows-1252 character, and an unpaired
// surrogate keeps its value.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);
// An odd last byte is ignored.
std::string ToUtf16Le(std::wstring_view text);
std::wstring FromUtf16Le(std::string_view bytes);

}  // namespace velvane::platform::codec
