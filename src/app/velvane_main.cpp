// velvane.exe: the side bar's entry point.
#include <windows.h>

#include "core/startup.h"
#include "ui/forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  // The arguments exactly as the runtime gives them, without the program path.
  const std::wstring arguments = commandLine ? commandLine : L"";
  if (velvane::Main(arguments) != velvane::StartupResult::Run) return 0;
  return velvane::ui::RunMessageLoop();
}
