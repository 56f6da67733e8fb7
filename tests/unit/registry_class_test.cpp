// The wizard's registry class against the registry it runs on: the scripted one natively, Wine's under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/errors.h"
#include "wizard/c_registry.h"

namespace velvane::wizard {
namespace {

class RegistryClass : public ::testing::Test {
protected:
  void SetUp() override {
    reg_.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
    reg_.SectionKey = kKey;
    reg_.CreateKey();
  }
  void TearDown() override {
    std::vector<std::wstring> names;
    std::int32_t count = 0;
    for (const wchar_t* key : {kSub1, kSub2, kKey}) {
      cRegistry r;
      r.ClassKey = reg_.ClassKey;
      r.SectionKey = key;
      r.EnumerateValues(names, count);
      for (int i = 1; i <= count; ++i) (r.ValueKey = names[static_cast<size_t>(i)], r.DeleteValue());
      if (r.KeyExists()) r.DeleteKey();
    }
  }
  void Write(const std::wstring& name, std::int32_t type, const RegVariant& value) {
    reg_.ValueKey = name;
    reg_.ValueType = type;
    reg_.SetValue(value);
  }
  RegVariant Read(const std::wstring& name) {
    reg_.ValueKey = name;
    return reg_.Value();
  }
  static constexpr wchar_t kKey[] = L"Software\\VelvaneTests\\Registry";
  static constexpr wchar_t kSub1[] = L"Software\\VelvaneTests\\Registry\\one";
  static constexpr wchar_t kSub2[] = L"Software\\VelvaneTests\\Registry\\two";
  cRegistry reg_;
};

// What cannot be read gives the default and leaves the type alone; every stored type reads back by its rule.
TEST_F(RegistryClass, ValuesReadByType) {
  reg_.ValueType = 42;
  EXPECT_EQ(Read(L"missing"), RegVariant{});
  reg_.Default = std::wstring(L"fallback");
  EXPECT_EQ(Read(L"missing"), RegVariant{std::wstring(L"fallback")});
  EXPECT_EQ(reg_.ValueType, 42);

  Write(L"text", kRegSz, std::wstring(L"Notepad \u00e9"));
  EXPECT_EQ(Read(L"text"), RegVariant{std::wstring(L"Notepad \u00e9")}) << "without its terminating zero";
  EXPECT_EQ(reg_.ValueType, kRegSz);
  Write(L"number", kRegDword, std::int32_t{-2});
  EXPECT_EQ(Read(L"number"), RegVariant{std::int32_t{-2}});
  Write(L"short", kRegDwordBigEndian, std::int16_t{300});  // stored as a plain 32-bit number
  EXPECT_EQ(Read(L"short"), RegVariant{std::int32_t{300}});
  EXPECT_EQ(reg_.ValueType, kRegDword);
  Write(L"bytes", kRegBinary, std::vector<std::uint8_t>{1, 2, 0, 255});
  EXPECT_EQ(Read(L"bytes"), (RegVariant{std::vector<std::uint8_t>{1, 2, 0, 255}}));

  // A big-endian number reads with its bytes reversed; stored by the platform, since the class writes none.
  ASSERT_EQ(platform::RawSetValue(platform::kRegCurrentUser, kKey, L"big", {kRegDwordBigEndian, {0, 0, 1, 2}}),
            platform::RegStatus::Ok);
  EXPECT_EQ(Read(L"big"), RegVariant{std::int32_t{258}});
  EXPECT_EQ(reg_.ValueType, kRegDwordBigEndian);

  const char* path = std::getenv("PATH");
  ASSERT_NE(path, nullptr);
  Write(L"expand", kRegSz, std::wstring(L"<%PATH%>"));
  EXPECT_EQ(reg_.ValueType, kRegSz) << "the read type is only set by reading";
  EXPECT_EQ(RegText(Read(L"expand")), L"<" + std::wstring(path, path + std::char_traits<char>::length(path)) + L">");
  EXPECT_EQ(reg_.ValueType, kRegExpandSz);
}

// A text with two percent signs at least two characters apart is stored as one with environment references.
TEST_F(RegistryClass, TextTypeFollowsThePercentSigns) {
  const struct {
    const wchar_t* text;
    std::int32_t stored;
  } cases[] = {{L"%a%", kRegExpandSz}, {L"x%%y", kRegSz}, {L"50%", kRegSz}, {L"%%%", kRegExpandSz}};
  for (const auto& c : cases) {
    Write(L"v", kRegSz, std::wstring(c.text));
    const auto data = platform::RawQueryValue(platform::kRegCurrentUser, kKey, L"v");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->type, static_cast<std::uint32_t>(c.stored)) << c.text;
  }
}

TEST_F(RegistryClass, EnumeratesValuesAndSubKeys) {
  std::vector<std::wstring> names{L"stale"};
  std::int32_t count = 7;
  EXPECT_TRUE(reg_.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(names.size(), 1u);
  for (const wchar_t* name : {L"a", L"b", L"c"}) Write(name, kRegDword, std::int32_t{1});
  EXPECT_TRUE(reg_.EnumerateValues(names, count));
  ASSERT_EQ(count, 3);
  std::vector<std::wstring> listed(names.begin() + 1, names.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::wstring>{L"a", L"b", L"c"}));

  cRegistry sub;
  sub.ClassKey = reg_.ClassKey;
  for (const wchar_t* key : {kSub1, kSub2}) (sub.SectionKey = key, sub.CreateKey());
  EXPECT_TRUE(reg_.EnumerateSections(names, count));
  ASSERT_EQ(count, 2);
  EXPECT_EQ(names[1] + names[2] == L"onetwo" || names[1] + names[2] == L"twoone", true);

  reg_.SectionKey = L"Software\\VelvaneTests\\Missing";
  EXPECT_FALSE(reg_.KeyExists());
  EXPECT_TRUE(reg_.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(reg_.EnumerateSections(names, count));
  EXPECT_EQ(count, 0);
  reg_.SectionKey = kKey;
}

TEST_F(RegistryClass, FailedWritesAndDeletionsRaiseTheirNumbers) {
  const auto raised = [](auto&& action, std::int32_t number, const std::string& text) {
    try {
      action();
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), number);
      EXPECT_EQ(e.Source(), "Primewiz.cRegistry");
      EXPECT_EQ(e.what(), text);
      return;
    }
    ADD_FAILURE() << "nothing raised for " << text;
  };
  reg_.ValueKey = L"absent";
  raised([&] { reg_.DeleteValue(); }, kRegErrorFailed,
         "Failed to delete registry Key: '-2147483647',Section: 'Software\\VelvaneTests\\Registry',Key: 'absent");
  reg_.ValueType = kRegBinary;
  raised([&] { reg_.SetValue(std::wstring(L"text")); }, kRegErrorFailed, "");
  reg_.ValueType = 9;
  raised([&] { reg_.SetValue(std::wstring(L"t")); }, kRegErrorWriteFailed,
         "Failed to set registry value Key: '-2147483647',Section: 'Software\\VelvaneTests\\Registry',Key: "
         "'absent' to value: 't'");
  reg_.SectionKey = L"Software\\VelvaneTests\\Missing";
  raised([&] { reg_.DeleteValue(); }, kRegErrorFailed,
         "Failed to open key '-2147483647',Section: 'Software\\VelvaneTests\\Missing' for delete access");
  raised([&] { reg_.DeleteKey(); }, kRegErrorFailed,
         "Failed to delete registry Key: '-2147483647',Section: 'Software\\VelvaneTests\\Missing");
  reg_.SectionKey = kKey;

  // A number value that is not a number writes nothing, and says nothing.
  reg_.ValueKey = L"n";
  reg_.ValueType = kRegDword;
  reg_.SetValue(std::wstring(L"12"));
  EXPECT_FALSE(platform::RawQueryValue(platform::kRegCurrentUser, kKey, L"n").has_value());
  reg_.SetValue(std::int32_t{12});
  EXPECT_TRUE(reg_.DeleteValue());
  EXPECT_FALSE(platform::RawQueryValue(platform::kRegCurrentUser, kKey, L"n").has_value());
}

}  // namespace
}  // namespace velvane::wizard
