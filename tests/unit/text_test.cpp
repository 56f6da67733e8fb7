#include <gtest/gtest.h>

#include "common/numbers.h"
#include "common/text.h"
#include "test_support.h"

namespace velvane {

TEST(TextRoutines, SeparatorsCutAtTheFirstOccurrenceWithinTheFirst255Characters) {
  EXPECT_EQ(TextBefore(L"a=b=c", L"="), L"a");
  EXPECT_EQ(TextAfter(L"a=b=c", L"="), L"b=c");
  EXPECT_EQ(TextBefore(L"abc", L"="), L"");
  EXPECT_EQ(TextAfter(L"abc", L"="), L"abc");
  EXPECT_EQ(TextAfter(L"key::value", L"::"), L":value");  // a longer separator counts as one character
  const std::wstring late = std::wstring(279, L'x') + L"=" + std::wstring(20, L'y');
  EXPECT_EQ(TextBefore(late, L"="), L"");
  EXPECT_EQ(TextAfter(late, L"="), late);
  const std::wstring edge = std::wstring(254, L'x') + L"=z";  // the 255th character
  EXPECT_EQ(TextBefore(edge, L"="), std::wstring(254, L'x'));
  EXPECT_EQ(TextAfter(edge, L"="), L"z");
  EXPECT_EQ(TextBefore(L"x" + edge, L"="), L"");  // the 256th
}

TEST(TextRoutines, FieldsDropsAndReplacements) {
  const std::pair<int, const wchar_t*> fields[] = {{0, L""}, {1, L"1"}, {2, L"2"}, {3, L"3"}, {4, L"3"}};
  for (const auto& [n, field] : fields) EXPECT_EQ(TextField(L"1,2,3", L",", n), field) << n;
  EXPECT_EQ(TextField(L"single", L",", 1), L"");
  EXPECT_EQ(TextField(L"single", L",", 2), L"single");
  EXPECT_EQ(DropLeft(L"abc", 1), L"bc");
  EXPECT_EQ(DropLeft(L"abc", 4), L"");
  EXPECT_EQ(DropRight(L"abc", 1), L"ab");
  EXPECT_EQ(DropRight(L"abc", 4), L"");
  EXPECT_EQ(DropLeft(L"abc", -2), L"abc");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");  // inserted text is not searched again
  EXPECT_EQ(ReplaceAll(L"abc", L"", L"z"), L"abc");
  EXPECT_EQ(TrimBlanks(L"  \tx \t "), L"\tx \t");
  EXPECT_EQ(ToLowerText(L"NotePad \u00C9"), L"notepad \u00E9");
}

TEST(Numbers, LeadingNumberReadsWhatATextStartsWith) {
  const std::pair<const wchar_t*, double> cases[] = {
      {L"", 0.0},  {L"abc", 0.0}, {L"1abc", 1.0},  {L"1.0", 1.0}, {L"  42 apples", 42.0}, {L"-2", -2.0},
      {L".5", 0.5}, {L"1e3", 1000.0}, {L"1e", 1.0}, {L"-", 0.0},  {L"1e999999", 1.0}};  // a runaway exponent is not read
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(Numbers, WholeNumbersRoundHalvesToEvenAndOverflowOutsideTheType) {
  EXPECT_EQ(ToByte(1.5), 2);
  EXPECT_EQ(ToByte(2.5), 2);
  EXPECT_EQ(ToByte(254.6), 255);
  EXPECT_EQ(ToInt32(-2.5), -2);
  EXPECT_EQ(ToInt32(-3.5), -4);
  EXPECT_EQ(ToByte(-0.5), 0);  // rounds to 0, inside the range
  for (double v : {256.0, -1.0, 255.5}) EXPECT_EQ(test::ErrorNumberOf([&] { ToByte(v); }), 6) << v;
  EXPECT_EQ(test::ErrorNumberOf([] { ToInt16(32768.0); }), 6);
  EXPECT_EQ(ToInt16(-32768.0), -32768);
  EXPECT_EQ(ByteValue(L"255.4"), 255);
}

}  // namespace velvane
