// velvane.exe: the side bar's entry point.
#include <windows.h>

#include "core/startup.h"
#include "platform/win32/system_library.h"
#include "sidebar/frm_main.h"
#include "ui/forms.h"

// So that a script can tell: a start that failed (and said why) ends with 1, a second start whose command no side
// bar took in time with 2.
constexpr int kExitFailed = 1;
constexpr int kExitHandOffFailed = 2;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  velvane::platform::win32::LoadOnlySystemDlls();
  // The arguments exactly as the runtime gives them, without the program path.
  const std::wstring arguments = commandLine ? commandLine : L"";
  // The side bar and its owner live as long as the process; the loop ends with them.
  velvane::frmMain sideBar;
  velvane::Velvane app(sideBar);
  switch (velvane::Main(arguments, app)) {
    case velvane::StartupResult::Run:
      break;
    case velvane::StartupResult::Failed:
      return kExitFailed;
    case velvane::StartupResult::HandOffFailed:
      return kExitHandOffFailed;
    case velvane::StartupResult::Exit:
      return 0;
  }
  return velvane::ui::RunMessageLoop();
}
