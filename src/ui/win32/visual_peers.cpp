// Labels and images. They are windowless in spirit: the window's scene draws them over its background, and their
// child windows (which paint that same scene for their own rectangle) only hold the text and take the mouse.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

namespace {

class VisualPeer : public ChildPeer {
public:
  using ChildPeer::ChildPeer;
  bool Windowless() const override { return true; }

protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: return OnPaint();
      case WM_PRINTCLIENT: return OnPrintClient(reinterpret_cast<HDC>(wParam));
      case WM_DROPFILES: top_.DeliverDrop(reinterpret_cast<HDROP>(wParam), this); return 0;
      case WM_CAPTURECHANGED: buttonsHeld_ = 0; pressedLeft_ = false; return 0;
      case WM_GETOBJECT: return OnGetObject(wParam, lParam);
      case WM_SETFOCUS:
      case WM_KILLFOCUS: FocusMessage(msg, wParam); return 0;
      case WM_KEYDOWN: control_.NotifyKeyDown(KeyEvent{static_cast<int>(wParam), ShiftState()}); return 0;
      default: break;
    }
    if (IsMouseMessage(msg)) {
      MouseMessage(msg, wParam, lParam);
      return 0;
    }
    return CallOriginal(msg, wParam, lParam);
  }

private:
  // The scene of the window under this child's rectangle, drawn off-screen and copied in one go.
  void PaintScene(HDC dc, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    const RECT bounds = BoundsRect();
    const RECT scene{area.left + bounds.left, area.top + bounds.top, area.right + bounds.left,
                     area.bottom + bounds.top};
    BackBuffer buffer(dc, width, height);
    if (!buffer) return;
    SetViewportOrgEx(buffer.get(), -scene.left, -scene.top, nullptr);
    top_.RenderScene(buffer.get(), scene);
    SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
  }

  LRESULT OnPaint() {
    PaintDc paint(hwnd_.get());
    PaintScene(paint.get(), paint.Area());
    return 0;
  }

  LRESULT OnPrintClient(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_.get(), &client);
    PaintScene(dc, client);
    return 0;
  }
};

class LabelPeer final : public VisualPeer {
public:
  LabelPeer(Label& label, TopWindow& top) : VisualPeer(label, top), label_(label) {
    Create(kLabelClass, 0, 0);
  }

  void DrawVisual(HDC dc) const override {
    if (label_.Text().empty()) return;
    RECT r = BoundsRect();
    SavedDcState saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label_.Enabled() ? ToColorRef(label_.ShownForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    SelectScope font(dc, font_.get());
    UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
    if (label_.GetAlign() == Align::Center) format |= DT_CENTER;
    if (label_.GetAlign() == Align::Right) format |= DT_RIGHT;
    DrawTextW(dc, label_.Text().c_str(), static_cast<int>(label_.Text().size()), &r, format);
  }

  std::optional<std::pair<int, int>> TextExtent() const override {
    WindowDc screen(nullptr);
    if (!screen.get()) return std::nullopt;
    SelectScope font(screen.get(), font_.get());
    RECT r{};
    // An empty text still has the height of one line.
    const std::wstring text = label_.Text().empty() ? L" " : label_.Text();
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    // Measured with the font at the window's DPI; the bounds are design pixels.
    return std::make_pair(DesignFromDpi(r.right - r.left, top_.Dpi()), DesignFromDpi(r.bottom - r.top, top_.Dpi()));
  }

private:
  Label& label_;
};

class ImagePeer final : public VisualPeer {
public:
  ImagePeer(Image& image, TopWindow& top) : VisualPeer(image, top), image_(image) { Create(kImageClass, 0, 0); }

  bool LoadPicture(const std::wstring& path) override { return picture_.Load(path, top_.Dpi()); }

  void Update(ControlChange what) override {
    if (what == ControlChange::Picture && image_.PicturePath().empty()) picture_.Reset();
    ChildPeer::Update(what);
  }

  void DpiChanged() override {
    if (!image_.PicturePath().empty()) picture_.Load(image_.PicturePath(), top_.Dpi());
    ChildPeer::DpiChanged();
  }

  void DrawVisual(HDC dc) const override {
    // High contrast keeps the pictures that do something and drops the ones that only decorate.
    if (image_.GetRole() == Role::Graphic && HighContrast()) return;
    const RECT r = BoundsRect();
    SavedDcState saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (picture_) {
      MemoryDc source(CreateCompatibleDC(dc));
      SelectScope select(source.get(), picture_.Bitmap());
      const SIZE size = picture_.Size();
      if (image_.Stretch()) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, size.cx, size.cy,
                   SRCCOPY);
      } else {
        BitBlt(dc, r.left, r.top, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
      }
    } else if (image_.Icon() != BuiltinIcon::None) {
      DrawBuiltinIcon(dc, image_.Icon(), r, ToColorRef(image_.ShownForeColor()));
    }
  }

private:
  Image& image_;
  DpiPicture picture_;
};

// The glyphs are laid out on a 16 x 16 grid and scaled to the rectangle.
struct Grid {
  RECT r;
  int X(int g) const { return r.left + MulDiv(g, r.right - r.left, 16); }
  int Y(int g) const { return r.top + MulDiv(g, r.bottom - r.top, 16); }
};

void DrawAdd(HDC dc, const Grid& g) {
  RoundRect(dc, g.X(1), g.Y(1), g.X(15), g.Y(15), g.X(5) - g.X(0), g.Y(5) - g.Y(0));
  MoveToEx(dc, g.X(8), g.Y(4), nullptr);
  LineTo(dc, g.X(8), g.Y(12));
  MoveToEx(dc, g.X(4), g.Y(8), nullptr);
  LineTo(dc, g.X(12), g.Y(8));
}

void DrawSave(HDC dc, const Grid& g, COLORREF color) {
  // A floppy disk: the body with a cut corner, the shutter at the top and the label below.
  const POINT body[] = {{g.X(1), g.Y(1)},  {g.X(12), g.Y(1)},  {g.X(15), g.Y(4)},
                        {g.X(15), g.Y(15)}, {g.X(1), g.Y(15)}, {g.X(1), g.Y(1)}};
  Polyline(dc, body, 6);
  UniqueBrush fill(CreateSolidBrush(color));
  const RECT shutter{g.X(4), g.Y(1), g.X(11), g.Y(6)};
  FillRect(dc, &shutter, fill.get());
  Rectangle(dc, g.X(4), g.Y(9), g.X(12) + 1, g.Y(15));
}

void DrawFolder(HDC dc, const Grid& g) {
  const POINT outline[] = {{g.X(1), g.Y(3)},   {g.X(6), g.Y(3)},   {g.X(8), g.Y(5)}, {g.X(15), g.Y(5)},
                           {g.X(15), g.Y(14)}, {g.X(1), g.Y(14)},  {g.X(1), g.Y(3)}};
  Polyline(dc, outline, 7);
  MoveToEx(dc, g.X(1), g.Y(7), nullptr);
  LineTo(dc, g.X(15), g.Y(7));
}

}  // namespace

void DrawBuiltinIcon(HDC dc, BuiltinIcon icon, const RECT& r, COLORREF color) {
  SavedDcState saved(dc);
  // One line of the 16 x 16 grid is a pixel wide at 100% and grows with the scale.
  UniquePen pen(CreatePen(PS_SOLID, std::max(1, static_cast<int>(r.right - r.left) / 16), color));
  SelectScope selectPen(dc, pen.get());
  SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
  const Grid grid{r};
  switch (icon) {
    case BuiltinIcon::Add: DrawAdd(dc, grid); break;
    case BuiltinIcon::Save: DrawSave(dc, grid, color); break;
    case BuiltinIcon::Folder: DrawFolder(dc, grid); break;
    case BuiltinIcon::None: break;
  }
}

std::unique_ptr<ChildPeer> CreateLabelPeer(Label& label, TopWindow& top) {
  return std::make_unique<LabelPeer>(label, top);
}

std::unique_ptr<ChildPeer> CreateImagePeer(Image& image, TopWindow& top) {
  return std::make_unique<ImagePeer>(image, top);
}

}  // namespace velvane::ui::win32
