// The wizard's registry class against the registry it runs on: the scripted one natively, Wine's under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "wizard/c_registry.h"

namespace velvane::wizard {
namespace {

constexpr wchar_t kKey[] = L"Software\\VelvaneTests\\Registry";
constexpr wchar_t kSub[] = L"Software\\VelvaneTests\\Registry\\sub";

class RegistryClass : public ::testing::Test {
protected:
  void SetUp() override {
    reg_.ClassKey = static_cast<std::int32_t>(platform::kRegCurrentUser);
    reg_.SectionKey = kKey;
    reg_.CreateKey();
  }
  void TearDown() override { test::DeleteUserKeys({kSub, kKey}); }
  RegVariant Write(const std::wstring& name, std::int32_t type, const RegVariant& value) {
    reg_.ValueKey = name;
    reg_.ValueType = type;
    reg_.SetValue(value);
    return reg_.Value();
  }
  static std::uint32_t StoredType(const std::wstring& name) {
    return platform::RawQueryValue(platform::kRegCurrentUser, kKey, name).value_or(platform::RegData{}).type;
  }
  cRegistry reg_;
};

// What cannot be read gives the default and leaves the type alone; every stored type reads back by its rule.
TEST_F(RegistryClass, ValuesReadAndWrittenByType) {
  reg_.ValueType = 42;
  reg_.Default = std::wstring(L"fallback");
  reg_.ValueKey = L"missing";
  EXPECT_EQ(reg_.Value(), RegVariant{std::wstring(L"fallback")});
  EXPECT_EQ(reg_.ValueType, 42);

  EXPECT_EQ(Write(L"text", kRegSz, std::wstring(L"Notepad \u00e9")), RegVariant{std::wstring(L"Notepad \u00e9")});
  EXPECT_EQ(Write(L"number", kRegDword, std::int32_t{-2}), RegVariant{std::int32_t{-2}});
  // A 16-bit number is stored as a plain 32-bit one, also for the big-endian type.
  EXPECT_EQ(Write(L"short", kRegDwordBigEndian, std::int16_t{300}), RegVariant{std::int32_t{300}});
  EXPECT_EQ(reg_.ValueType, kRegDword);
  EXPECT_EQ(Write(L"bytes", kRegBinary, std::vector<std::uint8_t>{1, 0, 255}),
            (RegVariant{std::vector<std::uint8_t>{1, 0, 255}}));
  ASSERT_EQ(platform::RawSetValue(platform::kRegCurrentUser, kKey, L"big", {kRegDwordBigEndian, {0, 0, 1, 2}}),
            platform::RegStatus::Ok);
  reg_.ValueKey = L"big";
  EXPECT_EQ(reg_.Value(), RegVariant{std::int32_t{258}});
  // A number value that is not a number writes nothing.
  Write(L"none", kRegDword, std::wstring(L"12"));
  EXPECT_EQ(StoredType(L"none"), 0u);

  // Two percent signs at least two characters apart make a text with references, which reads expanded.
  for (const wchar_t* plain : {L"x%%y", L"50%"}) {
    Write(L"v", kRegSz, std::wstring(plain));
    EXPECT_EQ(StoredType(L"v"), static_cast<std::uint32_t>(kRegSz)) << plain;
  }
  const std::string path = std::getenv("PATH");
  EXPECT_EQ(RegText(Write(L"v", kRegSz, std::wstring(L"<%PATH%>"))), L"<" + std::wstring(path.begin(), path.end()) + L">");
  EXPECT_EQ(StoredType(L"v"), static_cast<std::uint32_t>(kRegExpandSz));
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
  std::sort(names.begin() + 1, names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"a", L"b", L"c"}));
  ASSERT_TRUE(platform::RawCreateKey(platform::kRegCurrentUser, kSub));
  EXPECT_TRUE(reg_.EnumerateSections(names, count));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"sub"}));

  reg_.SectionKey = L"Software\\VelvaneTests\\Missing";
  EXPECT_FALSE(reg_.KeyExists());
  EXPECT_TRUE(reg_.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
}

TEST_F(RegistryClass, FailedWritesAndDeletionsRaiseTheirNumbers) {
  const auto raised = [](auto&& action, std::int32_t number, const std::string& text) {
    try {
      action();
      ADD_FAILURE() << "nothing raised for " << text;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), number);
      EXPECT_EQ(e.Source(), "Primewiz.cRegistry");
      EXPECT_EQ(e.what(), text);
    }
  };
  const std::string where = "'-2147483647',Section: 'Software\\VelvaneTests\\";
  reg_.ValueKey = L"absent";
  raised([&] { reg_.DeleteValue(); }, kRegErrorFailed,
         "Failed to delete registry Key: " + where + "Registry',Key: 'absent");
  reg_.ValueType = 9;
  raised([&] { reg_.SetValue(std::wstring(L"t")); }, kRegErrorWriteFailed,
         "Failed to set registry value Key: " + where + "Registry',Key: 'absent' to value: 't'");
  reg_.SectionKey = L"Software\\VelvaneTests\\Missing";
  raised([&] { reg_.DeleteValue(); }, kRegErrorFailed, "Failed to open key " + where + "Missing' for delete access");
  raised([&] { reg_.DeleteKey(); }, kRegErrorFailed, "Failed to delete registry Key: " + where + "Missing");
}

}  // namespace
}  // namespace velvane::wizard
