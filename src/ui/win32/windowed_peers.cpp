// The controls that are real system windows: text boxes (EDIT), list boxes (LISTBOX, owner-drawn with check boxes),
// buttons and check boxes (BUTTON).
#include <windows.h>

#include <algorithm>

#include "ui/win32/win32_forms.h"

namespace velvane::ui::win32 {

namespace {

// The side of the check box drawn on every row of a check-box list, and the room around it.
constexpr int kCheckSize = 13;
constexpr int kCheckMargin = 2;
// Text boxes keep a little air between their border and the text.
constexpr int kEditMargin = 2;

class TextBoxPeer final : public ChildPeer {
public:
  TextBoxPeer(TextBox& box, TopWindow& top) : ChildPeer(box, top), box_(box) {
    DWORD style = WS_TABSTOP | WS_BORDER;
    style |= box.MultiLine() ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
    Create(L"EDIT", style, 0);
    if (!hwnd_) return;
    SendMessageW(hwnd_.get(), EM_SETLIMITTEXT, 0, 0);  // no limit but memory: the notes may be long
    ApplyMargins();
  }

  void DpiChanged() override {
    ChildPeer::DpiChanged();
    ApplyMargins();  // a new font resets them
  }

  void SelectionSet(int start, int length) override {
    if (!hwnd_) return;
    SendMessageW(hwnd_.get(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
    SendMessageW(hwnd_.get(), EM_SCROLLCARET, 0, 0);
  }

  std::optional<std::pair<int, int>> ScreenSelection() const override {
    if (!hwnd_) return std::nullopt;
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::make_pair(static_cast<int>(start), static_cast<int>(end) - static_cast<int>(start));
  }

  void SelectionReplaced(int start, int length, const std::wstring& text) override {
    const HWND hwnd = hwnd_.get();
    if (!hwnd) return;
    // Replacing on screen keeps the scroll position and the undo step of the box.
    applying_ = true;
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(start), start + length);
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    if (WindowText(hwnd) != box_.Text()) SetWindowTextW(hwnd, box_.Text().c_str());
    applying_ = false;
    const int caret = start + static_cast<int>(text.size());
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(caret), caret);
  }

  void OnCommand(int code) override {
    if (code == EN_CHANGE && !applying_ && hwnd_) box_.NotifyTextChanged(WindowText(hwnd_.get()));
  }

  HBRUSH OnCtlColor(HDC dc) override {
    SetTextColor(dc, ToColorRef(box_.ShownForeColor()));
    SetBkColor(dc, ToColorRef(box_.ShownBackColor()));
    return Brush(box_.ShownBackColor());
  }

protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_CHAR: return OnChar(static_cast<wchar_t>(wParam), lParam);
      case WM_KEYDOWN:
        box_.NotifyKeyDown(KeyEvent{static_cast<int>(wParam), ShiftState()});
        // Escape in a multi-line box run by the dialog keys would close the whole window.
        if (wParam == VK_ESCAPE && box_.MultiLine()) return 0;
        break;
      // With Alt held a key's release arrives as WM_SYSKEYUP (Alt+Enter in the launcher box).
      case WM_KEYUP:
      case WM_SYSKEYUP: box_.NotifyKeyUp(KeyEvent{static_cast<int>(wParam), ShiftState()}); break;
      case WM_GETDLGCODE: {
        // Enter and Escape belong to the box (its key events see them); Tab moves on, in multi-line boxes too.
        LRESULT code = CallOriginal(msg, wParam, lParam) & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (message && (message->message == WM_KEYDOWN || message->message == WM_CHAR) &&
            (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE))
          code |= DLGC_WANTMESSAGE;
        return code;
      }
      default: break;
    }
    return ChildPeer::OnMessage(msg, wParam, lParam);
  }

private:
  void ApplyMargins() {
    const int margin = top_.Scale(kEditMargin);
    if (hwnd_) SendMessageW(hwnd_.get(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
  }

  LRESULT OnChar(wchar_t ch, LPARAM lParam) {
    const HWND hwnd = hwnd_.get();
    ch = box_.NotifyKeyPress(ch);
    // The handler may have closed the window; a dropped character goes nowhere.
    if (ch == 0 || !hwnd_ || hwnd_.get() != hwnd) return 0;
    // A one-line box cannot hold these; the system would only beep.
    if (!box_.MultiLine() && (ch == L'\r' || ch == L'\n' || ch == 0x1B)) return 0;
    return CallOriginal(WM_CHAR, ch, lParam);
  }

  TextBox& box_;
};

class ListBoxPeer final : public ChildPeer {
public:
  ListBoxPeer(ListBox& list, TopWindow& top) : ChildPeer(list, top), list_(list) {
    DWORD style = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (list.CheckBoxes()) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    Create(L"LISTBOX", style, 0);
    for (int row = 0; row < list.ItemCount(); ++row) ItemAdded(row);
  }

  void Update(ControlChange what) override {
    if (what == ControlChange::ListIndex && hwnd_) {
      applying_ = true;
      SendMessageW(hwnd_.get(), LB_SETCURSEL, static_cast<WPARAM>(list_.ListIndex()), 0);
      applying_ = false;
      return;
    }
    ChildPeer::Update(what);
  }

  void ItemsCleared() override {
    if (hwnd_) SendMessageW(hwnd_.get(), LB_RESETCONTENT, 0, 0);
  }

  void ItemAdded(int row) override {
    if (hwnd_) SendMessageW(hwnd_.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list_.Item(row).c_str()));
  }

  void ItemChecked(int row) override {
    RECT item{};
    if (hwnd_ && SendMessageW(hwnd_.get(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) !=
                     LB_ERR)
      InvalidateRect(hwnd_.get(), &item, TRUE);
  }

  void OnCommand(int code) override {
    if (code == LBN_SELCHANGE && !applying_ && hwnd_)
      list_.NotifyListIndex(static_cast<int>(SendMessageW(hwnd_.get(), LB_GETCURSEL, 0, 0)));
  }

  HBRUSH OnCtlColor(HDC dc) override {
    SetTextColor(dc, ToColorRef(list_.ShownForeColor()));
    SetBkColor(dc, ToColorRef(list_.ShownBackColor()));
    return Brush(list_.ShownBackColor());
  }

  void OnMeasureItem(MEASUREITEMSTRUCT* item) override {
    // Called while the list is being created: measured with the font of the control, which exists by then.
    item->itemHeight = static_cast<UINT>(RowHeight());
  }

  void DpiChanged() override {
    ChildPeer::DpiChanged();
    if (hwnd_ && list_.CheckBoxes()) SendMessageW(hwnd_.get(), LB_SETITEMHEIGHT, 0, RowHeight());
  }

  void OnDrawItem(const DRAWITEMSTRUCT* item) override {
    if (item->itemID == static_cast<UINT>(-1) || static_cast<int>(item->itemID) >= list_.ItemCount()) {
      if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
      return;
    }
    const int row = static_cast<int>(item->itemID);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    UniqueBrush back(CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : ToColorRef(list_.ShownBackColor())));
    FillRect(dc, &r, back.get());
    const int size = top_.Scale(kCheckSize), margin = top_.Scale(kCheckMargin);
    const int top = r.top + (r.bottom - r.top - size) / 2;
    RECT box{r.left + margin, top, r.left + margin + size, top + size};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (list_.Checked(row) ? DFCS_CHECKED : 0));
    RECT text = r;
    text.left = box.right + 2 * margin;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ToColorRef(list_.ShownForeColor()));
    SelectScope font(dc, font_.get());
    const std::wstring& caption = list_.Item(row);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  }

protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_LBUTTONDOWN:
        if (list_.CheckBoxes()) return OnCheckClick(wParam, lParam);
        break;
      case WM_KEYDOWN:
        list_.NotifyKeyDown(KeyEvent{static_cast<int>(wParam), ShiftState()});
        if (wParam == VK_SPACE && list_.CheckBoxes()) {
          const int row = static_cast<int>(SendMessageW(hwnd_.get(), LB_GETCURSEL, 0, 0));
          if (row >= 0) list_.NotifyCheckToggled(row);
          return 0;
        }
        break;
      case WM_CHAR:
        if (wParam == L' ' && list_.CheckBoxes()) return 0;  // not a search for rows beginning with a blank
        break;
      default: break;
    }
    return ChildPeer::OnMessage(msg, wParam, lParam);
  }

private:
  int RowHeight() const {
    WindowDc dc(top_.Hwnd());
    SelectScope font(dc.get(), font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return std::max<int>(metrics.tmHeight + top_.Scale(2), top_.Scale(kCheckSize + 2 * kCheckMargin));
  }

  LRESULT OnCheckClick(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ChildPeer::OnMessage(WM_LBUTTONDOWN, wParam, lParam);
    if (!hwnd_) return result;
    const LRESULT hit = SendMessageW(hwnd_.get(), LB_ITEMFROMPOINT, 0, lParam);
    const int row = LOWORD(hit);
    const bool outside = HIWORD(hit) != 0;
    const int x = static_cast<short>(LOWORD(lParam));
    // Only a click on the box itself ticks it; a click on the text selects the row.
    if (!outside && x < top_.Scale(kCheckMargin * 2 + kCheckSize)) list_.NotifyCheckToggled(row);
    return result;
  }

  ListBox& list_;
};

class ButtonPeer final : public ChildPeer {
public:
  ButtonPeer(Button& button, TopWindow& top) : ChildPeer(button, top) {
    Create(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0);
  }

  void OnCommand(int code) override {
    if (code == BN_CLICKED) control_.NotifyClick();
  }
};

class CheckBoxPeer final : public ChildPeer {
public:
  CheckBoxPeer(CheckBox& box, TopWindow& top) : ChildPeer(box, top), box_(box) {
    Create(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0);
    KeepClassicLook(hwnd_.get());
    Update(ControlChange::Value);
  }

  void Update(ControlChange what) override {
    if (what == ControlChange::Value) {
      if (hwnd_) SendMessageW(hwnd_.get(), BM_SETCHECK, box_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      TellScreenReaders(EVENT_OBJECT_STATECHANGE, hwnd_.get());
      return;
    }
    ChildPeer::Update(what);
  }

  void OnCommand(int code) override {
    if (code == BN_CLICKED && hwnd_)
      box_.NotifyValue(SendMessageW(hwnd_.get(), BM_GETCHECK, 0, 0) == BST_CHECKED);
  }

  HBRUSH OnCtlColor(HDC dc) override {
    const Color back = box_.ShownBackColor();
    SetTextColor(dc, ToColorRef(box_.ShownForeColor()));
    SetBkColor(dc, ToColorRef(back));
    return Brush(back);
  }

private:
  CheckBox& box_;
};

}  // namespace

std::unique_ptr<ChildPeer> CreateTextBoxPeer(TextBox& box, TopWindow& top) {
  return std::make_unique<TextBoxPeer>(box, top);
}

std::unique_ptr<ChildPeer> CreateListBoxPeer(ListBox& list, TopWindow& top) {
  return std::make_unique<ListBoxPeer>(list, top);
}

std::unique_ptr<ChildPeer> CreateButtonPeer(Button& button, TopWindow& top) {
  return std::make_unique<ButtonPeer>(button, top);
}

std::unique_ptr<ChildPeer> CreateCheckBoxPeer(CheckBox& box, TopWindow& top) {
  return std::make_unique<CheckBoxPeer>(box, top);
}

}  // namespace velvane::ui::win32
