// Texts other programs copy reach the history rows; a text a password manager marks as private never does.
#include <cstring>

#include "blackbox/harness.h"

namespace blackbox {
namespace {

HWND ClipRow(HWND sideBar, int row) { return ChildAt(sideBar, L"VelvaneLabel", 28, 42 + 17 * (row - 1), 129, 17); }

// Copies like any other program: our own process owns the clipboard afterwards.
bool Copy(const std::wstring& text, bool markPrivate = false) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(mem), text.c_str(), bytes);
  GlobalUnlock(mem);
  const bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  if (ok && markPrivate)
    SetClipboardData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                     GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
  CloseClipboard();
  return ok;
}

class Clipboard : public BlackBoxTest {};

TEST_F(Clipboard, TextsCopiedElsewhereFillTheRows) {
  installation_.Configure({});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SideBar bar(installation_);
  ASSERT_TRUE(bar.Started());
  const HWND row1 = ClipRow(bar.Window(), 1), row2 = ClipRow(bar.Window(), 2), row3 = ClipRow(bar.Window(), 3);
  const HWND row4 = ClipRow(bar.Window(), 4);
  ASSERT_TRUE(row1 && row4);

  ASSERT_TRUE(Copy(L"first copy"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(row1) == L"first copy"; }, 3000)) << "row 1: " << Utf8(WindowText(row1));
  ASSERT_TRUE(Copy(L"a text longer than fifteen\r\nwith a break"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(row2) == L"a text longer t..."; }, 3000))
      << "row 2: " << Utf8(WindowText(row2));
  // What must not arrive is judged by a marker copied after it: once the marker shows, the text before it was seen.
  ASSERT_TRUE(Copy(L"my password", true));
  ASSERT_TRUE(Copy(L"marker one"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(row3) == L"marker one"; }, 3000))
      << "row 3 holds the marker, not the private text: " << Utf8(WindowText(row3));
  ASSERT_TRUE(Copy(L"first copy"));  // a duplicate keeps its place
  ASSERT_TRUE(Copy(L"marker two"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(row4) == L"marker two"; }, 3000))
      << "row 4: " << Utf8(WindowText(row4));
  EXPECT_EQ(WindowText(row1), L"first copy");
  EXPECT_EQ(WindowText(row2), L"a text longer t...");
}

}  // namespace
}  // namespace blackbox
