#pragma once
// Opens a file, folder or address with the program the system associates with it.
#include <cstdint>
#include <string>

namespace velvane {

// Answers the system's result code.
std::intptr_t ShellOpen(const std::wstring& path, std::int32_t showMode);

}  // namespace velvane
