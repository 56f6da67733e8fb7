#include <windows.h>

#include <vector>

#include "platform/codepage.h"
#include "platform/registry.h"
#include "platform/win32/handles.h"

namespace velvane::platform {
namespace {

// Every right on the key's values and sub-keys (0x3F), none of the standard rights such as DELETE that
// KEY_ALL_ACCESS adds.
constexpr REGSAM kKeyRights =
    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK;
static_assert(kKeyRights == 0x3F);

HKEY Root(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// The key opened with kKeyRights; empty when it cannot be opened.
UniqueRegKey OpenKey(RegistryRoot root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(Root(root), key.c_str(), 0, kKeyRights, &opened) != ERROR_SUCCESS) return {};
  return UniqueRegKey(opened);
}

}  // namespace

// Values are stored in the ANSI code page, as the rest of Velvane's data.
std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  const UniqueRegKey k = OpenKey(root, key);
  if (!k) return {};
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
  const UniqueRegKey k = OpenKey(root, key);
  if (!k) return;
  const std::string bytes = ToAnsi(data);
  // The terminating zero belongs to a REG_SZ value: readers that trust the stored size would run past the text.
  RegSetValueExA(k.get(), ToAnsi(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.c_str()),
                 static_cast<DWORD>(bytes.size() + 1));
}

void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  const UniqueRegKey k = OpenKey(root, key);
  if (k) RegDeleteValueW(k.get(), name.c_str());
}

void CreateRegKey(RegistryRoot root, const std::wstring& key) {
  HKEY created = nullptr;
  const LSTATUS status = RegCreateKeyExW(Root(root), key.c_str(), 0, nullptr, 0, kKeyRights, nullptr, &created, nullptr);
  const UniqueRegKey owner(status == ERROR_SUCCESS ? created : nullptr);  // only created: closed on return
}

}  // namespace velvane::platform
