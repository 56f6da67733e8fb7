#include "common/profile_files.h"

#include "platform/profile.h"

namespace velvane {

std::wstring ReadSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  try {
    return platform::ProfileRead(file, section, key, kSettingBufferChars);
  } catch (...) {
    return {};
  }
}

void WriteSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  try {
    platform::ProfileWrite(file, section, key, value);
  } catch (...) {
  }
}

}  // namespace velvane
