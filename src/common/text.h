#pragma once
// Small text routines shared by both programs: cut texts at separators and drop characters from either end.
// Positions count from 1. TextBefore and TextAfter see a separator only when it starts within the first 255
// characters (they keep the position in a byte).
#include <string>
#include <string_view>

namespace velvane {

std::wstring TextBefore(std::wstring_view text, std::wstring_view separator);
std::wstring TextAfter(std::wstring_view text, std::wstring_view separator);
std::wstring DropLeft(std::wstring_view text, int n);

// Every occurrence of `what`, left to right, without rescanning the inserted text; case-sensitive.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with);
// Blanks (U+0020 only) removed at both ends.
std::wstring TrimBlanks(std::wstring_view text);
// Each line break (CR LF, CR or LF) replaced by one blank: for texts that must stay one line of a file.
std::wstring OneLine(std::wstring_view text);
// Case in every script, as the system maps it whatever the user's language (platform/text_case.h).
std::wstring ToLowerText(std::wstring_view text);
std::wstring ToUpperText(std::wstring_view text);
std::wstring ToText(long long number);

}  // namespace velvane
