#include "common/skin.h"

#include "common/profile_files.h"

namespace velvane {

void SkinColors::Read(const std::wstring& skinFolder, std::vector<SettingProblem>& problems) {
  const std::wstring file = skinFolder + L"\\skin.txt";
  const auto color = [&](const std::wstring& section, Color& into) {
    for (const auto& [key, part] : {std::pair{L"Red", &into.r}, std::pair{L"Green", &into.g}, std::pair{L"Blue", &into.b}})
      TakeByte(ReadSetting(file, section, key), *part, L"skin.txt [" + section + L"] " + key, problems);
  };
  for (int i = 0; i <= 2; ++i) color(L"TEXT" + ToText(i), TextColors[static_cast<size_t>(i)]);
  for (int i = 0; i <= 1; ++i) color(L"BOXBACK" + ToText(i), BoxColors[static_cast<size_t>(i)]);
  color(L"BACKGROUND", BackColor);
}

}  // namespace velvane
