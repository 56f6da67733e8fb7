#include "common/skin.h"

#include "common/text_files.h"
#include "platform/ini_profile.h"

namespace velvane {

void SkinColors::Read(const std::wstring& skinFolder, std::vector<SettingProblem>& problems) {
  // A missing or unreadable skin.txt leaves every colour black.
  const platform::ini::Document skin(ReadStoredText(skinFolder + L"\\skin.txt").value_or(L""));
  const auto color = [&](const std::wstring& section, Color& into) {
    for (const auto& [key, part] : {std::pair{L"Red", &into.r}, std::pair{L"Green", &into.g}, std::pair{L"Blue", &into.b}})
      TakeByte(skin.Read(section, key, platform::ini::kValueChars), *part, L"skin.txt [" + section + L"] " + key, problems);
  };
  for (int i = 0; i <= 2; ++i) color(L"TEXT" + ToText(i), TextColors[static_cast<size_t>(i)]);
  for (int i = 0; i <= 1; ++i) color(L"BOXBACK" + ToText(i), BoxColors[static_cast<size_t>(i)]);
  color(L"BACKGROUND", BackColor);
}

}  // namespace velvane
