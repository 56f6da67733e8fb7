#pragma once
// Where the user's data lives. A portable Velvane keeps it beside the programs, in the program folder's data\. Where
// the user may not write there (under Program Files, where a 64-bit program gets no write redirection), it lives in
// the user's local application-data folder, %LOCALAPPDATA%\Velvane\data\, which takes the defaults shipped in the
// program folder's data\ for every file the user has none of. The side bar and the wizard choose alike at start.
#include <string>

namespace velvane {

// The data folder, ending with a backslash: the program folder's data folder (programData, with its backslash) when
// it can be written or when there is no local application-data folder (""), else the one below localAppData.
std::wstring ChooseDataFolder(const std::wstring& programData, bool programDataWritable,
                              const std::wstring& localAppData);

// The data folder for the program folder appDir (ending with a backslash) on this machine, ready for use. Without
// a data folder there, the program folder itself is tried for writing.
std::wstring PrepareDataFolder(const std::wstring& appDir);

}  // namespace velvane
