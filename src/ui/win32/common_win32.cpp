#include <windows.h>
#include <shellapi.h>

#include <cmath>
#include <map>

#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

COLORREF ToColorRef(Color c) { return RGB(c.r, c.g, c.b); }

int FontPixelHeight(double points, int dpi) {
  constexpr double kPointsPerInch = 72.0;
  return -static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// GDI would quietly substitute whatever it likes for a face that is not installed: we choose the stand-in ourselves.
const std::wstring& InstalledFace(const std::wstring& face) {
  static std::map<std::wstring, std::wstring> known;
  const auto it = known.find(face);
  if (it != known.end()) return it->second;
  bool found = false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  if (const WindowDc screen(nullptr); screen.get())
    EnumFontFamiliesExW(screen.get(), &wanted, &FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return known.emplace(face, found || face.empty() ? face : std::wstring(kFallbackFace)).first->second;
}

}  // namespace

UniqueFont CreateFontFor(const Font& font, int dpi) {
  return UniqueFont(CreateFontW(FontPixelHeight(font.points, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                font.italic ? TRUE : FALSE, font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                InstalledFace(font.face).c_str()));
}

namespace {

// The resource of the manifest that asks for the version 6 common controls (assets/velvane.rc.in).
constexpr WORD kCurrentControlsManifest = 3;

HANDLE CurrentControlsContext() {
  static const HANDLE context = [] {
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = Instance();
    request.lpResourceName = MAKEINTRESOURCEW(kCurrentControlsManifest);
    return CreateActCtxW(&request);  // a program without that resource (a test) keeps the classic controls
  }();
  return context;
}

}  // namespace

CurrentControls::CurrentControls(bool current) {
  const HANDLE context = current ? CurrentControlsContext() : INVALID_HANDLE_VALUE;
  active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
}

CurrentControls::~CurrentControls() {
  if (active_) DeactivateActCtx(0, cookie_);
}

void KeepClassicLook(HWND control) {
  // uxtheme is loaded on first use and kept: Windows before XP lacks it, and a static import slows every start.
  using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto setTheme = SystemFunction<SetThemeFn>(L"uxtheme.dll", "SetWindowTheme");
  if (setTheme && control) setTheme(control, L"", L"");
}

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

int HeldButtons(WPARAM wParam) {
  int held = 0;
  if (wParam & MK_LBUTTON) held |= kLeftButton;
  if (wParam & MK_RBUTTON) held |= kRightButton;
  if (wParam & MK_MBUTTON) held |= kMiddleButton;
  return held;
}

void ReportCurrentException() noexcept { ReportEventError(std::current_exception()); }

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

namespace {

// shell32 is looked up in the system folder, never imported: a static import is resolved before the program runs,
// from the program's folder first, and brings the DLLs that shell32 imports along (a planted shcore.dll ran so).
template <typename Fn>
Fn Shell32Function(const char* name) {
  return SystemFunction<Fn>(L"shell32.dll", name);
}

}  // namespace

void AcceptFiles(HWND hwnd, bool accept) {
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, accept ? exStyle | WS_EX_ACCEPTFILES : exStyle & ~WS_EX_ACCEPTFILES);
}

POINT DropPoint(HDROP drop) {
  static const auto queryPoint = Shell32Function<BOOL(WINAPI*)(HDROP, POINT*)>("DragQueryPoint");
  POINT at{};
  if (queryPoint) queryPoint(drop, &at);
  return at;
}

std::vector<std::wstring> TakeDroppedFiles(HDROP drop) {
  static const auto queryFile = Shell32Function<UINT(WINAPI*)(HDROP, UINT, wchar_t*, UINT)>("DragQueryFileW");
  static const auto finish = Shell32Function<void(WINAPI*)(HDROP)>("DragFinish");
  std::vector<std::wstring> files;
  constexpr UINT kCountQuery = 0xFFFFFFFF;
  const UINT count = queryFile ? queryFile(drop, kCountQuery, nullptr, 0) : 0;
  for (UINT i = 0; i < count; ++i) {
    const UINT length = queryFile(drop, i, nullptr, 0);
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    const UINT got = queryFile(drop, i, path.data(), length + 1);
    path.resize(got);
    files.push_back(std::move(path));
  }
  if (finish) finish(drop);
  else GlobalFree(drop);  // what DragFinish does
  return files;
}

bool LoadCommonControls() {
  // Loaded once and kept for the life of the process: the tool tip windows need its classes.
  static const bool loaded = [] {
    HMODULE module = LoadSystemLibrary(L"comctl32.dll");
    if (!module) return false;
    using InitFn = BOOL(WINAPI*)(const void*);
    struct InitCommonControlsExArgs {
      DWORD dwSize;
      DWORD dwICC;
    };
    constexpr DWORD kWin95Classes = 0x000000FF;  // ICC_WIN95_CLASSES: tool tips among them
    const InitCommonControlsExArgs args{sizeof(InitCommonControlsExArgs), kWin95Classes};
    if (auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx"))))
      init(&args);
    return true;
  }();
  return loaded;
}

}  // namespace velvane::ui::win32
