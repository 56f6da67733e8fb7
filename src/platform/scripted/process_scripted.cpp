// The headless twin of program starts: nothing is started; the command lines are recorded for the tests.
#include "platform/process.h"
#include "platform/test_hooks.h"

namespace velvane::platform {

bool StartProgram(const std::wstring& commandLine) { return testing::RecordStart(commandLine); }

std::intptr_t ShellOpenPath(const std::wstring& path, int /*showMode*/) { return testing::RecordOpen(path); }

}  // namespace velvane::platform
