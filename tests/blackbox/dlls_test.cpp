// The DLLs the side bar loads. Every black-box test runs with DLLs named like the system's planted beside the programs
// and fails when one is loaded (harness.cpp); here the file dialog, which loads the most, is opened among them. The
// hidden side bar, which stays loaded all day, loads neither the common controls nor the shell: they are megabytes
// that only a dialog or a hover needs.
#include "blackbox/harness.h"

#include <tlhelp32.h>

namespace blackbox {
namespace {

// The names of the modules a process has loaded, lower case, each followed by a blank.
std::wstring ModulesOf(DWORD processId) {
  std::wstring names;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
    names += module.szModule + std::wstring(L" ");
  CloseHandle(snapshot);
  CharLowerW(names.data());
  return names;
}

using Dlls = BlackBoxTest;

TEST_F(Dlls, TheHiddenBarNeedsNoCommonControlsAndTheFileDialogNothingFromTheProgramFolder) {
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  ASSERT_TRUE(bar.HandOver(L"-save"));  // answered once the start has run
  const std::wstring modules = ModulesOf(bar.ProcessId());
  EXPECT_NE(modules.find(L"user32.dll "), modules.npos) << "no module list";
  for (const wchar_t* unneeded : {L"comctl32.dll ", L"shell32.dll "})
    EXPECT_EQ(modules.find(unneeded), modules.npos) << Utf8(unneeded) << "loaded by the hidden side bar";
  ASSERT_TRUE(bar.HandOver(L"-show"));
  Click(ChildByText(bar.Window(), installation_.Text(L"_main:eadd")));
  const HWND add = WaitForWindow([&] { return TopWindow(installation_.Text(L"_exec:title"), bar.ProcessId()); });
  ASSERT_NE(add, nullptr) << DescribeWindowsOf(bar.ProcessId());
  Click(ChildByText(add, installation_.Text(L"_exec:select")));
  const std::wstring title = installation_.Text(L"_exec:selectdialog");
  const HWND open = WaitForWindow([&] { return TopWindow(title, bar.ProcessId(), L"#32770"); });
  ASSERT_NE(open, nullptr) << "no file dialog: " << DescribeWindowsOf(bar.ProcessId());
  PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(open); }, kWindowLimitMs));
}

}  // namespace
}  // namespace blackbox
