// The DLLs the programs load. A portable copy unzipped into Downloads lies beside whatever else the browser saved
// there. DLLs named like the system's, each leaving a mark when loaded, lie in the program folder (the current folder
// too): neither program loads any of them, whatever it does (its start, tool tips, a screenshot of the foreground
// window, the file dialog, the wizard). And the hidden side bar, which stays loaded all day, loads neither the common
// controls nor the shell: they are some megabytes that only a dialog or a hover needs.
#include <windows.h>
#include <tlhelp32.h>

#include <filesystem>

#include "blackbox/harness.h"

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

TEST_F(Dlls, NoneFromTheProgramFolderAndTheHiddenBarNeedsNoCommonControls) {
  std::wstring tests(MAX_PATH, L'\0');
  tests.resize(GetModuleFileNameW(nullptr, tests.data(), MAX_PATH));
  const auto planted = ReadBytes(tests.substr(0, tests.find_last_of(L'\\') + 1) + L"planted.dll");
  ASSERT_TRUE(planted.has_value()) << "no planted.dll beside the tests";
  for (const wchar_t* name : {L"dwmapi", L"uxtheme", L"comctl32", L"comdlg32", L"shell32", L"shcore", L"shlwapi",
                              L"ole32", L"oleaut32", L"propsys", L"version", L"imm32", L"msimg32", L"winmm"})
    ASSERT_TRUE(WriteBytes(installation_.Path(name + std::wstring(L".dll")), *planted));
  const std::wstring shots = installation_.Path(L"shots\\");
  ASSERT_TRUE(CreateDirectoryW(shots.c_str(), nullptr));
  installation_.SetSetting(L"PATH", L"Screens", shots);
  installation_.SetSetting(L"SS", L"Type", L"1");  // the foreground window, with its frame as the system draws it
  const wchar_t clip[] = L"a clipboard row with a tool tip";
  if (HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof clip); text && OpenClipboard(nullptr)) {
    memcpy(GlobalLock(text), clip, sizeof clip);
    GlobalUnlock(text);
    EmptyClipboard(), SetClipboardData(CF_UNICODETEXT, text), CloseClipboard();
  }
  {
    SideBar bar(installation_);
    ASSERT_TRUE(bar.Started());
    ASSERT_TRUE(bar.HandOver(L"-save"));  // answered once the start has run
    const std::wstring modules = ModulesOf(bar.ProcessId());
    EXPECT_NE(modules.find(L"user32.dll "), modules.npos) << "no module list";
    for (const wchar_t* unneeded : {L"comctl32.dll ", L"shell32.dll "})
      EXPECT_EQ(modules.find(unneeded), modules.npos) << Utf8(unneeded) << "loaded by the hidden side bar";
    ASSERT_TRUE(bar.HandOver(L"-show"));
    Sleep(1000);  // Wine drops keys sent by SendInput for a moment after the focus changed
    PressWithCtrl();
    EXPECT_TRUE(WaitUntil([&] { return !std::filesystem::is_empty(shots); }, 5000)) << "no screenshot";
    Click(ChildByText(bar.Window(), installation_.Text(L"_main:eadd")));
    const HWND add = WaitForWindow([&] { return TopWindow(installation_.Text(L"_exec:title"), bar.ProcessId()); });
    ASSERT_NE(add, nullptr) << DescribeWindowsOf(bar.ProcessId());
    Click(ChildByText(add, installation_.Text(L"_exec:select")));
    const std::wstring title = installation_.Text(L"_exec:selectdialog");
    const HWND open = WaitForWindow([&] { return TopWindow(title, bar.ProcessId(), L"#32770"); });
    EXPECT_NE(open, nullptr) << "no file dialog: " << DescribeWindowsOf(bar.ProcessId());
    PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(open); }, kWindowLimitMs));
  }
  installation_.SetSetting(L"INIT", L"FirstTime", L"0");  // the next start is the wizard's
  const Process velvane = Process::Start(installation_, L"");
  ASSERT_TRUE(velvane && velvane.WaitForExit(kHandOffLimitMs));
  const HWND wizard = WaitForWindow([] { return TopWindow(L"Choose your languaje"); }, kStartLimitMs);
  ASSERT_NE(wizard, nullptr) << "no wizard";
  DWORD id = 0;
  GetWindowThreadProcessId(wizard, &id);
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  PostMessageW(wizard, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process, kCloseLimitMs), WAIT_OBJECT_0);
  CloseHandle(process);

  std::string marks;
  for (const auto& entry : std::filesystem::directory_iterator(installation_.Folder()))
    if (entry.path().extension() == L".loaded") marks += " " + Utf8(entry.path().filename().wstring());
  EXPECT_EQ(marks, "") << "loaded from the program folder";
}

}  // namespace
}  // namespace blackbox
