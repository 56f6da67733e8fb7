#pragma once
// Velvane's paths are Windows paths; on a POSIX system the backslashes become slashes.
#include <string>

#include "platform/codepage.h"

namespace velvane::platform {

inline std::string NativePath(const std::wstring& path) {
  std::string out = ToAnsi(path);
  for (auto& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace velvane::platform
