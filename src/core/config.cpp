#include "core/config.h"

#include "common/message_box.h"
#include "common/numbers.h"
#include "common/setting_keys.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "core/notes.h"
#include "core/services.h"
#include "core/side_bar_view.h"

namespace velvane {

std::array<bool, 6> OptChk{};
std::array<std::wstring, 2> OptTxt{};
std::wstring ScreensDir;
std::wstring DefaultDir;
std::wstring SkinName;
std::uint8_t ScreenshotType = 0;
std::array<KeyPair, 3> HotKeys{};
std::array<Color, 3> TextColors{};
std::array<Color, 2> BoxColors{};
Color BackColor{};

std::wstring SkinFolder() { return SkinDir + SkinName; }

namespace {

// A byte setting out of range keeps its value and is noted.
void TakeByte(const std::wstring& text, std::uint8_t& into, std::wstring where, std::vector<SettingProblem>& problems) {
  if (const auto value = ByteOf(text)) into = *value;
  else problems.push_back({std::move(where), text});
}

// A colour of skin.txt: Red, Green and Blue of its section.
void ReadSkinColor(const std::wstring& section, Color& into, std::vector<SettingProblem>& problems) {
  for (const auto& [key, part] : {std::pair{L"Red", &into.r}, std::pair{L"Green", &into.g}, std::pair{L"Blue", &into.b}})
    TakeByte(ReadSetting(SkinFolder() + L"\\skin.txt", section, key), *part, L"skin.txt [" + section + L"] " + key,
             problems);
}

}  // namespace

std::vector<SettingProblem> LoadConfig() {
  std::vector<SettingProblem> problems;
  for (int i = 1; i <= 5; ++i) OptChk[static_cast<size_t>(i)] = keys::kOption.Numbered(i).Flag();
  for (int i = 0; i <= 1; ++i) OptTxt[static_cast<size_t>(i)] = keys::kScreenshotText.Numbered(i).Text();
  ScreensDir = keys::kScreensFolder.Text();
  DefaultDir = keys::kDocumentsFolder.Text();
  if (ScreensDir.empty() || ScreensDir.back() != L'\\') ScreensDir += L'\\';
  const SettingKey kind = keys::kScreenshotKind;
  TakeByte(kind.Text(), ScreenshotType, L"[" + kind.section + L"] " + kind.key, problems);
  SkinName = keys::kSkin.Text();

  for (int i = 0; i <= 2; ++i) ReadSkinColor(L"TEXT" + ToText(i), TextColors[static_cast<size_t>(i)], problems);
  for (int i = 0; i <= 1; ++i) ReadSkinColor(L"BOXBACK" + ToText(i), BoxColors[static_cast<size_t>(i)], problems);
  ReadSkinColor(L"BACKGROUND", BackColor, problems);
  return problems;
}

std::vector<SettingProblem> ReloadSettings(SideBarView& bar) {
  std::vector<SettingProblem> problems = LoadConfig();
  SetScreenshotType(bar, ScreenshotType);
  // With fading on, the window starts fully transparent so that the first fade-in starts from nothing.
  bar.SetAlpha(OptChk[kOptFade] ? 0 : 255);
  return problems;
}

void LoadHotKeys() {
  for (size_t pair = 1; pair <= 2; ++pair) {
    HotKeys[pair].key0 = ByteValue(keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(0).Text());
    HotKeys[pair].key1 = ByteValue(keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(1).Text());
  }
}

void SaveHotKeys() {
  for (size_t pair = 1; pair <= 2; ++pair) {
    keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(0).Write(ToText(HotKeys[pair].key0));
    keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(1).Write(ToText(HotKeys[pair].key1));
  }
}

bool SaveAll(SideBarView& bar) {
  std::wstring failed;
  const auto note = [&failed](const Outcome& saved, const std::wstring& file) {
    if (!saved) failed += L"\r\n" + file;
  };
  note(SaveNotes(bar.NotesText()), NotesFile());
  if (gToDo) note(gToDo->SaveList(), clsToDo::FilePath());
  if (gTempFiles) note(gTempFiles->SaveList(), clsTempFiles::ShelfFile());
  keys::kScreenshotKind.Write(ToText(ScreenshotType));
  if (failed.empty()) return true;
  bar.Message(LangText(L"_save:failed") + L"\r\n" + failed, kMbExclamation, LangText(L"_main:title"));
  return false;
}

void SetScreenshotType(SideBarView& bar, std::uint8_t kind) {
  ScreenshotType = kind;
  bar.ShowScreenshotKind(kind);
}

}  // namespace velvane
