#include <gtest/gtest.h>

#include "common/numbers.h"
#include "common/errors.h"
#include "common/text.h"

namespace velvane {

TEST(TextRoutines, SeparatorsCutAtTheFirstOccurrence) {
  EXPECT_EQ(TextBefore(L"a=b=c", L"="), L"a");
  EXPECT_EQ(TextAfter(L"a=b=c", L"="), L"b=c");
  EXPECT_EQ(TextBefore(L"abc", L"="), L"");
  EXPECT_EQ(TextAfter(L"abc", L"="), L"abc");
  // A longer separator still counts as one character for TextAfter.
  EXPECT_EQ(TextAfter(L"key::value", L"::"), L":value");
}

TEST(TextRoutines, ASeparatorBeyondCharacter255IsNotSeen) {
  const std::wstring late = std::wstring(279, L'x') + L"=" + std::wstring(20, L'y');
  EXPECT_EQ(TextBefore(late, L"="), L"");
  EXPECT_EQ(TextAfter(late, L"="), late);
  const std::wstring edge = std::wstring(254, L'x') + L"=z";  // the 255th character
  EXPECT_EQ(TextBefore(edge, L"="), std::wstring(254, L'x'));
  EXPECT_EQ(TextAfter(edge, L"="), L"z");
  const std::wstring past = std::wstring(255, L'x') + L"=z";  // the 256th
  EXPECT_EQ(TextBefore(past, L"="), L"");
}

TEST(TextRoutines, FieldsRepeatTheLastOnePastTheEnd) {
  EXPECT_EQ(TextField(L"1,2,3", L",", 0), L"");
  EXPECT_EQ(TextField(L"1,2,3", L",", 1), L"1");
  EXPECT_EQ(TextField(L"1,2,3", L",", 2), L"2");
  EXPECT_EQ(TextField(L"1,2,3", L",", 3), L"3");
  EXPECT_EQ(TextField(L"1,2,3", L",", 4), L"3");
  EXPECT_EQ(TextField(L"single", L",", 1), L"");
  EXPECT_EQ(TextField(L"single", L",", 2), L"single");
}

TEST(TextRoutines, DropNeverUnderflows) {
  EXPECT_EQ(DropLeft(L"abc", 1), L"bc");
  EXPECT_EQ(DropLeft(L"abc", 3), L"");
  EXPECT_EQ(DropLeft(L"abc", 4), L"");
  EXPECT_EQ(DropRight(L"abc", 1), L"ab");
  EXPECT_EQ(DropRight(L"abc", 4), L"");
  EXPECT_EQ(DropLeft(L"abc", -2), L"abc");
}

TEST(TextRoutines, ReplaceDoesNotRescanInsertedText) {
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");
  EXPECT_EQ(ReplaceAll(L"x%px%p", L"%p", L"C:\\"), L"xC:\\xC:\\");
  EXPECT_EQ(ReplaceAll(L"abc", L"", L"z"), L"abc");
  EXPECT_EQ(TrimBlanks(L"  \tx \t "), L"\tx \t");
  EXPECT_EQ(ToLowerText(L"NotePad \u00C9"), L"notepad \u00E9");
}

TEST(Numbers, LeadingNumberReadsWhatATextStartsWith) {
  EXPECT_EQ(LeadingNumber(L""), 0.0);
  EXPECT_EQ(LeadingNumber(L"abc"), 0.0);
  EXPECT_EQ(LeadingNumber(L"1abc"), 1.0);
  EXPECT_EQ(LeadingNumber(L"1.0"), 1.0);
  EXPECT_EQ(LeadingNumber(L"  42 apples"), 42.0);
  EXPECT_EQ(LeadingNumber(L"-2"), -2.0);
  EXPECT_EQ(LeadingNumber(L".5"), 0.5);
  EXPECT_EQ(LeadingNumber(L"1e3"), 1000.0);
  EXPECT_EQ(LeadingNumber(L"1e"), 1.0);
  EXPECT_EQ(LeadingNumber(L"-"), 0.0);
  EXPECT_EQ(LeadingNumber(L"1e999999"), 1.0);  // a runaway exponent is not read
}

TEST(Numbers, WholeNumbersRoundHalvesToEven) {
  EXPECT_EQ(ToByte(1.5), 2);
  EXPECT_EQ(ToByte(2.5), 2);
  EXPECT_EQ(ToByte(3.5), 4);
  EXPECT_EQ(ToByte(254.6), 255);
  EXPECT_EQ(ToInt32(-2.5), -2);
  EXPECT_EQ(ToInt32(-3.5), -4);
  EXPECT_EQ(ToByte(-0.5), 0);  // rounds to 0, inside the range
}

TEST(Numbers, ValuesOutsideTheTypeAreOverflowErrors) {
  for (double v : {256.0, 300.0, -1.0, 255.5}) {
    try {
      ToByte(v);
      ADD_FAILURE() << v << " should not fit a byte";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), 6);
    }
  }
  EXPECT_THROW(ToInt16(32768.0), RuntimeError);
  EXPECT_EQ(ToInt16(-32768.0), -32768);
  EXPECT_EQ(ByteValue(L"255.4"), 255);
}

}  // namespace velvane
