#pragma once
// The seam between the portable controls of forms.h and a window system. Each backend folder (ui/win32,
// ui/headless) defines the three factories at the bottom; the portable objects call them and talk to their peers
// only through these interfaces. Peers read the new state from their control after each call.
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "ui/forms.h"

namespace velvane::ui {

// What a control's peer is told to bring on screen; it reads the value from the control.
enum class ControlChange {
  Text,
  Bounds,
  Visible,
  Enabled,
  Font,
  Colors,      // fore and back colour
  ToolTip,
  AcceptFiles,
  Align,       // labels
  Picture,     // images: picture path, built-in icon or stretch
  Value,       // check boxes
  ListIndex,   // list boxes
  AccessibleName,   // what screen readers are told: the name or description given
  AccessibleState,  // ... the toggled state
};

class ControlPeer {
public:
  ControlPeer() = default;
  ControlPeer(const ControlPeer&) = delete;
  ControlPeer& operator=(const ControlPeer&) = delete;
  virtual ~ControlPeer() = default;

  virtual void Update(ControlChange what) = 0;
  virtual void Focus() = 0;
  virtual std::intptr_t NativeHandle() const = 0;
  // Images: loads the bitmap file the control is about to show; false when the window system cannot read it.
  virtual bool LoadPicture(const std::wstring& path) = 0;
  // Labels: the size in pixels of the text in the control's font, when the window system can measure it.
  virtual std::optional<std::pair<int, int>> TextExtent() const = 0;
  // Text boxes: the selection on screen as (start, length), when the screen has one.
  virtual std::optional<std::pair<int, int>> ScreenSelection() const = 0;
  // Text boxes: the selection was set to [start, start + length).
  virtual void SelectionSet(int start, int length) = 0;
  // Text boxes: the control's text and selection already changed by replacing [start, start + length) with text.
  virtual void SelectionReplaced(int start, int length, const std::wstring& text) = 0;
  // List boxes: the rows were emptied / one row was appended / one row's check mark changed.
  virtual void ItemsCleared() = 0;
  virtual void ItemAdded(int row) = 0;
  virtual void ItemChecked(int row) = 0;
};

// What a window's peer is told to bring on screen; it reads the value from the window.
enum class WindowChange { BackColor, Picture, Visible, Alpha, TopMost, Position };

class WindowPeer {
public:
  WindowPeer() = default;
  WindowPeer(const WindowPeer&) = delete;
  WindowPeer& operator=(const WindowPeer&) = delete;
  virtual ~WindowPeer() = default;

  virtual void Update(WindowChange what) = 0;
  // False when the window system cannot read the bitmap file that is about to become the background.
  virtual bool LoadPicture(const std::wstring& path) = 0;
  virtual void Activate() = 0;
  // Ends the native window for good (the window is already marked closed).
  virtual void Destroy() = 0;
  // Outer size in pixels (frame included).
  virtual std::pair<int, int> OuterSize() const = 0;
  // Dots per inch of the window's monitor.
  virtual int Dpi() const = 0;
  virtual std::intptr_t NativeHandle() const = 0;
};

class TimerPeer {
public:
  TimerPeer() = default;
  TimerPeer(const TimerPeer&) = delete;
  TimerPeer& operator=(const TimerPeer&) = delete;
  virtual ~TimerPeer() = default;
  // Interval or enabled state changed: start, restart or stop the ticks.
  virtual void Update() = 0;
};

// An exception that escapes an event handler called by the window system cannot travel further: it is shown in a
// critical message box with its description. Never throws. Code that raises events itself, tests included, sees its
// exceptions as usual.
void ReportEventError(std::exception_ptr error) noexcept;

// One set per backend.
std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window);
std::unique_ptr<ControlPeer> CreateControlPeer(Control& control);
std::unique_ptr<TimerPeer> CreateTimerPeer(Timer& timer);

}  // namespace velvane::ui
