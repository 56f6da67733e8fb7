#include "platform/test_hooks.h"

#include "platform/files.h"

namespace velvane::platform::testing {
namespace {

bool scripted = false;

// The program part of a command line: a quoted path, or everything up to the first blank.
std::wstring ProgramOf(const std::wstring& commandLine) {
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const size_t close = commandLine.find(L'"', 1);
    return commandLine.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
  }
  return commandLine.substr(0, commandLine.find(L' '));
}

}  // namespace

std::vector<std::wstring>& StartedPrograms() {
  static std::vector<std::wstring> started;
  scripted = true;
  return started;
}

std::vector<std::wstring>& OpenedPaths() {
  static std::vector<std::wstring> opened;
  scripted = true;
  return opened;
}

bool ProgramsScripted() { return scripted; }

bool RecordStart(const std::wstring& commandLine) {
  const std::wstring program = ProgramOf(commandLine);
  const bool ok = program.find(L'\\') == std::wstring::npos || GetFileStamp(program).has_value();
  if (ok) StartedPrograms().push_back(commandLine);
  return ok;
}

std::intptr_t RecordOpen(const std::wstring& path) {
  OpenedPaths().push_back(path);
  constexpr std::intptr_t kOpened = 42, kFileNotFound = 2;
  return GetFileStamp(path) || !ListDirectory(path).empty() ? kOpened : kFileNotFound;
}

}  // namespace velvane::platform::testing
