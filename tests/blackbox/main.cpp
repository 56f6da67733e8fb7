// The black-box suite's entry. The same executable also plays the first-run wizard: a test copies it into an
// installation as Primewiz.exe, and started under that name it only leaves a note beside itself that it ran.
#include <windows.h>

#include <gtest/gtest.h>

#include "blackbox/fake_wizard.h"

namespace {

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring FileName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Writes the note: the command line it was started with, in UTF-8. The note appears whole, under its name, in one
// step, so a test that sees the file can read it at once.
int RunAsWizard(const std::wstring& modulePath) {
  const std::wstring folder = modulePath.substr(0, modulePath.size() - FileName(modulePath).size());
  const std::wstring note = folder + blackbox::kWizardNote, part = note + L".part";
  const std::string line = blackbox::Utf8(GetCommandLineW());
  const bool written = blackbox::WriteBytes(part, line) &&
                       MoveFileExW(part.c_str(), note.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::wstring module = ModulePath();
  if (lstrcmpiW(FileName(module).c_str(), blackbox::kWizardProgram) == 0) return RunAsWizard(module);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
