// The idle yardstick: a hidden window with the side bar's six timers and nothing behind them. The 5 ms timer switches
// itself off at its first tick, the 200 ms and 50 ms pollers keep running, the other three are created switched off.
#include <windows.h>

namespace {

enum TimerId : UINT_PTR { kMove = 1, kFade, kClipboard, kKeys, kKeyHold, kKeyHolding };

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kFade) KillTimer(hwnd, kFade);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"VelvaneBenchIdle";
  if (!RegisterClassW(&wc)) return 1;
  // Hidden, layered and borderless, 800 x 341, like the side bar.
  HWND hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"bench_idle", WS_POPUP, 0, 0, 800,
                              341, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
  SetTimer(hwnd, kFade, 5, nullptr);
  SetTimer(hwnd, kClipboard, 200, nullptr);
  SetTimer(hwnd, kKeys, 50, nullptr);
  // kMove (10 ms), kKeyHold (300 ms) and kKeyHolding (50 ms) exist switched off: no system timer behind them.
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
