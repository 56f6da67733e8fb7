#pragma once
// Upper and lower case of text in every script, the same whatever the user's language or the system's: "š" and "Š",
// "œ" and "Œ", Greek and Cyrillic letters fold like the Latin ones. One character stays one character ("ß" keeps its
// case), so a prefix of a text keeps its length when folded.
#include <string>
#include <string_view>

namespace velvane::platform {

std::wstring UpperCase(std::wstring_view text);
std::wstring LowerCase(std::wstring_view text);

}  // namespace velvane::platform
