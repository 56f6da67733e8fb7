// The scripted twin of program starts (platform/scripted/test_hooks.h): nothing is started; the command lines and
// the opened paths are recorded for the tests.
#include "platform/files.h"
#include "platform/process.h"
#include "platform/scripted/test_hooks.h"

namespace velvane::platform {
namespace {

// The program part of a command line: a quoted path, or everything up to the first blank.
std::wstring ProgramOf(const std::wstring& commandLine) {
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const size_t close = commandLine.find(L'"', 1);
    return commandLine.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
  }
  return commandLine.substr(0, commandLine.find(L' '));
}

}  // namespace

namespace testing {

std::vector<std::wstring>& StartedPrograms() {
  static std::vector<std::wstring> started;
  return started;
}

std::vector<std::wstring>& OpenedPaths() {
  static std::vector<std::wstring> opened;
  return opened;
}

}  // namespace testing

bool StartProgram(const std::wstring& commandLine) {
  const std::wstring program = ProgramOf(commandLine);
  const bool ok = program.find(L'\\') == std::wstring::npos || GetFileStamp(program).has_value();
  if (ok) testing::StartedPrograms().push_back(commandLine);
  return ok;
}

std::intptr_t ShellOpenPath(const std::wstring& path, int /*showMode*/) {
  testing::OpenedPaths().push_back(path);
  constexpr std::intptr_t kOpened = 42, kFileNotFound = 2;
  return GetFileStamp(path) || !ListDirectory(path).empty() ? kOpened : kFileNotFound;
}

}  // namespace velvane::platform
