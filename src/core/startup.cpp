#include "core/startup.h"


#include "common/errors.h"
#include "common/folders.h"
#include "common/message_box.h"
#include "common/numbers.h"
#include "common/setting_keys.h"
#include "core/autostart.h"
#include "core/notes.h"
#include "core/side_bar_view.h"
#include "core/velvane.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_codec.h"

namespace velvane {

bool SingleInstance::IsFirstInstance(const std::wstring& name) {
  const platform::MutexOutcome outcome = platform::CreateOwnedMutex(name);
  platform::UniqueMutex created(outcome.handle);
  // A second instance closes its handle at once; the first keeps it.
  InstanceMutex = outcome.alreadyExists ? platform::UniqueMutex() : std::move(created);
  return !outcome.alreadyExists;  // also when the creation failed: better two side bars than none
}

void SingleInstance::FindRunningWindow() {
  platform::ForEachTopLevelWindow([this](platform::NativeWindow w) {
    if (!IsMarkedWindow(w)) return true;
    RunningWindow = w;
    return false;
  });
}

bool IsMarkedWindow(platform::NativeWindow window) { return platform::GetWindowMark(window, kWindowMarkName) == 1; }

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

bool HandOver(SingleInstance& instance, const std::wstring& commandLine) {
  const platform::NativeWindow& running = instance.RunningWindow;
  instance.RunningWindow = 0;
  instance.FindRunningWindow();
  for (unsigned waited = 0; !running && waited < kHandOffTimeoutMs; waited += kHandOffPollMs) {
    if (!platform::MutexExists(kInstanceMutexName)) return false;  // the first start ended meanwhile
    platform::PauseMs(kHandOffPollMs);
    instance.FindRunningWindow();
  }
  if (!running) return false;
  ActivateWindow(running);
  // A visible side bar asked for nothing only needs to come forward.
  if (!commandLine.empty() || !platform::IsWindowShown(running))
    platform::SendCopyData(running, kHandOffUtf16, HandOffPayload(commandLine), kHandOffTimeoutMs);
  return true;
}

bool FirstRunDone() { return LeadingNumber(keys::kFirstTime.Text()) != 0.0; }

void StartWizard() {
  if (!platform::StartProgram(L"\"" + AppDir + L"Primewiz.exe\""))
    throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
}

void LoadEverything(const std::wstring& commandLine, Velvane& app) {
  Settings& settings = app.settings;
  app.lang.LoadLanguage(app.lang.ActLang(), L"velvane");
  app.exec.LoadExecs();
  settings.LoadHotKeys();
  // At the start a value out of range is a start-up error; later reloads keep the last good value.
  if (!settings.Load().empty()) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
  RemoveScreenshotLeftovers(settings);
  app.bar.Open(app);
  ReloadSettings(app);
  if (const auto notes = LoadNotes(settings.OptChk[kOptKeepNotes])) app.bar.SetNotesText(*notes);
  app.toDo.LoadList(settings.OptChk[kOptKeepToDo]);
  app.tempFiles.LoadList(settings.OptChk[kOptKeepFiles]);
  // A moved installation keeps starting with Windows: the entry always names the executable that last started.
  if (AutostartEnabled()) SetAutostart(true);
  // The first start's own command runs once the stored lists are in: run earlier, "-save" or a hide would write
  // empty lists over the files, and an added item would be overwritten by the load.
  app.router.CompleteStartup(commandLine);
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
    if (programFolder.empty()) SetAppFolders();
    else SetAppFoldersFrom(programFolder);
    if (!FirstRunDone()) {
      StartWizard();
      return StartupResult::Exit;
    }
    platform::RemoveSaveLeftovers(DataDir);
    LoadEverything(commandLine, app);
    return StartupResult::Run;
  } catch (const RuntimeError& e) {
    showStartupError(e.Number(), platform::codec::FromUtf8(e.what()), platform::codec::FromUtf8(e.Source()));
  } catch (const std::exception& e) {
    showStartupError(static_cast<int>(ErrorNumber::Internal), platform::codec::FromUtf8(e.what()), L"Velvane");
  }
  return StartupResult::Exit;
}

}  // namespace velvane
