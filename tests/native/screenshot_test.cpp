#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/settings_store.h"
#include "core/config.h"
#include "core/services.h"
#include "platform/screen_capture_testing.h"
#include "test_support.h"
#include "ui/testing.h"

namespace velvane {
namespace {

namespace pt = platform::testing;

std::uint32_t Le(const std::string& b, size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

// Reads a bitmap file the way a viewer does: the headers' fields, then each pixel through the colour table if any.
struct ReadBack {
  explicit ReadBack(std::string file) : b(std::move(file)) {}
  int Width() const { return static_cast<int>(Le(b, 18, 4)); }
  int Height() const { return static_cast<int>(Le(b, 22, 4)); }
  int Bits() const { return static_cast<int>(Le(b, 28, 2)); }
  std::uint32_t Pixel(int x, int y) const {  // 0x00RRGGBB, y from the top
    const size_t stride = static_cast<size_t>((Width() * Bits() + 31) / 32 * 4);
    const size_t at = Le(b, 10, 4) + stride * static_cast<size_t>(Height() - 1 - y);
    if (Bits() == 8) return Le(b, 54 + 4 * static_cast<size_t>(static_cast<unsigned char>(b[at + static_cast<size_t>(x)])), 3);
    return Le(b, at + static_cast<size_t>(x) * 3, 3);
  }
  std::string b;
};

class Screenshots : public ::testing::Test {
protected:
  void SetUp() override {
    pt::ResetFakeDisplay();
    ui::testing::Reset();
    ui::testing::SetScreenSize(5, 3);
    SetAppFoldersFrom(dir_.Path());
    ScreensDir = dir_.Path() + L"\\shots\\";
    test::WriteBytes(ScreensDir + L"keep", "");
    test::WriteBytes(ConfigFile(), "[TXT]\r\nTxt1=7\r\n");
    OptTxt = {L"shot_", L"7"};
    ScreenshotType = clsScreenshot::kScreen;
    gScreenshot = std::make_unique<clsScreenshot>();
  }
  void TearDown() override { gScreenshot.reset(); }

  std::uint8_t Take(std::uint8_t kind) {
    gScreenshot->TakeScreenshot(kind);
    return kind;
  }
  std::wstring StoredNumber() { return ReadSetting(ConfigFile(), L"TXT", L"Txt1"); }

  test::TempDir dir_;
};

TEST_F(Screenshots, FileNameAndNumberRules) {
  struct Case {
    std::wstring prefix, number, file, next;
  } cases[] = {
      {L"shot_", L"7", L"shot_7.bmp", L"8"},
      {L"", L"8", L"8.bmp", L"9"},
      {L"a", L"7.5x", L"a8.bmp", L"9"},  // the leading number, rounded half to even
      {L"a", L"abc", L"a0.bmp", L"1"},   // no number at all counts as 0
      {L"a", L"", L"a0.bmp", L"1"},
      {L"a", L"99999999999", L"a0.bmp", L"1"},  // beyond a 32-bit number: starts again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::Native(c.number).string());
    OptTxt = {c.prefix, c.number};
    EXPECT_EQ(ScreenshotFile(), ScreensDir + c.file);
    EXPECT_EQ(Take(clsScreenshot::kConfiguredKind), clsScreenshot::kScreen);
    EXPECT_TRUE(test::Exists(ScreensDir + c.file));
    EXPECT_EQ(OptTxt[1], c.next);
    EXPECT_EQ(StoredNumber(), c.next);
  }
}

TEST_F(Screenshots, KindRules) {
  pt::TheFakeDisplay().foreground = 0x42;
  pt::TheFakeDisplay().windows[0x42] = {100, 50, 400, 250};
  ScreenshotType = clsScreenshot::kActiveWindow;
  EXPECT_EQ(Take(clsScreenshot::kConfiguredKind), clsScreenshot::kActiveWindow);
  EXPECT_EQ(Take(clsScreenshot::kScreen), clsScreenshot::kScreen);
  const auto& shots = pt::TheFakeDisplay().captures;
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[0].window, 0x42);  // the whole window, frame included
  EXPECT_FALSE(shots[0].client);
  EXPECT_EQ(shots[0].width, 300);
  EXPECT_EQ(shots[0].height, 200);
  EXPECT_EQ(shots[1].window, pt::FakeDisplay::kDesktop);
  EXPECT_EQ(shots[1].width, 5);
  EXPECT_EQ(shots[1].height, 3);
  EXPECT_EQ(ReadBack(test::ReadBytes(ScreensDir + L"shot_7.bmp")).Width(), 300);

  // Any other kind, given or configured, takes nothing but still uses up a number.
  ScreenshotType = 9;
  EXPECT_EQ(Take(clsScreenshot::kConfiguredKind), 9);
  EXPECT_EQ(Take(2), 2);
  EXPECT_EQ(shots.size(), 2u);
  EXPECT_FALSE(test::Exists(ScreensDir + L"shot_9.bmp"));
  EXPECT_EQ(StoredNumber(), L"11");
}

TEST_F(Screenshots, BitmapFileHoldsTheScreenPixelsBottomUpInPaddedRows) {
  pt::TheFakeDisplay().colorAt = [](int x, int y) { return static_cast<std::uint32_t>(0x102030 * (x + 1) + 0x0A * y); };
  test::WriteBytes(ScreensDir + L"shot_7.bmp", std::string(100000, 'x'));  // an older, longer picture is replaced
  Take(clsScreenshot::kScreen);
  const ReadBack bmp(test::ReadBytes(ScreensDir + L"shot_7.bmp"));
  ASSERT_EQ(bmp.b.size(), 54u + 16 * 3);  // 5 pixels of 3 bytes padded to 16
  EXPECT_EQ(bmp.b.substr(0, 2), "BM");
  EXPECT_EQ(Le(bmp.b, 2, 4), bmp.b.size());
  EXPECT_EQ(Le(bmp.b, 10, 4), 54u);
  EXPECT_EQ(Le(bmp.b, 14, 4), 40u);
  EXPECT_EQ(bmp.Bits(), 24);
  EXPECT_EQ(Le(bmp.b, 34, 4), 48u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, y), pt::TheFakeDisplay().colorAt(x, y)) << x << "," << y;
  EXPECT_FALSE(test::Exists(ScreensDir + L"shot_7.bmp.new~"));
}

TEST_F(Screenshots, AnIndexedDisplayGivesEightBitsWithItsPalette) {
  for (std::uint32_t i = 0; i < 256; ++i) pt::TheFakeDisplay().palette.push_back(i * 0x010203 & 0xFFFFFF);
  pt::TheFakeDisplay().colorAt = [](int x, int y) { return static_cast<std::uint32_t>(40 * y + x); };
  Take(clsScreenshot::kScreen);
  const ReadBack bmp(test::ReadBytes(ScreensDir + L"shot_7.bmp"));
  EXPECT_EQ(bmp.Bits(), 8);
  EXPECT_EQ(Le(bmp.b, 10, 4), 54u + 1024);
  EXPECT_EQ(Le(bmp.b, 46, 4), 256u);
  EXPECT_EQ(bmp.b.size(), 54u + 1024 + 8 * 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, y), pt::TheFakeDisplay().palette[static_cast<size_t>(40 * y + x)]);
}

TEST_F(Screenshots, AFailedCaptureStillSavesABlankPicture) {
  pt::TheFakeDisplay().failing = true;
  Take(clsScreenshot::kScreen);
  const ReadBack bmp(test::ReadBytes(ScreensDir + L"shot_7.bmp"));
  EXPECT_EQ(bmp.Width(), 1);
  EXPECT_EQ(bmp.Pixel(0, 0), 0u);
  EXPECT_EQ(StoredNumber(), L"8");
}

TEST_F(Screenshots, AFailedSaveKeepsTheNumberAndTheHotKeyTellsTheUser) {
  ScreensDir = dir_.Path() + L"\\missing\\";
  try {
    Take(clsScreenshot::kScreen);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 76);
  }
  TakeHotKeyScreenshot();
  ASSERT_EQ(ui::testing::MessageLog().size(), 1u);
  EXPECT_EQ(ui::testing::MessageLog()[0].style, ui::kMbExclamation);
  EXPECT_NE(ui::testing::MessageLog()[0].text.find(L"_shot:failed"), std::wstring::npos);
  EXPECT_EQ(OptTxt[1], L"7");
  EXPECT_EQ(StoredNumber(), L"7");

  ScreensDir = dir_.Path() + L"\\shots\\";
  TakeHotKeyScreenshot();
  EXPECT_TRUE(test::Exists(ScreensDir + L"shot_7.bmp"));
  EXPECT_EQ(StoredNumber(), L"8");
  EXPECT_EQ(ui::testing::MessageLog().size(), 1u);
}

}  // namespace
}  // namespace velvane
