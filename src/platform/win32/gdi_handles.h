#pragma once
// Owners of the window system's handles (windows, GDI objects, DCs), for the forms layer and the screen capture.
// Each type owns one kind of handle, cannot be copied and frees it with the matching call; the handles that are not
// freed but released or restored have their own scope types.
#include <windows.h>

#include "platform/unique_of.h"

namespace velvane::platform::win32 {

// The traits below say how each kind of handle is freed.
using platform::UniqueOf;

struct HwndTraits {
  static void Free(HWND h) { DestroyWindow(h); }
};
struct GdiTraits {
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct IconTraits {
  static void Free(HICON h) { DestroyIcon(h); }
};
struct ModuleTraits {
  static void Free(HMODULE h) { FreeLibrary(h); }
};
struct MemoryDcTraits {
  static void Free(HDC h) { DeleteDC(h); }
};

// A window; a window procedure that sees WM_NCDESTROY calls release() so that a dead handle is never destroyed twice.
using UniqueHwnd = UniqueOf<HWND, HwndTraits>;
using UniqueBitmap = UniqueOf<HBITMAP, GdiTraits>;
using UniqueFont = UniqueOf<HFONT, GdiTraits>;
using UniqueBrush = UniqueOf<HBRUSH, GdiTraits>;
using UniquePen = UniqueOf<HPEN, GdiTraits>;
using UniqueRegion = UniqueOf<HRGN, GdiTraits>;
using UniqueIcon = UniqueOf<HICON, IconTraits>;
using UniqueModule = UniqueOf<HMODULE, ModuleTraits>;
// A DC from CreateCompatibleDC.
using MemoryDc = UniqueOf<HDC, MemoryDcTraits>;

// The DC of GetDC (the client area), or of GetWindowDC (the whole window with its frame); released with ReleaseDC.
class WindowDc {
public:
  explicit WindowDc(HWND hwnd, bool wholeWindow = false)
      : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDc {
public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  HDC get() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// An object selected into a DC for the scope, then the previous one put back.
class SelectScope {
public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }

private:
  HDC dc_;
  HGDIOBJ old_;
};

// The DC state (clip region, origins, modes) saved for the scope.
class SavedDcState {
public:
  explicit SavedDcState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (id_) RestoreDC(dc_, id_);
  }

private:
  HDC dc_;
  int id_;
};

// An off-screen bitmap compatible with a DC, selected into its own memory DC for the object's lifetime.
class BackBuffer {
public:
  BackBuffer(HDC compatible, int width, int height)
      : dc_(CreateCompatibleDC(compatible)),
        bitmap_(CreateCompatibleBitmap(compatible, width > 0 ? width : 1, height > 0 ? height : 1)),
        select_(dc_.get(), bitmap_.get()) {}
  HDC get() const { return dc_.get(); }
  explicit operator bool() const { return dc_ && bitmap_; }

private:
  MemoryDc dc_;
  UniqueBitmap bitmap_;
  SelectScope select_;  // declared last: deselects before the bitmap and the DC go
};

}  // namespace velvane::platform::win32
