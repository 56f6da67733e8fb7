// The headless system's code page is Windows-1252.
#include "platform/codepage.h"
#include "platform/cp1252.h"

namespace velvane::platform {

std::wstring FromAnsi(std::string_view bytes) { return cp1252::Decode(bytes); }

}  // namespace velvane::platform
