#pragma once
// A skin's colours, kept in skin.txt in the skin's folder: sections TEXT0 to TEXT2, BOXBACK0 and BOXBACK1 and
// BACKGROUND, each with the bytes Red, Green and Blue. The side bar's settings and its dialogs draw with them.
#include <array>
#include <string>
#include <vector>

#include "common/color.h"
#include "common/setting_keys.h"

namespace velvane {

struct SkinColors {
  std::array<Color, 3> TextColors{};  // 0 dialog labels, 1 side-bar titles and buttons, 2 launcher dialog titles
  std::array<Color, 2> BoxColors{};   // side-bar input boxes: 0 without focus, 1 with focus
  Color BackColor{};                  // dialog background

  // Reads skin.txt of the skin folder; a byte out of range keeps its last value and is listed.
  void Read(const std::wstring& skinFolder, std::vector<SettingProblem>& problems);
};

}  // namespace velvane
