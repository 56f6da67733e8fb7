#include "core/config.h"

#include "common/message_box.h"
#include "common/setting_keys.h"
#include "common/text.h"
#include "core/notes.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"

namespace velvane {

std::wstring Settings::SkinFolder() const { return folders_.SkinDir + SkinName; }

std::vector<SettingProblem> Settings::Load(ProfileFile& config) {
  std::vector<SettingProblem> problems;
  for (int i = 0; i < kOptionCount; ++i) OptChk[static_cast<size_t>(i)] = velvane::Read(config, keys::kOption.Numbered(i + 1));
  ScreenshotPrefix = velvane::Read(config, keys::kScreenshotPrefix);
  ScreenshotNumber = velvane::Read(config, keys::kScreenshotNumber);
  ScreensDir = velvane::Read(config, keys::kScreensFolder);
  DefaultDir = velvane::Read(config, keys::kDocumentsFolder);
  if (ScreensDir.empty() || ScreensDir.back() != L'\\') ScreensDir += L'\\';
  velvane::Read(config, keys::kScreenshotKind, ScreenshotType, problems);
  SkinName = velvane::Read(config, keys::kSkin);
  SkinColors::Read(SkinFolder(), problems);
  return problems;
}

std::vector<SettingProblem> Settings::LoadHotKeys(ProfileFile& config) {
  std::vector<SettingProblem> problems;
  for (int pair = 0; pair < 2; ++pair) {
    const Setting<std::uint8_t> keys = keys::kHotKey.InSection(pair + 1);
    velvane::Read(config, keys.Numbered(0), HotKeys[static_cast<size_t>(pair)].key0, problems);
    velvane::Read(config, keys.Numbered(1), HotKeys[static_cast<size_t>(pair)].key1, problems);
  }
  return problems;
}

std::vector<ProfileFile::Value> Settings::HotKeyValues() const {
  std::vector<ProfileFile::Value> values;
  for (int pair = 0; pair < 2; ++pair) {
    const Setting<std::uint8_t> keys = keys::kHotKey.InSection(pair + 1);
    values.push_back(keys.Numbered(0).Is(ToText(HotKeys[static_cast<size_t>(pair)].key0)));
    values.push_back(keys.Numbered(1).Is(ToText(HotKeys[static_cast<size_t>(pair)].key1)));
  }
  return values;
}

std::vector<SettingProblem> ReloadSettings(Velvane& app) {
  std::vector<SettingProblem> problems = app.settings.Load(app.store.config);
  SetScreenshotType(app, app.settings.ScreenshotType);
  // With fading on, the window starts fully transparent so that the first fade-in starts from nothing.
  app.bar.SetAlpha(app.settings.OptChk[kOptFade] ? 0 : 255);
  return problems;
}

std::wstring FileProblemsText(const Velvane& app, const FileMessage& message, const std::vector<FileProblem>& problems) {
  std::wstring text = app.LangText(message.key, message.english);
  for (const FileProblem& p : problems) text += L"\r\n\r\n" + p.file.Path() + L"\r\n" + p.outcome.Reason();
  return text;
}

bool SaveAll(Velvane& app, SaveReport report) {
  const Settings& settings = app.settings;
  DataStore& store = app.store;
  std::vector<FileProblem> failed;
  const auto note = [&failed](Outcome saved, const DataFile& file) {
    if (!saved) failed.push_back({file, std::move(saved)});
  };
  // Notes kept in a file that could not be read before come back joined with what it holds.
  std::wstring notes = app.bar.NotesText();
  note(SaveNotes(store.notes, notes, settings.OptChk[kOptKeepNotes]), store.notes);
  if (notes != app.bar.NotesText()) app.bar.SetNotesText(notes);
  note(app.toDo.SaveList(settings.OptChk[kOptKeepToDo]), store.toDo);
  note(app.shelf.SaveList(settings.OptChk[kOptKeepFiles]), store.shelf);
  note(store.config.Set({keys::kScreenshotKind.Is(ToText(settings.ScreenshotType))}), store.config);
  if (failed.empty()) {
    app.saveFailureSaid.clear();
    return true;
  }
  const std::wstring text = FileProblemsText(app, messages::kUnsaved, failed);
  if (report == SaveReport::Always || text != app.saveFailureSaid)
    app.bar.Message(text, kMbExclamation, app.LangText(L"_main:title"));
  app.saveFailureSaid = text;
  return false;
}

void SetScreenshotType(Velvane& app, std::uint8_t kind) {
  app.settings.ScreenshotType = kind;
  app.bar.ShowScreenshotKind(kind);
}

}  // namespace velvane
