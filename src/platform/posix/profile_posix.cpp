#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/ini_profile.h"
#include "platform/profile.h"

namespace velvane::platform {

std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key, std::size_t maxChars) {
  const auto content = ReadFileBytes(FromAnsi(file));
  return content ? ini::Read(*content, section, key, maxChars) : std::string();
}

bool ProfileWrite(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
  const std::wstring path = FromAnsi(file);
  const auto content = ReadFileBytes(path);
  return ReplaceFileContents(path, ini::Write(content.value_or(std::string()), section, key, value));
}

}  // namespace velvane::platform
