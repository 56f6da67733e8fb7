#pragma once
// What the headless twin of platform/user_folders.h answers, for the tests to arrange.
#include <set>
#include <string>

namespace velvane::platform::testing {

// Folders (as asked, with their trailing backslash) that count as not writable, whatever the disk says.
std::set<std::wstring>& UnwritableFolders();
// The local application-data folder; empty (there is none) until a test sets it.
std::wstring& LocalAppData();

}  // namespace velvane::platform::testing
