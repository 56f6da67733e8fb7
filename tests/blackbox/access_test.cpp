// The side bar and its dialogs as screen-reader and keyboard users meet them: read through MSAA from this process, as
// a screen reader reads another program, and walked with keys from the system's input queue.
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

using namespace velvane::test;

// mingw's oleacc import library carries another value under this name.
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr wchar_t kCopied[] = L"Copied first\r\nthen a second line";
// The names of the buttons and pictures below the launcher box and beside it, in reading order.
constexpr const wchar_t* kButtons[] = {L"_main:eadd", L"_main:elist", L"_main:onotepad", L"_btn:about",
                                       L"_main:oconfiguration", L"_main:ohide", L"_main:oclose", L"_acc:ssfolder",
                                       L"_acc:sskind0"};

struct Releaser { void operator()(IUnknown* p) const { p->Release(); } };
using Object = std::unique_ptr<IAccessible, Releaser>;

VARIANT Id(long child = CHILDID_SELF) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

Object ObjectOf(HWND window, LONG part = OBJID_CLIENT) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, static_cast<DWORD>(part), kIidAccessible, reinterpret_cast<void**>(&object));
  return Object(object);
}

std::wstring NameOf(IAccessible* object, long child = CHILDID_SELF) {
  BSTR name = nullptr;
  const std::wstring text = object && object->get_accName(Id(child), &name) == S_OK && name ? name : L"";
  SysFreeString(name);
  return text;
}

// The role, the name and the states that matter here, as one line.
std::wstring Describe(IAccessible* object, long child = CHILDID_SELF) {
  static const std::map<long, std::wstring> kRoles{{ROLE_SYSTEM_CLIENT, L"client"}, {ROLE_SYSTEM_PUSHBUTTON, L"button"},
      {ROLE_SYSTEM_CHECKBUTTON, L"check"}, {ROLE_SYSTEM_STATICTEXT, L"text"}, {ROLE_SYSTEM_GRAPHIC, L"picture"},
      {ROLE_SYSTEM_TEXT, L"edit"}, {ROLE_SYSTEM_LIST, L"list"}, {ROLE_SYSTEM_LISTITEM, L"item"}};
  VARIANT role{}, state{};
  if (!object) return L"(no object)";
  object->get_accRole(Id(child), &role);
  object->get_accState(Id(child), &state);
  const auto known = kRoles.find(role.lVal);
  std::wstring line = (known != kRoles.end() ? known->second : std::to_wstring(role.lVal)) + L" " + NameOf(object, child);
  if (state.lVal & STATE_SYSTEM_CHECKED) line += L" [checked]";
  if (state.lVal & STATE_SYSTEM_INVISIBLE) line += L" [invisible]";
  return line;
}

// Everything in the object, depth first, a line each, the contents of a list indented.
void Walk(IAccessible* object, std::vector<std::wstring>& lines, const std::wstring& indent = L"") {
  long count = 0, got = 0;
  object->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(count));
  AccessibleChildren(object, 0, count, children.data(), &got);
  for (long i = 0; i < got; ++i) {
    IAccessible* child = nullptr;
    if (children[i].vt == VT_DISPATCH) children[i].pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&child));
    if (child) {
      lines.push_back(indent + Describe(child));
      Walk(child, lines, indent + L"  ");
      child->Release();
    } else if (children[i].vt == VT_I4) {
      lines.push_back(indent + Describe(object, children[i].lVal));
    }
    VariantClear(&children[i]);
  }
}

// The name of the object that took the keyboard focus last, as a screen reader hears of it.
std::wstring gHeard;

void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT id{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &accessible, &id)) && accessible) {
    gHeard = NameOf(accessible, id.vt == VT_I4 ? id.lVal : CHILDID_SELF);
    accessible->Release();
  }
}

void Tap(WORD key) {
  Key(key, false, 60);
  Key(key, true, 60);
}

// A key pressed and released (Shift held with it when asked), and the name heard after it ("" when none).
std::wstring Press(WORD key, bool shift = false) {
  gHeard = L"\n";
  if (shift) Key(VK_SHIFT, false, 30);
  Tap(key);
  if (shift) Key(VK_SHIFT, true, 30);
  WaitUntil([] { return Pump(), gHeard != L"\n"; }, 2000);
  Pump(50);
  return gHeard == L"\n" ? L"" : gHeard;
}

HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

double Contrast(std::uint32_t a, std::uint32_t b) {
  const auto luminance = [](std::uint32_t rgb) {
    double l = 0;
    for (const auto& [shift, weight] : {std::pair(16, 0.2126), {8, 0.7152}, {0, 0.0722}}) {
      const double c = (rgb >> shift & 0xFF) / 255.0;
      l += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return l + 0.05;
  };
  return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// The most common colour of the picture's pixels in the band between the two rectangles (picture coordinates).
std::uint32_t CommonColor(const Picture& shot, const RECT& outer, const RECT& inner) {
  std::map<std::uint32_t, int> counts;
  for (int y = outer.top; y < outer.bottom; ++y)
    for (int x = outer.left; x < outer.right; ++x)
      if (!PtInRect(&inner, POINT{x, y})) ++counts[shot.At(x, y)];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

std::string Lines(const std::vector<std::wstring>& lines) {
  std::wstring all;
  for (const std::wstring& line : lines) all += L"\n" + line;
  return Utf8(all);
}

class Access : public BlackBoxTest {
protected:
  void SetUp() override {
    BlackBoxTest::SetUp();
    CoInitialize(nullptr);
    SetCursorPos(0, 0);  // away from the bar, whose info line follows the pointer
    // One entry in each list: a copied text, a file on the shelf, a to-do item.
    ASSERT_TRUE(Copy(kCopied));
    ASSERT_TRUE(WriteBytes(installation_.DataFile(L"tempfiles.qdt"), "C:\\notes.txt\r[END]\r\n"));
    ASSERT_TRUE(WriteBytes(installation_.DataFile(L"todo.qdt"), "buy milk\r[END]\r\n"));
  }
  void TearDown() override { CoUninitialize(); }
  std::wstring T(const wchar_t* key) const { return installation_.Text(key); }
  std::wstring Lock(int row) const {  // "Lock entry 1"
    std::wstring name = T(L"_acc:lock");
    return name.replace(name.find(L"%n"), 2, std::to_wstring(row));
  }
  // The side bar shown with its clipboard row filled, and a moment for Wine to take keys again after the focus moved.
  bool Shown(SideBar& bar) {
    const bool shown = bar.Started() && bar.HandOver(L"-show") && WaitUntil([&] {
      return WindowText(ChildAt(bar.Window(), L"VelvaneLabel", 28, 42, 129, 17)).starts_with(L"Copied first");
    }, kWindowLimitMs);
    Sleep(800);
    return shown;
  }
  // The tools in the order Tab visits them after the first, back to the first.
  std::vector<std::wstring> TabOrder() const {
    std::vector<std::wstring> names{kCopied};
    for (int row = 2; row <= 6; ++row) names.push_back(Lock(row));
    names.push_back(L"TXT - notes");
    for (const wchar_t* key : {L"_acc:todoadd", L"_main:todolist", L"_acc:notesave", L"_main:notes", L"_main:execute"})
      names.push_back(T(key));
    for (const wchar_t* key : kButtons) names.push_back(T(key));
    names.push_back(Lock(1));
    return names;
  }
};

// Every tool's role, name (from the language file; a clipboard row's its whole text) and state in reading order; a lock
// checked by a click, cleared by its default action; Hide's hides the bar (frame and client "Velvane", its caption
// still the key). Esc hides it and closes the dialogs (the settings unsaved), each opened with its first control
// focused.
TEST_F(Access, EveryWindowReadsFromAnotherProcessAndEscClosesIt) {
  constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane");
  SideBar bar(installation_);
  ASSERT_TRUE(Shown(bar));
  const Object client = ObjectOf(bar.Window());
  ASSERT_TRUE(client) << "no MSAA object";
  EXPECT_EQ(Describe(client.get()), L"client " + T(L"_main:title"));
  EXPECT_EQ(NameOf(ObjectOf(bar.Window(), OBJID_WINDOW).get()), T(L"_main:title")) << "the frame";
  EXPECT_EQ(WindowText(bar.Window()), L"_main:title");
  std::vector<std::wstring> want{L"text " + T(L"_main:clipboard")};
  for (int row = 1; row <= 7; ++row) {
    if (row < 7) want.push_back(L"check " + Lock(row));
    want.push_back(row == 1 ? L"button " + std::wstring(kCopied) : row < 7 ? L"button  [invisible]" : L"text  [invisible]");
  }
  want.insert(want.end(), {L"text " + T(L"_main:tempfiles"), L"list " + T(L"_main:tempfiles"), L"  item TXT - notes"});
  want.insert(want.end(), 14, L"  item  [invisible]");
  want.insert(want.end(), {L"text " + T(L"_main:todolist"), L"button " + T(L"_acc:todoadd"),
                           L"edit " + T(L"_acc:todoentry") + L" [invisible]", L"list " + T(L"_main:todolist"),
                           L"  item buy milk", L"text " + T(L"_main:notes"), L"button " + T(L"_acc:notesave"),
                           L"edit " + T(L"_main:notes"), L"text " + T(L"_main:execute"), L"edit " + T(L"_main:execute"),
                           L"text  [invisible]"});
  for (const wchar_t* key : kButtons) want.push_back(L"button " + T(key));
  want.push_back(L"text  [invisible]");  // the info line
  std::vector<std::wstring> got;
  Walk(client.get(), got);
  EXPECT_EQ(got, want) << Lines(got);

  const HWND lock = ChildAt(bar.Window(), L"VelvaneImage", 12, 44, 9, 12);
  const Object lockObject = ObjectOf(lock);
  Click(lock);
  EXPECT_TRUE(WaitUntil([&] { return Describe(lockObject.get()) == L"check " + Lock(1) + L" [checked]"; }, kWindowLimitMs));
  ASSERT_EQ(lockObject->accDoDefaultAction(Id()), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return Describe(lockObject.get()) == L"check " + Lock(1); }, kWindowLimitMs));
  const Object hide = ObjectOf(ChildByText(bar.Window(), T(L"_main:ohide")));
  ASSERT_TRUE(hide);
  ASSERT_EQ(hide->accDoDefaultAction(Id()), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }, kHideLimitMs));

  ASSERT_TRUE(Shown(bar));
  Tap(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }, kHideLimitMs)) << "the bar stayed";
  const std::wstring winStart = T(L"_cfg:winstart");
  for (const auto& [button, caption, first] :
       {std::tuple(L"_main:oconfiguration", L"_cfg:title", winStart.c_str()), {L"_btn:about", L"_about:title", L"Close"},
        {L"_main:eadd", L"_exec:title", L"_exec:select"}, {L"_main:elist", L"_elist:title", L"_btn:del"}}) {
    ASSERT_TRUE(bar.HandOver(L"-show"));
    Click(ChildByText(bar.Window(), T(button)));
    const HWND window = WaitForWindow([&] { return TopWindow(T(caption), bar.ProcessId()); });
    ASSERT_NE(window, nullptr) << Utf8(T(caption)) << DescribeWindowsOf(bar.ProcessId());
    EXPECT_TRUE(WaitUntil([&] { return NameOf(ObjectOf(Focused(window)).get()) == T(first); }, kWindowLimitMs))
        << Utf8(T(caption)) << " opened without its first control focused";
    if (std::wstring(caption) == L"_cfg:title") {
      got.clear();
      Walk(ObjectOf(window).get(), got);
      want = {L"picture ", L"text " + T(L"_cfg:title"), L"check " + winStart};
      for (const wchar_t* key : {L"_cfg:doanim", L"_cfg:save2do", L"_cfg:savenotes", L"_cfg:savetempfiles", L"_cfg:alwaysontop"})
        want.push_back(L"check " + T(key) + (std::wstring(key) == L"_cfg:doanim" ? L"" : L" [checked]"));
      want.insert(want.end(), {L"button " + T(L"_cfg:showkeys"), L"text " + T(L"_cfg:screen"), L"button " + T(L"_cfg:skeys"),
                               L"text " + T(L"_cfg:sfolder"), L"picture ", L"text " + installation_.Setting(L"PATH", L"Screens"),
                               L"button " + T(L"_btn:edit")});
      for (const wchar_t* key : {L"_cfg:sfname", L"_cfg:sfnum"}) want.insert(want.end(), {L"text " + T(key), L"edit " + T(key)});
      want.insert(want.end(), {L"text " + T(L"_cfg:skin"), L"list " + T(L"_cfg:skin"), L"  item Daylight", L"  item Graphite",
                               L"text " + T(L"_cfg:lang"), L"list " + T(L"_cfg:lang"), L"  item English", L"  item Espa\u00f1ol",
                               L"button " + T(L"_btn:about"), L"button " + T(L"_btn:cancel"), L"button " + T(L"_btn:accept")});
      EXPECT_EQ(got, want) << Lines(got);
      Tap(VK_SPACE);  // ticks "start with Windows", which Esc then does not keep
    }
    Sleep(500);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, kWindowLimitMs)) << "Esc left " << Utf8(T(caption)) << " open";
  }
  EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Velvane", RRF_RT_REG_SZ, nullptr, nullptr, nullptr), ERROR_SUCCESS)
      << "the settings cancelled by Esc were saved";
  EXPECT_TRUE(bar.Close());
}

// After a show the focus is on the first tool; Tab visits every tool in reading order by the focus events' names,
// Shift+Tab goes back; at every stop, in both skins, the ring stands out by 3:1 from the colours on either side.
class AccessSkins : public Access, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(AccessSkins, TabVisitsEveryToolInReadingOrderWithAVisibleRing) {
  installation_.SetSetting(L"XTRA", L"Skin", GetParam());
  SideBar bar(installation_);
  ASSERT_TRUE(Shown(bar));
  EXPECT_EQ(Focused(bar.Window()), ChildAt(bar.Window(), L"VelvaneImage", 12, 44, 9, 12)) << "not on the first lock";
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, Heard, bar.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  std::vector<std::wstring> rings, heard;
  const std::vector<HWND> labels = ChildWindows(bar.Window(), L"VelvaneLabel");
  for (const std::wstring& expected : TabOrder()) {
    heard.push_back(Press(VK_TAB));
    RECT tool{};
    const HWND focus = Focused(bar.Window());
    GetWindowRect(focus, &tool);
    // Only a label has its ring right around it; the ring keeps 2 pixels away from anything else.
    if (std::find(labels.begin(), labels.end(), focus) == labels.end()) InflateRect(&tool, 2, 2);
    // In the picture: the tool (or the gap around it) 6 pixels in, the ring the 2 around it, then 2 of the surroundings.
    const RECT area{tool.left - 6, tool.top - 6, tool.right + 6, tool.bottom + 6};
    const int w = area.right - area.left, h = area.bottom - area.top;
    Picture shot;
    // Painted once the four corners of the ring agree on a colour the surroundings do not have.
    WaitUntil([&] {
      shot = CaptureScreen(area);
      const std::uint32_t c = shot.At(4, 4);
      return c == shot.At(w - 5, 4) && c == shot.At(4, h - 5) && c == shot.At(w - 5, h - 5) && c != shot.At(2, 2);
    }, 3000, 50);
    const std::uint32_t ring = shot.At(4, 4);
    const double around = Contrast(ring, CommonColor(shot, {2, 2, w - 2, h - 2}, {4, 4, w - 4, h - 4}));
    const double within = Contrast(ring, CommonColor(shot, {6, 6, w - 6, h - 6}, {8, 8, w - 8, h - 8}));
    if (around < 3 || within < 3)
      rings.push_back(expected + L": " + std::to_wstring(around) + L" around, " + std::to_wstring(within) + L" within");
  }
  EXPECT_EQ(heard, TabOrder()) << Lines(heard);
  EXPECT_TRUE(rings.empty()) << Lines(rings);
  const std::vector<std::wstring> order = TabOrder(), back{Press(VK_TAB, true), Press(VK_TAB, true)};
  EXPECT_EQ(back, (std::vector<std::wstring>{order[order.size() - 2], order[order.size() - 3]}));
  UnhookWinEvent(hook);
  EXPECT_TRUE(bar.Close());
}

INSTANTIATE_TEST_SUITE_P(Skins, AccessSkins, ::testing::Values(L"Graphite", L"Daylight"),
                         [](const auto& skin) { return Utf8(skin.param); });

}  // namespace
}  // namespace blackbox
