#pragma once
// Program starts for the tests: the scripted twin of platform/process.h, which the portable build and the Windows unit
// tests link instead of the system's, records starts and shell opens here instead of carrying them out. A start
// succeeds when its program is a bare name (found on the search path of a real system) or an existing file.
#include <cstdint>
#include <string>
#include <vector>

namespace velvane::platform::testing {

std::vector<std::wstring>& StartedPrograms();
std::vector<std::wstring>& OpenedPaths();

}  // namespace velvane::platform::testing
