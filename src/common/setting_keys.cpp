#include "common/setting_keys.h"

#include "common/numbers.h"

namespace velvane {

void TakeByte(const std::wstring& text, std::uint8_t& into, std::wstring where, std::vector<SettingProblem>& problems) {
  if (const auto value = ByteOf(text)) into = *value;
  else problems.push_back({std::move(where), text});
}

std::wstring Read(ProfileFile& file, const Setting<std::wstring>& setting) {
  return file.Get(setting.section, setting.key);
}

bool Read(ProfileFile& file, const Setting<bool>& setting) {
  return LeadingNumber(file.Get(setting.section, setting.key)) == 1.0;
}

double Read(ProfileFile& file, const Setting<double>& setting) {
  return LeadingNumber(file.Get(setting.section, setting.key));
}

void Read(ProfileFile& file, const Setting<std::uint8_t>& setting, std::uint8_t& into,
          std::vector<SettingProblem>& problems) {
  TakeByte(file.Get(setting.section, setting.key), into, setting.Where(), problems);
}

}  // namespace velvane
