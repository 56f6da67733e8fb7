#include <windows.h>

#include <vector>

#include "platform/profile.h"

namespace velvane::platform {

std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key, std::size_t maxChars) {
  if (maxChars == 0) return {};
  std::vector<char> buffer(maxChars, ' ');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), n);
}

bool ProfileWrite(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

}  // namespace velvane::platform
