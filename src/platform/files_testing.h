#pragma once
// What the portable twin of platform/files.h is told by the tests: files that another program holds open without
// sharing, which can then be neither read nor replaced, as on Windows.
#include <set>
#include <string>

namespace velvane::platform::testing {

std::set<std::wstring>& HeldFiles();
inline constexpr unsigned kHeldFileError = 16;  // EBUSY, what a read or write of a held file fails with

}  // namespace velvane::platform::testing
