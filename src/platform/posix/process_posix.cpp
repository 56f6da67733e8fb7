// The headless twin of program starts: nothing is started; the command lines are recorded for the tests.
#include <sys/stat.h>

#include "platform/posix/native_path.h"
#include "platform/process.h"
#include "platform/test_hooks.h"

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

bool Exists(const std::wstring& path) {
  struct stat st {};
  return stat(NativePath(path).c_str(), &st) == 0;
}

}  // namespace

bool StartProgram(const std::wstring& commandLine) {
  const std::wstring program = ProgramOf(commandLine);
  // Bare names ("notepad") are found on the search path of a real system; here they always start.
  const bool ok = program.find(L'\\') == std::wstring::npos || Exists(program);
  if (ok) testing::StartedPrograms().push_back(commandLine);
  return ok;
}

std::intptr_t ShellOpenPath(const std::wstring& path, int /*showMode*/) {
  testing::OpenedPaths().push_back(path);
  return Exists(path) ? 42 : 2;  // 2: file not found
}

}  // namespace velvane::platform
