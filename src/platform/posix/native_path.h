#pragma once
// Velvane's paths are Windows paths; on a POSIX system the backslashes become slashes and names are UTF-8.
#include <string>

#include "platform/text_codec.h"

namespace velvane::platform {

inline std::string NativePath(const std::wstring& path) {
  std::string out = codec::ToUtf8(path);
  for (auto& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace velvane::platform
