#pragma once
// The side bar's settings model: the user's settings (config.qdt) and the active skin's colours (skin.txt), and the
// save point of everything the side bar keeps.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/skin.h"

namespace velvane {
struct Velvane;

// 1 fade, 2 keep the to-do list, 3 keep the notes, 4 keep the file shelf, 5 always on top. Entry 0 belongs to the
// settings dialog's autostart box (kept in the registry, never loaded from the file).
enum OptionIndex : int { kOptFade = 1, kOptKeepToDo = 2, kOptKeepNotes = 3, kOptKeepFiles = 4, kOptTopMost = 5 };

struct KeyPair {
  std::uint8_t key0 = 0, key1 = 0;
};

// The settings, with the colours of the skin they name.
struct Settings : SkinColors {
  std::array<bool, 6> OptChk{};
  std::array<std::wstring, 2> OptTxt{};  // 0 screenshot name prefix, 1 number of the next screenshot
  std::wstring ScreensDir;  // always ends with a backslash
  std::wstring DefaultDir;
  std::wstring SkinName;
  std::uint8_t ScreenshotType = 0;  // 0 whole screen, 1 foreground window
  std::array<KeyPair, 3> HotKeys{};  // pair 1 shows and hides the side bar, pair 2 takes a screenshot; 0 is unused

  std::wstring SkinFolder() const;  // SkinDir & SkinName
  // Every setting but the first-run flag, the language keys and the hot keys, then the skin colours; a byte out of
  // range keeps its last good value and is listed.
  std::vector<SettingProblem> Load();
  void LoadHotKeys();
  void SaveHotKeys() const;
};

// Load, then the side bar gets its screenshot icon and starting alpha.
std::vector<SettingProblem> ReloadSettings(Velvane& app);
// The save point: notes, to-do list and file shelf (as their keep options say) and the screenshot kind. Files that
// cannot be written are named in one message and their contents stay in memory; true when everything was written.
bool SaveAll(Velvane& app);
void SetScreenshotType(Velvane& app, std::uint8_t kind);

}  // namespace velvane
