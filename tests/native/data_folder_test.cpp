// The choice of the data folder, with the system's answers (can the program folder be written, where is the
// user's local application-data folder) given by the test.
#include <gtest/gtest.h>

#include "common/data_store.h"
#include "platform/user_folders_testing.h"
#include "test_support.h"

namespace velvane {
namespace {

// The program folder's data\ where it can be written (a portable copy); else the user's local application-data
// folder, which takes the shipped defaults the user has no file of yet.
TEST(DataFolder, DataStaysBesideTheProgramWhereItCanBeWrittenElseMovesToTheUsersFolder) {
  namespace hooks = platform::testing;
  test::TempDir dir;
  struct Restore { ~Restore() { hooks::UnwritableFolders().clear(), hooks::LocalAppData().clear(); } } restore;
  const std::wstring program = dir / L"Velvane", programData = program + L"\\data\\", local = dir / L"Local";
  const std::wstring userData = local + L"\\Velvane\\data\\";
  test::WriteBytes(programData + L"config.qdt", "shipped config");
  test::WriteBytes(programData + L"exec.qdt", "shipped launcher");
  test::WriteBytes(userData + L"exec.qdt", "the user's launcher");
  const struct { bool writable; std::wstring localAppData, dataDir; bool filled; } cases[] = {
      {true, local, programData, false}, {false, L"", programData, false},  // no such folder: as before
      {false, local + L"\\", userData, true}, {false, local, userData, true}};
  for (const auto& c : cases) {
    hooks::UnwritableFolders() = c.writable ? std::set<std::wstring>{} : std::set<std::wstring>{programData};
    hooks::LocalAppData() = c.localAppData;
    EXPECT_EQ(Folders::Of(program).DataDir, c.dataDir) << c.writable << " " << test::Native(c.localAppData);
    EXPECT_EQ(test::Exists(userData + L"config.qdt"), c.filled);
  }
  EXPECT_EQ(test::ReadBytes(userData + L"config.qdt"), "shipped config");
  EXPECT_EQ(test::ReadBytes(userData + L"exec.qdt"), "the user's launcher");
  // A portable copy without its data folder stays portable where its folder can be written.
  const std::wstring portable = dir / L"Portable";
  test::WriteBytes(portable + L"\\velvane.exe", "");
  EXPECT_EQ(Folders::Of(portable).DataDir, portable + L"\\data\\");
}

}  // namespace
}  // namespace velvane
