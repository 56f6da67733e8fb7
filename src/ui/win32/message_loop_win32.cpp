// The message loop of both programs, with the dialog keys of our windows.
#include <windows.h>

#include "ui/win32/win32_forms.h"

namespace velvane::ui {
namespace {

int gLoopDepth = 0;

}  // namespace

namespace win32 {

bool MessageLoopRunning() { return gLoopDepth > 0; }

}  // namespace win32

int RunMessageLoop() {
  if (win32::TopWindow::OpenCount() == 0) return 0;
  ++gLoopDepth;
  int exitCode = 0;
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    // Tab, the arrows, Enter, Space and Escape work in our windows as in a dialog: first the form's own dialog keys
    // (its reading order, its default actions, its cancel), then the system's for the rest. Only keys go that way:
    // the timer ticks of an idle side bar must not pay for the dialog routing.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && win32::TopWindow::IsOurs(root)) {
        if (msg.message == WM_KEYDOWN && win32::TopWindow::DialogKey(root, msg.wParam)) continue;
        if (IsDialogMessageW(root, &msg)) continue;
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  --gLoopDepth;
  return exitCode;
}

}  // namespace velvane::ui
