// The bench's hands inside Wine (scripts/bench.sh):
//   bench_probe wait-sidebar MS             ends with 0 once a side bar runs, 1 when none came within MS
//   bench_probe close-sidebar MS            asks the side bar to close and waits up to MS for its process
//   bench_probe set-clipboard TEXT          leaves TEXT on the clipboard
//   bench_probe handoff RUNS VELVANE BARE   starts "VELVANE -save" and BARE alternately, RUNS times each after a
//                                           warm-up, each until it ends, and prints the wall times
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"

namespace {

constexpr wchar_t kWindowMark[] = L"velvane_APPLICATION";
constexpr int kWarmUpRuns = 3;
constexpr DWORD kRunLimitMs = 10000;

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
  if (GetPropW(window, kWindowMark) != reinterpret_cast<HANDLE>(1)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND SideBar() {
  HWND found = nullptr;
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&found));
  return found;
}

int WaitSideBar(DWORD limitMs) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!SideBar()) {
    if (GetTickCount64() >= end) return 1;
    Sleep(20);
  }
  return 0;
}

int CloseSideBar(DWORD limitMs) {
  HWND bar = SideBar();
  if (!bar) return 0;
  DWORD id = 0;
  GetWindowThreadProcessId(bar, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  PostMessageW(bar, WM_CLOSE, 0, 0);
  const bool ended = !process || WaitForSingleObject(process, limitMs) == WAIT_OBJECT_0;
  if (process) CloseHandle(process);
  return ended ? 0 : 1;
}

int SetClipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (memory) {
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok) GlobalFree(memory);
  }
  CloseClipboard();
  return ok ? 0 : 1;
}

// Wall time in milliseconds from the start of the program to its end; negative when it failed or did not end.
double TimedRun(const std::wstring& program, const std::wstring& arguments) {
  std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER frequency{}, before{}, after{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  const bool ended = WaitForSingleObject(info.hProcess, kRunLimitMs) == WAIT_OBJECT_0;
  QueryPerformanceCounter(&after);
  if (!ended) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!ended) return -1;
  return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int HandOff(int runs, const std::wstring& velvane, const std::wstring& bare) {
  if (!SideBar()) {
    std::fprintf(stderr, "no side bar runs: the hand-off has nobody to go to\n");
    return 1;
  }
  std::vector<double> handOff, baseline;
  for (int i = 0; i < kWarmUpRuns + runs; ++i) {
    const double b = TimedRun(bare, L"");
    const double h = TimedRun(velvane, L"-save");
    if (b < 0 || h < 0) {
      std::fprintf(stderr, "run %d failed (bare %.1f, hand-off %.1f)\n", i, b, h);
      return 1;
    }
    if (i < kWarmUpRuns) continue;
    baseline.push_back(b);
    handOff.push_back(h);
  }
  if (!SideBar()) {
    std::fprintf(stderr, "the side bar is gone after the hand-offs\n");
    return 1;
  }
  bench::Report("bare", baseline);
  bench::Report("hand-off", handOff);
  std::printf("ratio    %.2f (median hand-off / median bare)\n", bench::Median(handOff) / bench::Median(baseline));
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring verb = argc > 1 ? argv[1] : L"";
  const auto number = [&](int i) { return argc > i ? std::wcstoul(argv[i], nullptr, 10) : 0ul; };
  if (verb == L"wait-sidebar" && argc == 3) return WaitSideBar(number(2));
  if (verb == L"close-sidebar" && argc == 3) return CloseSideBar(number(2));
  if (verb == L"set-clipboard" && argc == 3) return SetClipboard(argv[2]);
  if (verb == L"handoff" && argc == 5) return HandOff(static_cast<int>(number(2)), argv[3], argv[4]);
  std::fprintf(stderr, "usage: bench_probe wait-sidebar MS | close-sidebar MS | set-clipboard TEXT | "
                       "handoff RUNS VELVANE BARE\n");
  return 2;
}
