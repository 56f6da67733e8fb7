#include "core/startup.h"

#include "common/errors.h"
#include "common/message_box.h"
#include "common/setting_keys.h"
#include "core/autostart.h"
#include "core/notes.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_codec.h"

namespace velvane {

void MarkWindow(platform::NativeWindow window) { platform::SetWindowMark(window, kWindowMarkName, 1); }

void ActivateWindow(platform::NativeWindow window) {
  if (platform::IsWindowMinimized(window)) platform::RestoreWindow(window);
  BringToFront(window);
}

void BringToFront(platform::NativeWindow window) {
  platform::SetForeground(window);
  platform::BringToTop(window);
}

std::wstring StartupErrorText(int number, const std::wstring& description, std::uint32_t systemError,
                              const std::wstring& source) {
  return L"Error on loading. Now exiting.\rError # " + std::to_wstring(number) + L" - " + description +
         L"\rDLL Error: " + std::to_wstring(systemError) + L"\rSource: " + source;
}

namespace {

// False when the command was not taken: no side bar came within the hand-off time, or the one found did not answer
// in it.
bool HandOver(SingleInstance& instance, const std::wstring& commandLine) {
  const platform::NativeWindow& running = instance.RunningWindow;
  instance.RunningWindow = 0;
  instance.FindRunningWindow(kWindowMarkName);
  for (unsigned waited = 0; !running && waited < kHandOffTimeoutMs; waited += kHandOffPollMs) {
    if (!platform::MutexExists(kInstanceMutexName)) return false;  // the first start ended meanwhile
    platform::PauseMs(kHandOffPollMs);
    instance.FindRunningWindow(kWindowMarkName);
  }
  if (!running) return false;
  ActivateWindow(running);
  // A visible side bar asked for nothing only needs to come forward.
  if (commandLine.empty() && platform::IsWindowShown(running)) return true;
  return platform::SendCopyData(running, kHandOffUtf16, HandOffPayload(commandLine), kHandOffTimeoutMs);
}

void StartWizard(const Folders& folders) {
  if (!platform::StartProgram(L"\"" + folders.AppDir + L"Primewiz.exe\""))
    throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
}

// The stored lists the settings keep, read now: the to-do list, the notes and the shelf each only while its option
// is on. Answers those that could not be read.
std::vector<const DataFile*> ReadKeptFiles(Velvane& app) {
  DataStore& store = app.store;
  const auto& keep = app.settings.OptChk;
  std::vector<DataFile*> files{&store.exec};
  if (keep[kOptKeepToDo]) files.push_back(&store.toDo);
  if (keep[kOptKeepNotes]) files.push_back(&store.notes);
  if (keep[kOptKeepFiles]) files.push_back(&store.shelf);
  return store.ReadAtStart(files);
}

void LoadEverything(const std::wstring& commandLine, Velvane& app) {
  Settings& settings = app.settings;
  ProfileFile& config = app.store.config;
  app.lang.LoadLanguage(app.lang.ActLang(), L"velvane");
  // At the start a value out of range is a start-up error; later reloads keep the last good value.
  if (!settings.LoadHotKeys(config).empty() || !settings.Load(config).empty())
    throw RuntimeError(ErrorNumber::Overflow, "Overflow");
  RemoveScreenshotLeftovers(settings);
  const std::vector<const DataFile*> unread = ReadKeptFiles(app);
  app.exec.LoadExecs();
  app.bar.Open(app);
  ReloadSettings(app);
  if (const auto notes = LoadNotes(app.store.notes, settings.OptChk[kOptKeepNotes])) app.bar.SetNotesText(*notes);
  app.toDo.LoadList(settings.OptChk[kOptKeepToDo]);
  app.shelf.LoadList(settings.OptChk[kOptKeepFiles]);
  // A moved installation keeps starting with Windows: the entry always names the executable that last started.
  if (AutostartEnabled()) SetAutostart(true);
  // The first start's own command runs once the stored lists are in: run earlier, "-save" or a hide would write
  // empty lists over the files, and an added item would be overwritten by the load.
  app.router.CompleteStartup(commandLine);
  // Said once the start is complete, so that the box holds up nothing: commands handed over meanwhile run at once.
  if (unread.empty()) return;
  std::vector<FileProblem> problems;
  for (const DataFile* file : unread) problems.push_back({*file, file->Problem()});
  app.bar.Message(FileProblemsText(app, messages::kUnread, problems), kMbExclamation, app.LangText(L"_main:title"));
}

}  // namespace

StartupResult Main(const std::wstring& commandLine, Velvane& app, const std::wstring& programFolder) {
  const auto showStartupError = [&app](int number, const std::wstring& description, const std::wstring& source) {
    app.bar.Message(StartupErrorText(number, description, platform::LastSystemError(), source), kMbCritical, L"Error");
  };
  try {
    if (!app.instance.IsFirstInstance(kInstanceMutexName)) {
      return HandOver(app.instance, commandLine) ? StartupResult::Exit : StartupResult::HandOffFailed;
    }
    DataStore& store = app.store;
    store.Open(Folders::Of(programFolder.empty() ? platform::ExecutableFolder() : programFolder));
    // Without its settings the side bar would take the first run for undone, or write its defaults over them.
    if (!store.ReadAtStart({&store.config}, kSettingsReadTries).empty()) {
      app.bar.Message(L"Velvane could not read its settings and did not start. Start it again once the file can be "
                      L"read.\r\n\r\n" + store.config.Path() + L"\r\n" + store.config.Problem().Reason(),
                      kMbCritical, L"Velvane");
      return StartupResult::Failed;
    }
    if (Read(store.config, keys::kFirstTime) == 0.0) {
      StartWizard(store.folders);
      return StartupResult::Exit;
    }
    platform::RemoveSaveLeftovers(store.folders.DataDir);
    LoadEverything(commandLine, app);
    return StartupResult::Run;
  } catch (const RuntimeError& e) {
    showStartupError(e.Number(), platform::codec::FromUtf8(e.what()), platform::codec::FromUtf8(e.Source()));
  } catch (const std::exception& e) {
    showStartupError(static_cast<int>(ErrorNumber::Internal), platform::codec::FromUtf8(e.what()), L"Velvane");
  }
  return StartupResult::Failed;
}

}  // namespace velvane
