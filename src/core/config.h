#pragma once
// The side bar's settings model: the user's settings (config.qdt) and the active skin's colours (skin.txt), and the
// save point of everything the side bar keeps.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/data_store.h"
#include "common/skin.h"

namespace velvane {
struct Velvane;

// The options of OptChk, stored as "Chk" followed by their index plus 1. The settings dialog's autostart box is kept
// in the registry, not among them.
enum OptionIndex : int { kOptFade = 0, kOptKeepToDo = 1, kOptKeepNotes = 2, kOptKeepFiles = 3, kOptTopMost = 4 };
inline constexpr int kOptionCount = 5;

// The hot keys of HotKeys, stored in the sections "KEYS" followed by their index plus 1.
enum HotKeyIndex : int { kShowHotKey = 0, kScreenshotHotKey = 1 };

struct KeyPair {
  std::uint8_t key0 = 0, key1 = 0;
};

// The settings, with the colours of the skin they name.
struct Settings : SkinColors {
  explicit Settings(const Folders& folders) : folders_(folders) {}

  std::array<bool, kOptionCount> OptChk{};
  std::wstring ScreenshotPrefix;  // the start of every screenshot's file name
  std::wstring ScreenshotNumber;  // the number of the next screenshot, as stored ("007" stays "007")
  std::wstring ScreensDir;        // always ends with a backslash
  std::wstring DefaultDir;
  std::wstring SkinName;
  std::uint8_t ScreenshotType = 0;  // 0 whole screen, 1 foreground window
  std::array<KeyPair, 2> HotKeys{};

  std::wstring SkinFolder() const;  // SkinDir & SkinName
  // Every setting but the first-run flag, the language keys and the hot keys, then the skin colours; a byte out of
  // range keeps its last good value and is listed.
  std::vector<SettingProblem> Load(ProfileFile& config);
  std::vector<SettingProblem> LoadHotKeys(ProfileFile& config);
  std::vector<ProfileFile::Value> HotKeyValues() const;  // the hot keys as config.qdt keeps them

private:
  const Folders& folders_;
};

// Load, then the side bar gets its screenshot icon and starting alpha.
std::vector<SettingProblem> ReloadSettings(Velvane& app);
enum class SaveReport { NewCauses, Always };
// The save point: notes, to-do list and file shelf (as their keep options say) and the screenshot kind. Files that
// cannot be written are named in one message with their reasons, and their contents stay in memory; the same causes
// are not said again at the next save (a hide) unless asked to. True when everything was written.
bool SaveAll(Velvane& app, SaveReport report = SaveReport::NewCauses);
// A file that could not be read or written, and why.
struct FileProblem {
  const DataFile& file;
  Outcome outcome;
};
// A message about such files: its language key, and its English words for a language file older than the message.
struct FileMessage {
  const wchar_t* key;
  const wchar_t* english;
};
namespace messages {
inline constexpr FileMessage kUnsaved{L"_save:failed", L"These files could not be saved. Their contents stay in memory, "
                                      L"and the next save (hiding the side bar) tries again:"};
inline constexpr FileMessage kSettingsUnsaved{L"_save:settings", L"These settings could not be saved, so none has "
                                              L"changed. The window keeps your choices: press OK to try again:"};
inline constexpr FileMessage kUnread{L"_load:unread", L"These files could not be read. Until they can, Velvane shows "
                                     L"them empty and writes nothing over them; what you add meanwhile is joined with "
                                     L"what they hold at the next save:"};
inline constexpr FileMessage kShotNumberUnsaved{L"_shot:number", L"The screenshot was saved, but the number of the "
                                                L"next one could not be stored. No screenshot will overwrite an older "
                                                L"one:"};
}  // namespace messages
// The message's text, then each file's path with its reason.
std::wstring FileProblemsText(const Velvane& app, const FileMessage& message, const std::vector<FileProblem>& problems);
void SetScreenshotType(Velvane& app, std::uint8_t kind);

}  // namespace velvane
