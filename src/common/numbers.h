#pragma once
// Numbers kept as decimal text in Velvane's files. Reading takes the leading number of a text (an empty or
// non-numeric text is 0); converting to a whole-number type rounds halves to even and fails outside the type's range.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

double LeadingNumber(std::wstring_view text);
// Whether the text begins with a number (after blanks), so that LeadingNumber reads more than the empty 0.
bool HoldsNumber(std::wstring_view text);
// The leading number plus one as decimal text, exact however long the number is: "007" gives "8", "7.5x" "8.5",
// "1e3" "1001", text without a number "1".
std::wstring NextNumberText(std::wstring_view text);
double RoundHalfEven(double value);
// Throws RuntimeError(Overflow) when the rounded value does not fit.
std::int32_t ToInt32(double value);

// Window positions and the dialogs' layouts are written in twips, 1440 to an inch: 15 to a design pixel (96 dpi),
// 1440 / dpi to a pixel of a monitor at another scale.
constexpr int kTwipsPerPixel = 15;
constexpr double TwipsPerPixelAt(int dpi) { return 1440.0 / dpi; }

// A byte from a text: its leading number rounded half to even; nothing when that is outside 0 to 255.
std::optional<std::uint8_t> ByteOf(std::wstring_view text);

}  // namespace velvane
