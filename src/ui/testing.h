#pragma once
// Test hooks of the forms layer. Once a test calls any of these (Reset() in a fixture's SetUp is the usual way),
// message boxes, input boxes and file dialogs are never shown, on any backend: they are logged and answered from
// the queues below. A screen size or work area set here replaces the real one.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms.h"

namespace velvane::ui::testing {

struct ShownMessage {
  std::wstring text;
  int style = 0;
  std::wstring title;
};

struct ShownInputBox {
  std::wstring prompt, title, initial;
};

struct ShownFileDialog {
  bool save = false;
  std::wstring title, filter, initialDir;
};

// Empties the queues and logs, forgets the screen overrides and the quit request, and turns the scripting on.
void Reset();
// Off: the Windows build shows the real boxes and dialogs again (for the tests of the dialogs themselves).
void SetScripted(bool on);

// Answers for the next boxes, first in first out. Without a queued answer a message box answers its cancelling
// button (OK for kMbOk, No for kMbYesNo, Cancel for kMbOkCancel), an input box and a file dialog nullopt.
void PushMsgBoxAnswer(int answer);
void PushInputBoxAnswer(std::optional<std::wstring> answer);
void PushFileDialogAnswer(std::optional<std::wstring> path);
// Runs once while the next message box is open, as the messages a real box's loop handles would.
void WhileNextMsgBox(std::function<void()> meanwhile);

const std::vector<ShownMessage>& MessageLog();
const std::vector<ShownInputBox>& InputBoxLog();
const std::vector<ShownFileDialog>& FileDialogLog();

// The headless screen is 1280 x 1024 pixels with the whole of it as work area, on one monitor.
void SetScreenSize(int width, int height);
void SetWorkArea(Rect area);
// Replaces the monitors (the screen size and work area then no longer make the list).
void SetMonitors(std::vector<Monitor> monitors);
// The DPI of the headless windows (96 unless set); set it before the windows are made.
void SetDpi(int dpi);
// What Windows would say of high contrast (off unless set) and of client-area animations (on unless set).
void SetHighContrast(std::optional<SystemColors> colors);
void SetClientAreaAnimation(bool on);

// The exit code of the last QuitApplication call since Reset().
std::optional<int> QuitRequested();

// Raises the timer's onTick the way a real tick would: only while it is enabled, with an interval above 0, and its
// window is open. True when the tick was raised.
bool FireTimer(Timer& timer);

}  // namespace velvane::ui::testing
