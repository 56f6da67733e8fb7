#include "common/setting_keys.h"

#include "common/folders.h"
#include "common/numbers.h"
#include "common/profile_files.h"

namespace velvane {

std::wstring SettingKey::Text() const { return ReadSetting(ConfigFile(), section, key); }
bool SettingKey::Flag() const { return LeadingNumber(Text()) == 1.0; }
std::optional<std::uint8_t> SettingKey::Byte() const { return ByteOf(Text()); }
void SettingKey::Write(const std::wstring& value) const { WriteSetting(ConfigFile(), section, key, value); }

void TakeByte(const std::wstring& text, std::uint8_t& into, std::wstring where, std::vector<SettingProblem>& problems) {
  if (const auto value = ByteOf(text)) into = *value;
  else problems.push_back({std::move(where), text});
}

}  // namespace velvane
