#include <gtest/gtest.h>

#include <chrono>

#include "lists/clipboard_history.h"
#include "lists_support.h"
#include "platform/clipboard_testing.h"

namespace velvane {
namespace {

class ListsClipboard : public test::ListsFixture {
protected:
  void SetUp() override {
    ListsFixture::SetUp();
    for (int i = 1; i <= clsClipboard::kTotal; ++i) {
      labels[static_cast<size_t>(i)] = &panel.AddLabel(L"lblClip(" + std::to_wstring(i) + L")", {28, 17 * i, 129, 17});
      if (i < clsClipboard::kTotal)
        images[static_cast<size_t>(i)] = &panel.AddImage(L"imgLock(" + std::to_wstring(i) + L")", {12, 17 * i, 9, 12});
    }
    history.Bind(labels, images);
  }
  void Copy(std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* t : texts) {
      board.Put(t);
      history.RefreshData();
    }
  }
  std::wstring Entries() const {  // "A,B,,..." for positions 1 to 7
    std::wstring all;
    for (std::uint8_t i = 1; i <= clsClipboard::kTotal; ++i) all += (i > 1 ? L"," : L"") + history.ClipbText(i);
    return all;
  }
  std::vector<int> BoldRows() const {
    std::vector<int> rows;
    for (int i = 1; i <= clsClipboard::kTotal; ++i)
      if (labels[static_cast<size_t>(i)]->GetFont().bold) rows.push_back(i);
    return rows;
  }

  std::array<ui::Label*, clsClipboard::kTotal + 1> labels{};
  std::array<ui::Image*, clsClipboard::kTotal> images{};
  platform::testing::ScriptedClipboard board;
  clsClipboard history{&board};
};

TEST_F(ListsClipboard, NewTextsFillFromTheTopAndADuplicateOnlyMovesTheMark) {
  Copy({L"A", L"B", L"C"});
  EXPECT_EQ(BoldRows(), std::vector<int>{3});
  Copy({L"A"});
  EXPECT_EQ(BoldRows(), std::vector<int>{1});
  EXPECT_TRUE(history.SetToClipboard(2));  // putting an entry back does the same on the next tick
  history.RefreshData();
  EXPECT_EQ(BoldRows(), std::vector<int>{2});
  EXPECT_EQ(Entries(), L"A,B,C,,,,");
}

TEST_F(ListsClipboard, FullHistoryEvictsTheFirstUnlockedEntryAndLocksHoldTheirPlace) {
  Copy({L"A", L"B", L"C", L"D", L"E", L"F", L"G"});
  history.InvertLock(2);
  Copy({L"H"});
  EXPECT_EQ(Entries(), L"C,B,D,E,F,G,H");

  history.InvertLock(2);
  Copy({L"I"});
  EXPECT_EQ(Entries(), L"B,D,E,F,G,H,I");

  for (std::uint8_t i = 1; i <= 6; ++i) history.InvertLock(i);
  history.InvertLock(7);  // position 7 has no lock and never gets one
  Copy({L"J"});
  EXPECT_EQ(Entries(), L"B,D,E,F,G,H,J");
}

TEST_F(ListsClipboard, DeletingCompactsPastLockedPositions) {
  Copy({L"A", L"B", L"C", L"D", L"E"});
  history.DelClipb(3);
  EXPECT_EQ(Entries(), L"A,B,D,E,,,");

  history.InvertLock(2);
  history.DelClipb(1);
  EXPECT_EQ(Entries(), L"D,B,E,,,,");
  EXPECT_EQ(labels[4]->Text(), L"");
}

TEST_F(ListsClipboard, CaptionsAreCutAndShowLineBreaksTooltipsKeepTheWholeText) {
  Copy({L"abcdefghijklmnopqrst", L"one\r\ntwo"});
  EXPECT_EQ(labels[1]->Text() + L" " + labels[1]->ToolTip(), L"abcdefghijklmno... abcdefghijklmnopqrst");
  EXPECT_EQ(labels[2]->Text() + L" " + labels[2]->ToolTip(), L"one|R|two one|R|two");
  EXPECT_EQ(history.ClipbText(2), L"one\r\ntwo");
  EXPECT_EQ(clsClipboard::CaptionOf(L"12345678901234\r\nxyz"), L"12345678901234|R|...");  // breaks count
}

TEST_F(ListsClipboard, AHugeTextIsStoredWholeShownCutAndCostsNothingOnLaterTicks) {
  std::wstring huge(10 * 1024 * 1024, L'x');
  huge.replace(5, 2, L"\r\n");
  const auto start = std::chrono::steady_clock::now();
  board.Put(huge);
  for (int i = 0; i < 50; ++i) history.RefreshData();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(board.Reads(), 1);  // the sequence number stayed, so the clipboard was read once
  EXPECT_EQ(history.ClipbText(1), huge);
  EXPECT_EQ(labels[1]->Text(), L"xxxxx|R|xxxxxxxx...");
  const std::wstring& tip = labels[1]->ToolTip();
  EXPECT_LT(tip.size(), static_cast<size_t>(2 * clsClipboard::kToolTipChars));
  EXPECT_EQ(tip.substr(tip.size() - 3), L"...");

  board.SetSequenceKnown(false);  // without a sequence number every tick has to look
  history.RefreshData();
  EXPECT_EQ(board.Reads(), 2);
}

TEST_F(ListsClipboard, BusyPrivateOrNonTextClipboardCountsAsNoText) {
  Copy({L"A"});
  board.Put(L"B");
  board.SetBusy(true);
  history.RefreshData();
  history.RefreshData();  // busy: the next tick looks again, although the sequence number stayed
  EXPECT_EQ(board.Reads(), 3);
  EXPECT_EQ(Entries(), L"A,,,,,,");
  board.SetBusy(false);
  history.RefreshData();
  EXPECT_EQ(Entries(), L"A,B,,,,,");

  board.PutPrivate(L"hunter2");
  history.RefreshData();
  board.PutNonText();
  history.RefreshData();
  EXPECT_EQ(Entries(), L"A,B,,,,,");
  EXPECT_EQ(BoldRows(), std::vector<int>{2});  // no text leaves the mark alone
  Copy({L"B"});
  EXPECT_EQ(BoldRows(), std::vector<int>{2});
}

TEST_F(ListsClipboard, LockPicturesComeFromTheSkinAndAMissingOneShowsNothing) {
  PutSkinBitmap(L"lock_on.bmp");
  PutSkinBitmap(L"lock_off.bmp");
  history.InvertLock(3);
  EXPECT_EQ(images[3]->PicturePath(), SkinFolder() + L"\\lock_on.bmp");
  history.InvertLock(3);
  EXPECT_EQ(images[3]->PicturePath(), SkinFolder() + L"\\lock_off.bmp");

  std::filesystem::remove(test::Native(SkinFolder() + L"\\lock_on.bmp"));
  history.InvertLock(3);
  EXPECT_FALSE(images[3]->HasPicture());  // never the picture of the other state
}

// The system clipboard itself: the in-process twin natively, the real clipboard under Wine. (Private texts are left
// out by the black-box clipboard test.)
TEST(ListsSystemClipboard, ReadsBackWhatWasWrittenAndSkipsBusyAndNonTextContents) {
  const std::uint32_t before = platform::ClipboardSequence();
  ASSERT_TRUE(platform::WriteClipboardText(L"velvane \u00e9\r\nline"));
  EXPECT_NE(platform::ClipboardSequence(), before);
  EXPECT_EQ(platform::ReadClipboardText().text, std::optional<std::wstring>(L"velvane \u00e9\r\nline"));
  {
    const platform::testing::SystemClipboardHold hold;
    ASSERT_TRUE(hold.Holding());
    EXPECT_TRUE(platform::ReadClipboardText().busy);
    EXPECT_FALSE(platform::WriteClipboardText(L"refused"));
  }
  platform::testing::PutNonTextOnSystemClipboard();
  const platform::ClipboardRead read = platform::ReadClipboardText();
  EXPECT_FALSE(read.busy || read.text.has_value());
}

}  // namespace
}  // namespace velvane
