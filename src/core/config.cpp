#include "core/config.h"

#include "common/folders.h"
#include "common/message_box.h"
#include "common/numbers.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "core/notes.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"

namespace velvane {

std::wstring Settings::SkinFolder() const { return SkinDir + SkinName; }

std::vector<SettingProblem> Settings::Load() {
  std::vector<SettingProblem> problems;
  for (int i = 1; i <= 5; ++i) OptChk[static_cast<size_t>(i)] = keys::kOption.Numbered(i).Flag();
  for (int i = 0; i <= 1; ++i) OptTxt[static_cast<size_t>(i)] = keys::kScreenshotText.Numbered(i).Text();
  ScreensDir = keys::kScreensFolder.Text();
  DefaultDir = keys::kDocumentsFolder.Text();
  if (ScreensDir.empty() || ScreensDir.back() != L'\\') ScreensDir += L'\\';
  const SettingKey kind = keys::kScreenshotKind;
  TakeByte(kind.Text(), ScreenshotType, L"[" + kind.section + L"] " + kind.key, problems);
  SkinName = keys::kSkin.Text();

  SkinColors::Read(SkinFolder(), problems);
  return problems;
}

std::vector<SettingProblem> ReloadSettings(Velvane& app) {
  std::vector<SettingProblem> problems = app.settings.Load();
  SetScreenshotType(app, app.settings.ScreenshotType);
  // With fading on, the window starts fully transparent so that the first fade-in starts from nothing.
  app.bar.SetAlpha(app.settings.OptChk[kOptFade] ? 0 : 255);
  return problems;
}

void Settings::LoadHotKeys() {
  for (size_t pair = 1; pair <= 2; ++pair) {
    HotKeys[pair].key0 = ByteValue(keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(0).Text());
    HotKeys[pair].key1 = ByteValue(keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(1).Text());
  }
}

void Settings::SaveHotKeys() const {
  for (size_t pair = 1; pair <= 2; ++pair) {
    keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(0).Write(ToText(HotKeys[pair].key0));
    keys::kHotKey.InSection(static_cast<int>(pair)).Numbered(1).Write(ToText(HotKeys[pair].key1));
  }
}

bool SaveAll(Velvane& app) {
  const Settings& settings = app.settings;
  std::wstring failed;
  const auto note = [&failed](const Outcome& saved, const std::wstring& file) {
    if (!saved) failed += L"\r\n" + file;
  };
  note(SaveNotes(app.bar.NotesText(), settings.OptChk[kOptKeepNotes]), NotesFile());
  note(app.toDo.SaveList(settings.OptChk[kOptKeepToDo]), clsToDo::FilePath());
  note(app.tempFiles.SaveList(settings.OptChk[kOptKeepFiles]), clsTempFiles::ShelfFile());
  keys::kScreenshotKind.Write(ToText(settings.ScreenshotType));
  if (failed.empty()) return true;
  app.bar.Message(app.LangText(L"_save:failed") + L"\r\n" + failed, kMbExclamation, app.LangText(L"_main:title"));
  return false;
}

void SetScreenshotType(Velvane& app, std::uint8_t kind) {
  app.settings.ScreenshotType = kind;
  app.bar.ShowScreenshotKind(kind);
}

}  // namespace velvane
