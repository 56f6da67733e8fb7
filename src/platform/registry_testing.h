#pragma once
#include <map>
#include <string>

namespace velvane::platform::testing {

// Full key path ("HKCU\Software\...") to its values.
using RegistryMap = std::map<std::wstring, std::map<std::wstring, std::wstring>>;
RegistryMap& Registry();

}  // namespace velvane::platform::testing
