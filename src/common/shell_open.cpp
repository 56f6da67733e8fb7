#include "common/shell_open.h"

#include "platform/process.h"

namespace velvane {

std::intptr_t ShellOpen(const std::wstring& path, std::int32_t showMode) { return platform::ShellOpenPath(path, showMode); }

}  // namespace velvane
