#pragma once
// The few registry operations Velvane uses (per-user autostart). None reports failures.
#include <string>

namespace velvane::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name);
void WriteRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& data);
void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name);
void CreateRegKey(RegistryRoot root, const std::wstring& key);

}  // namespace velvane::platform
