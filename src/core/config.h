#pragma once
// The user's settings (config.qdt) and the active skin's colours (skin.txt), held in globals for the whole program.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/color.h"

namespace velvane {
class SideBarView;

// 1 fade, 2 keep the to-do list, 3 keep the notes, 4 keep the file shelf, 5 always on top. Entry 0 belongs to the
// settings dialog's autostart box (kept in the registry, never loaded from the file).
enum OptionIndex : int { kOptFade = 1, kOptKeepToDo = 2, kOptKeepNotes = 3, kOptKeepFiles = 4, kOptTopMost = 5 };

extern std::array<bool, 6> OptChk;
extern std::array<std::wstring, 2> OptTxt;  // 0 screenshot name prefix, 1 number of the next screenshot
extern std::wstring ScreensDir;  // always ends with a backslash
extern std::wstring DefaultDir;
extern std::wstring SkinName;
extern std::uint8_t ScreenshotType;  // 0 whole screen, 1 foreground window

struct KeyPair {
  std::uint8_t key0 = 0, key1 = 0;
};
// Pair 1 shows and hides the side bar, pair 2 takes a screenshot; pair 0 is never used.
extern std::array<KeyPair, 3> HotKeys;

extern std::array<Color, 3> TextColors;  // 0 dialog labels, 1 side-bar titles and buttons, 2 launcher dialog titles
extern std::array<Color, 2> BoxColors;   // side-bar input boxes: 0 without focus, 1 with focus
extern Color BackColor;                  // dialog background

std::wstring SkinFolder();  // SkinDir & SkinName

// A stored value that does not fit its setting: where it is ("[SS] Type", "skin.txt [TEXT1] Red") and its text.
struct SettingProblem {
  std::wstring where;
  std::wstring value;
};

// Every setting but the first-run flag, the language keys and the hot keys, then the skin colours; a byte out of range
// keeps its last good value and is listed. Reloading also gives the side bar its screenshot icon and starting alpha.
std::vector<SettingProblem> LoadConfig();
std::vector<SettingProblem> ReloadSettings(SideBarView& bar);
void LoadHotKeys();
void SaveHotKeys();
// The save point: notes, to-do list and file shelf (as their keep options say) and the screenshot kind. Files that
// cannot be written are named in one message and their contents stay in memory; true when everything was written.
bool SaveAll(SideBarView& bar);
void SetScreenshotType(SideBarView& bar, std::uint8_t kind);

}  // namespace velvane
