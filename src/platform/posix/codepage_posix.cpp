#include "platform/codepage.h"
#include "platform/cp1252.h"

namespace velvane::platform {

std::string ToAnsi(std::wstring_view text) { return cp1252::Encode(text); }
std::wstring FromAnsi(std::string_view bytes) { return cp1252::Decode(bytes); }

}  // namespace velvane::platform
