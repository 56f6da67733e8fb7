#pragma once
// Commands given on the command line, by the first start or handed over by a later one:
// a verb, optionally followed by one blank and an argument.
#include <string>

namespace velvane {

// Runs one command; every error inside it ends the command silently.
void RunCommand(const std::wstring& command);

}  // namespace velvane
