#include <windows.h>

#include <vector>

#include "platform/codepage.h"
#include "platform/registry.h"

namespace velvane::platform {
namespace {

constexpr REGSAM kAllAccess = 0x3F;

HKEY Root(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

class RegKey {
public:
  RegKey(RegistryRoot root, const std::wstring& key) {
    if (RegOpenKeyExW(Root(root), key.c_str(), 0, kAllAccess, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

}  // namespace

// Values are stored in the ANSI code page, as the rest of Velvane's data.
std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  RegKey k(root, key);
  if (!k.get()) return {};
  const std::string ansiName = ToAnsi(name);
  DWORD size = 0;
  if (RegQueryValueExA(k.get(), ansiName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
    return {};
  std::vector<char> buffer(size, '\0');
  if (RegQueryValueExA(k.get(), ansiName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  // The text ends at its terminating zero; a value written without one ends with the data.
  std::string value(buffer.data(), size);
  value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
  return FromAnsi(value);
}

void WriteRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  RegKey k(root, key);
  if (!k.get()) return;
  const std::string bytes = ToAnsi(data);
  // The terminating zero belongs to a REG_SZ value: readers that trust the stored size would run past the text.
  RegSetValueExA(k.get(), ToAnsi(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.c_str()),
                 static_cast<DWORD>(bytes.size() + 1));
}

void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  RegKey k(root, key);
  if (k.get()) RegDeleteValueW(k.get(), name.c_str());
}

void CreateRegKey(RegistryRoot root, const std::wstring& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(Root(root), key.c_str(), 0, nullptr, 0, kAllAccess, nullptr, &created, nullptr) == ERROR_SUCCESS)
    RegCloseKey(created);
}

}  // namespace velvane::platform
