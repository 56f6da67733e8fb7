#pragma once
// Program starts for the tests. Once a test asks for either list, program starts and shell opens are recorded here
// instead of being carried out, on every platform. A start succeeds when its program is a bare name (found on the
// search path of a real system) or an existing file.
#include <cstdint>
#include <string>
#include <vector>

namespace velvane::platform::testing {

std::vector<std::wstring>& StartedPrograms();
std::vector<std::wstring>& OpenedPaths();

bool ProgramsScripted();
bool RecordStart(const std::wstring& commandLine);
std::intptr_t RecordOpen(const std::wstring& path);

}  // namespace velvane::platform::testing
