#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace velvane::platform::testing {

// Full key path ("HKCU\Software\...") to its values.
using RegistryMap = std::map<std::wstring, std::map<std::wstring, std::wstring>>;
RegistryMap& Registry();
// The type numbers of values that are not plain texts (REG_SZ), by key and name. Such a value's text in Registry()
// holds its bytes, one character each.
using RegistryTypeMap = std::map<std::wstring, std::map<std::wstring, std::uint32_t>>;
RegistryTypeMap& RegistryTypes();

}  // namespace velvane::platform::testing
