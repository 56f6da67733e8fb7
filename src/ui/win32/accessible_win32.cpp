// Screen readers ask each window what it is (WM_GETOBJECT) and get one small IAccessible that reads the forms layer's
// answers (Control::Accessible()): a control's window answers for the control, a top window's client area for the
// window, with its controls as children in reading order. A system control (edit, list box, button) keeps the
// system's own object behind ours: ours gives the name, and passes everything else on where the system's object
// knows the control (Windows' do); where it does not (Wine's list boxes and buttons are bare client areas), ours
// answers the role, the state, the rows and the default action too.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <string>

#include "platform/win32/system_library.h"
#include "ui/win32/win32_forms.h"

#if defined(__GNUC__)
// COM interfaces have no virtual destructor: their objects end through Release.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

namespace velvane::ui::win32 {

namespace {

// mingw's oleacc import library carries another value under this name.
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// oleacc, oleaut32 and ole32, from the system folder, the first time a screen reader asks: most starts never need them.
struct Library {
  LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* createStdObject)(HWND, LONG, REFIID, void**) = nullptr;
  HRESULT(WINAPI* objectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
  BSTR(WINAPI* allocString)(const OLECHAR*, UINT) = nullptr;
  HRESULT(WINAPI* disconnect)(LPUNKNOWN, DWORD) = nullptr;
  bool Ready() const { return lresultFromObject && createStdObject && objectFromWindow && allocString && disconnect; }
};

const Library& Accessibility() {
  static const Library library = [] {
    using platform::win32::SystemFunction;
    // Our objects live in this thread's apartment: a screen reader's calls arrive through the message loop.
    if (const auto initialize = SystemFunction<HRESULT(WINAPI*)(LPVOID, DWORD)>(L"ole32.dll", "CoInitializeEx"))
      (void)initialize(nullptr, COINIT_APARTMENTTHREADED);
    Library lib;
    lib.lresultFromObject = SystemFunction<decltype(lib.lresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    lib.createStdObject = SystemFunction<decltype(lib.createStdObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    lib.objectFromWindow = SystemFunction<decltype(lib.objectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
    lib.allocString = SystemFunction<decltype(lib.allocString)>(L"oleaut32.dll", "SysAllocStringLen");
    lib.disconnect = SystemFunction<decltype(lib.disconnect)>(L"ole32.dll", "CoDisconnectObject");
    return lib;
  }();
  return library;
}

LONG RoleCode(Role role) {
  switch (role) {
    case Role::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case Role::CheckButton: return ROLE_SYSTEM_CHECKBUTTON;
    case Role::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case Role::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case Role::Text: return ROLE_SYSTEM_TEXT;
    case Role::List: return ROLE_SYSTEM_LIST;
    case Role::ListItem: return ROLE_SYSTEM_LISTITEM;
  }
  return ROLE_SYSTEM_CLIENT;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = Accessibility().allocString(text.c_str(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

// VariantInit without oleaut32: an empty variant is all zeros.
void Empty(VARIANT* v) { *v = VARIANT{}; }

HRESULT Number(LONG value, VARIANT* out) {
  if (!out) return E_POINTER;
  Empty(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

HRESULT Object(IDispatch* object, VARIANT* out) {
  if (!out) return E_POINTER;
  Empty(out);
  if (!object) return S_FALSE;
  out->vt = VT_DISPATCH;
  out->pdispVal = object;
  return S_OK;
}

HRESULT Location(RECT r, LONG* x, LONG* y, LONG* w, LONG* h) {
  if (!x || !y || !w || !h) return E_POINTER;
  *x = r.left, *y = r.top, *w = r.right - r.left, *h = r.bottom - r.top;
  return S_OK;
}

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The IUnknown of our objects: one count of references, and the object answers as IAccessible and its bases.
template <typename Derived>
class Counted : public IAccessible {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, kIidAccessible) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, IID_IUnknown))
      return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(refs);
  }

private:
  LONG refs_ = 1;
};

}  // namespace

// One object per window of ours: a control's, or a top window's client area (peer nullptr).
class AccessibleObject final : public Counted<AccessibleObject> {
public:
  AccessibleObject(TopWindow& top, ChildPeer* peer) : top_(&top), peer_(peer) {
    if (!peer_) return;
    const Library& lib = Accessibility();
    if (peer_->Windowless() || !lib.createStdObject ||
        FAILED(lib.createStdObject(peer_->Hwnd(), OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&system_))))
      return;
    VARIANT role{};
    const VARIANT self = Self();
    knows_ = system_ && SUCCEEDED(system_->get_accRole(self, &role)) && role.vt == VT_I4 && role.lVal != ROLE_SYSTEM_CLIENT;
  }

  // The window is going: every later question fails, and the screen readers' references are cut off.
  void Detach() {
    top_ = nullptr;
    peer_ = nullptr;
    if (system_) system_->Release();
    system_ = nullptr;
    Accessibility().disconnect(this, 0);
  }

  // ---- IDispatch ----
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return count ? S_OK : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // ---- IAccessible ----
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (!peer_) return Accessibility().objectFromWindow(top_->Hwnd(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                                        reinterpret_cast<void**>(parent));
    Control* group = peer_->Model().AccessibleParent();
    *parent = group ? ObjectOf(group) : top_->ScreenReaderObject();
    return *parent ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (knows_) return system_->get_accChildCount(count);
    *count = static_cast<LONG>(Children().size()) + Rows();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (knows_) return system_->get_accChild(child, out);
    const std::vector<Control*> children = Children();
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<LONG>(children.size()) + Rows())
      return E_INVALIDARG;
    if (child.lVal > static_cast<LONG>(children.size())) return S_FALSE;  // a row: no object of its own
    *out = ObjectOf(children[static_cast<size_t>(child.lVal - 1)]);
    return *out ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(name);
    if (row > 0 && knows_) return system_->get_accName(child, name);
    if (row > 0) return Text(List()->Item(row - 1), name);
    return Text(peer_ ? peer_->Model().Accessible().name : top_->Model().AccessibleName(), name);
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(value);
    if (knows_) return system_->get_accValue(child, value);
    return Text(peer_ && row == 0 ? peer_->Model().Accessible().value : std::wstring(), value);
  }

  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(description);
    const std::wstring ours = peer_ && row == 0 ? peer_->Model().Accessible().description : std::wstring();
    if (ours.empty() && knows_) return system_->get_accDescription(child, description);
    return Text(ours, description);
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(role);
    if (knows_) return system_->get_accRole(child, role);
    if (row > 0) return Number(ROLE_SYSTEM_LISTITEM, role);
    return Number(peer_ ? RoleCode(peer_->Model().GetRole()) : ROLE_SYSTEM_CLIENT, role);
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(state);
    if (knows_) return system_->get_accState(child, state);
    if (row > 0) return Number(RowState(row - 1), state);
    return Number(State(), state);
  }

  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    if (Row(child) < 0) return Invalid(help);
    return knows_ ? system_->get_accHelp(child, help) : Text({}, help);
  }

  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (Row(child) < 0) return Invalid(file);
    return knows_ ? system_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (Row(child) < 0) return Invalid(shortcut);
    return knows_ ? system_->get_accKeyboardShortcut(child, shortcut) : Text({}, shortcut);
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    Empty(focus);
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (knows_) return system_->get_accFocus(focus);
    const HWND focused = GetFocus();
    if (peer_) {
      if (focused != peer_->Hwnd()) return S_FALSE;
      const ListBox* list = List();
      return Number(list && list->ListIndex() >= 0 ? list->ListIndex() + 1 : CHILDID_SELF, focus);
    }
    if (focused == top_->Hwnd()) return Number(CHILDID_SELF, focus);
    // The focused control, or the child of ours that holds it (the list of a focused row).
    Control* control = top_->ControlOf(focused);
    while (control && control->AccessibleParent()) control = control->AccessibleParent();
    return Object(control ? ObjectOf(control) : nullptr, focus);
  }

  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    Empty(selection);
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (knows_) return system_->get_accSelection(selection);
    const ListBox* list = List();
    return list && list->ListIndex() >= 0 ? Number(list->ListIndex() + 1, selection) : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const LONG row = Row(child);
    if (row < 0) return Invalid(action);
    if (knows_) return system_->get_accDefaultAction(child, action);
    if (row > 0) return Text(List()->CheckBoxes() ? L"Check" : L"Select", action);
    return Text(peer_ ? peer_->Model().Accessible().defaultAction : std::wstring(), action);
  }

  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    if (Row(child) < 0) return E_INVALIDARG;
    if (knows_) return system_->accSelect(flags, child);
    if (peer_ && (flags & SELFLAG_TAKEFOCUS)) peer_->Model().Focus();
    return peer_ ? S_OK : E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT child) override {
    const LONG row = Row(child);
    if (row < 0) return E_INVALIDARG;
    if (knows_) return system_->accLocation(x, y, w, h, child);
    if (!peer_) {
      RECT client{};
      GetClientRect(top_->Hwnd(), &client);
      MapWindowPoints(top_->Hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
      return Location(client, x, y, w, h);
    }
    if (row > 0) {
      RECT item{};
      SendMessageW(peer_->Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
      MapWindowPoints(peer_->Hwnd(), nullptr, reinterpret_cast<POINT*>(&item), 2);
      return Location(item, x, y, w, h);
    }
    // A control that holds others (a list of rows) covers them too.
    RECT r = ScreenRect(peer_->Hwnd());
    for (Control* member : Children()) {
      const RECT m = ScreenRect(reinterpret_cast<HWND>(member->NativeHandle()));
      UnionRect(&r, &r, &m);
    }
    return Location(r, x, y, w, h);
  }

  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    Empty(end);
    const LONG row = Row(start);
    if (row < 0) return E_INVALIDARG;
    if (knows_) return system_->accNavigate(direction, start, end);
    if (row > 0) {
      const LONG next = direction == NAVDIR_NEXT || direction == NAVDIR_DOWN ? row + 1
                        : direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP ? row - 1 : 0;
      return next >= 1 && next <= Rows() ? Number(next, end) : S_FALSE;
    }
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      const std::vector<Control*> children = Children();
      if (!children.empty()) return Object(ObjectOf(direction == NAVDIR_FIRSTCHILD ? children.front() : children.back()), end);
      return Rows() > 0 ? Number(direction == NAVDIR_FIRSTCHILD ? 1 : Rows(), end) : S_FALSE;
    }
    if (!peer_ || (direction != NAVDIR_NEXT && direction != NAVDIR_PREVIOUS)) return S_FALSE;
    // The next or previous control in the reading order among the same parent's.
    const std::vector<Control*> siblings = top_->Model().AccessibleChildren(peer_->Model().AccessibleParent());
    const auto at = std::find(siblings.begin(), siblings.end(), &peer_->Model());
    if (at == siblings.end()) return S_FALSE;
    if (direction == NAVDIR_NEXT) return at + 1 == siblings.end() ? S_FALSE : Object(ObjectOf(*(at + 1)), end);
    return at == siblings.begin() ? S_FALSE : Object(ObjectOf(*(at - 1)), end);
  }

  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (!child) return E_POINTER;
    Empty(child);
    if (!top_) return CO_E_OBJNOTCONNECTED;
    if (knows_) return system_->accHitTest(x, y, child);
    const HWND self = peer_ ? peer_->Hwnd() : top_->Hwnd();
    POINT at{x, y};
    RECT area{};
    if (!GetWindowRect(self, &area) || !PtInRect(&area, at)) return S_FALSE;
    if (peer_ && List()) {
      ScreenToClient(self, &at);
      const LRESULT hit = SendMessageW(self, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
      return Number(HIWORD(hit) ? CHILDID_SELF : static_cast<LONG>(LOWORD(hit)) + 1, child);
    }
    // The control under the point, or the child of ours that holds it.
    POINT inTop{x, y};
    ScreenToClient(top_->Hwnd(), &inTop);
    Control* hit = top_->ControlOf(ChildWindowFromPointEx(top_->Hwnd(), inTop, CWP_SKIPINVISIBLE));
    const Control* own = peer_ ? &peer_->Model() : nullptr;
    while (hit && hit->AccessibleParent() != own) hit = hit->AccessibleParent();
    return hit ? Object(ObjectOf(hit), child) : Number(CHILDID_SELF, child);
  }

  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const LONG row = Row(child);
    if (row < 0) return E_INVALIDARG;
    if (knows_) return system_->accDoDefaultAction(child);
    if (!peer_ || (row == 0 && peer_->Model().Accessible().defaultAction.empty())) return DISP_E_MEMBERNOTFOUND;
    // Done after this call returns, as a click would be: the action may open dialogs or close the window.
    top_->PostDefaultAction(*peer_, row);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    if (Row(child) < 0) return E_INVALIDARG;
    return system_ ? system_->put_accValue(child, value) : E_NOTIMPL;
  }

private:
  friend class Counted<AccessibleObject>;
  ~AccessibleObject() = default;

  static VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
  }
  static HRESULT Invalid(BSTR* out) {
    if (out) *out = nullptr;
    return E_INVALIDARG;
  }
  static HRESULT Invalid(VARIANT* out) {
    if (out) Empty(out);
    return E_INVALIDARG;
  }

  const ListBox* List() const {
    return peer_ && peer_->Model().Kind() == ControlKind::ListBox ? static_cast<const ListBox*>(&peer_->Model()) : nullptr;
  }
  LONG Rows() const { return List() ? List()->ItemCount() : 0; }
  // 0 for the object itself, 1 and up for a list's rows, -1 for anything else (or a dead object).
  LONG Row(const VARIANT& child) const {
    if (!top_ || child.vt != VT_I4) return -1;
    if (child.lVal == CHILDID_SELF) return 0;
    return child.lVal >= 1 && child.lVal <= Rows() ? child.lVal : -1;
  }
  std::vector<Control*> Children() const {
    return top_ ? top_->Model().AccessibleChildren(peer_ ? &peer_->Model() : nullptr) : std::vector<Control*>{};
  }
  IDispatch* ObjectOf(Control* control) const {
    auto* peer = control ? static_cast<ChildPeer*>(control->Peer()) : nullptr;
    return peer ? peer->ScreenReaderObject() : nullptr;
  }

  LONG State() const {
    LONG state = 0;
    if (!peer_) {
      if (!IsWindowVisible(top_->Hwnd())) state |= STATE_SYSTEM_INVISIBLE;
      return state | STATE_SYSTEM_FOCUSABLE | (GetFocus() == top_->Hwnd() ? STATE_SYSTEM_FOCUSED : 0);
    }
    const AccessibleInfo info = peer_->Model().Accessible();
    if (info.focusable) state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == peer_->Hwnd()) state |= STATE_SYSTEM_FOCUSED;
    if (info.checked) state |= STATE_SYSTEM_CHECKED;
    if (info.invisible || !IsWindowVisible(top_->Hwnd())) state |= STATE_SYSTEM_INVISIBLE;
    if (info.unavailable) state |= STATE_SYSTEM_UNAVAILABLE;
    if (info.role == Role::StaticText || info.role == Role::Graphic) state |= STATE_SYSTEM_READONLY;
    return state;
  }
  LONG RowState(int row) const {
    const ListBox& list = *List();
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (list.ListIndex() == row) {
      state |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == peer_->Hwnd()) state |= STATE_SYSTEM_FOCUSED;
    }
    if (list.Checked(row)) state |= STATE_SYSTEM_CHECKED;
    return state;
  }

  TopWindow* top_;
  ChildPeer* peer_;
  IAccessible* system_ = nullptr;  // the system's object of a system control
  bool knows_ = false;             // ... and it knows what the control is
};

// The frame of a top window: the system's own object, answering with the name the window gives screen readers instead
// of its caption (the side bar's caption is a design key, never meant to be heard). The name is taken when the object
// is made: a screen reader asks again after each event.
class FrameObject final : public Counted<FrameObject> {
public:
  FrameObject(IAccessible* system, std::wstring name) : system_(system), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return system_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return system_->GetTypeInfo(i, l, t); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return system_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                   UINT* a) override {
    return system_->Invoke(d, r, l, f, p, v, e, a);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) return Text(name_, name);
    return system_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return system_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** o) override { return system_->get_accChild(c, o); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override { return system_->get_accValue(c, v); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override { return system_->get_accDescription(c, d); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* r) override { return system_->get_accRole(c, r); }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override { return system_->get_accState(c, s); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return system_->get_accHelp(c, h); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
    return system_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    return system_->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return system_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return system_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    return system_->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override { return system_->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
    return system_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override { return system_->accNavigate(d, s, e); }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override { return system_->accHitTest(x, y, c); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return system_->accDoDefaultAction(c); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return system_->put_accName(c, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return system_->put_accValue(c, v); }

private:
  friend class Counted<FrameObject>;
  ~FrameObject() { system_->Release(); }

  IAccessible* system_;
  std::wstring name_;
};

// ---- The slot a window keeps its object in ----

AccessibleSlot::~AccessibleSlot() { Reset(); }

void AccessibleSlot::Reset() {
  if (!object_) return;
  object_->Detach();
  object_->Release();
  object_ = nullptr;
}

IDispatch* AccessibleSlot::Get(TopWindow& top, ChildPeer* peer) {
  if (!Accessibility().Ready()) return nullptr;
  if (!object_) object_ = new AccessibleObject(top, peer);
  object_->AddRef();
  return object_;
}

LRESULT AccessibleSlot::Answer(WPARAM wParam, LPARAM lParam, TopWindow& top, ChildPeer* peer) {
  // The client area is ours to describe, and a top window's frame takes our name; the rest stays the system's.
  IUnknown* object = nullptr;
  if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    object = Get(top, peer);
  } else if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_WINDOW) && !peer && Accessibility().Ready()) {
    IAccessible* system = nullptr;
    if (SUCCEEDED(Accessibility().createStdObject(top.Hwnd(), OBJID_WINDOW, kIidAccessible,
                                                  reinterpret_cast<void**>(&system))) && system)
      object = new FrameObject(system, top.Model().AccessibleName());
  }
  if (!object) return 0;
  const LRESULT result = Accessibility().lresultFromObject(kIidAccessible, wParam, object);
  object->Release();
  return result;
}

void TellScreenReaders(DWORD event, HWND hwnd, LONG child) {
  if (hwnd) NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}

}  // namespace velvane::ui::win32
