#pragma once
// The folders the system gives a program for its user's data, and whether the program may write into a folder: what
// the choice of the data folder asks of the system.
#include <string>

namespace velvane::platform {

// True when a new file can be made in the folder (a path ending with a backslash); the trial file is gone again.
bool CanWriteIn(const std::wstring& folder);
// The user's local application-data folder (%LOCALAPPDATA%) without a trailing backslash; "" when there is none.
std::wstring LocalAppDataFolder();
// Makes the folder and its missing parents; true when the folder exists afterwards.
bool MakeFolders(const std::wstring& folder);

}  // namespace velvane::platform
