#pragma once
// What the headless platform twins record, for the tests to look at.
#include <string>
#include <vector>

namespace velvane::platform::testing {

std::vector<std::wstring>& StartedPrograms();
std::vector<std::wstring>& OpenedPaths();

}  // namespace velvane::platform::testing
