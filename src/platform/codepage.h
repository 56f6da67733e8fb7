#pragma once
// The system's ANSI code page, in which senders of the older hand-off payload (WM_COPYDATA with dwData 0) give their
// command line. Stored files never use it: see platform/text_codec.h.
#include <string>
#include <string_view>

namespace velvane::platform {

std::wstring FromAnsi(std::string_view bytes);

}  // namespace velvane::platform
