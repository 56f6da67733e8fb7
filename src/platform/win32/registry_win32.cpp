#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <vector>

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

std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  const UniqueRegKey k = OpenKey(root, key);
  if (!k) return {};
  DWORD size = 0;
  if (RegQueryValueExW(k.get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
    return {};
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(k.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  // The text ends at its terminating zero; a value written without one ends with the data.
  value.resize(std::min<size_t>(value.find(L'\0'), size / sizeof(wchar_t)));
  return value;
}

void WriteRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  const UniqueRegKey k = OpenKey(root, key);
  if (!k) return;
  // The terminating zero belongs to a REG_SZ value: readers that trust the stored size would run past the text.
  RegSetValueExW(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
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

// ---- The raw level, as the registry class expects it: values as their stored bytes ----

namespace {

constexpr REGSAM kQueryValue = KEY_QUERY_VALUE;
constexpr REGSAM kEnumerateSubKeys = KEY_ENUMERATE_SUB_KEYS;

HKEY RootKey(RegRoot root) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root))); }

// The key opened with the given rights; empty when it cannot be opened.
UniqueRegKey OpenRawKey(RegRoot root, const std::wstring& key, REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(RootKey(root), key.c_str(), 0, access, &opened) != ERROR_SUCCESS) return {};
  return UniqueRegKey(opened);
}

// Creates the key, or opens it when it exists.
UniqueRegKey CreateRawKey(RegRoot root, const std::wstring& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kKeyRights, nullptr,
                      &created, nullptr) != ERROR_SUCCESS)
    return {};
  return UniqueRegKey(created);
}

}  // namespace

bool RawKeyExists(RegRoot root, const std::wstring& key) {
  return static_cast<bool>(OpenRawKey(root, key, kQueryValue));
}

std::optional<RegData> RawQueryValue(RegRoot root, const std::wstring& key, const std::wstring& name) {
  const UniqueRegKey k = OpenRawKey(root, key, kQueryValue);
  if (!k) return std::nullopt;
  DWORD type = 0, size = 0;
  const LONG asked = RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (asked != ERROR_SUCCESS && asked != ERROR_MORE_DATA) return std::nullopt;
  RegData data{type, std::string(size, '\0')};
  if (size > 0 && RegQueryValueExW(k.get(), name.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(data.bytes.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  data.bytes.resize(size);
  return data;
}

std::optional<std::vector<std::wstring>> RawValueNames(RegRoot root, const std::wstring& key) {
  const UniqueRegKey k = OpenRawKey(root, key, kQueryValue);
  if (!k) return std::nullopt;
  DWORD longest = 0;
  RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                   nullptr);
  std::vector<std::wstring> names;
  std::vector<wchar_t> buffer(longest + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    // The end of the list and every other failure end the enumeration.
    if (RegEnumValueW(k.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(buffer.data(), length);
  }
  return names;
}

std::optional<std::vector<std::wstring>> RawSubKeyNames(RegRoot root, const std::wstring& key) {
  const UniqueRegKey k = OpenRawKey(root, key, kEnumerateSubKeys);
  if (!k) return std::nullopt;
  std::vector<std::wstring> names;
  wchar_t buffer[256];  // a key name has at most 255 characters
  for (DWORD index = 0; RegEnumKeyW(k.get(), index, buffer, static_cast<DWORD>(std::size(buffer))) == ERROR_SUCCESS; ++index)
    names.emplace_back(buffer, wcsnlen(buffer, std::size(buffer)));
  return names;
}

bool RawCreateKey(RegRoot root, const std::wstring& key) { return static_cast<bool>(CreateRawKey(root, key)); }

bool RawDeleteKey(RegRoot root, const std::wstring& key) {
  return RegDeleteKeyW(RootKey(root), key.c_str()) == ERROR_SUCCESS;
}

RegStatus RawSetValue(RegRoot root, const std::wstring& key, const std::wstring& name, const RegData& data) {
  const UniqueRegKey k = CreateRawKey(root, key);
  if (!k) return RegStatus::NoKey;
  const LONG written = RegSetValueExW(k.get(), name.c_str(), 0, data.type,
                                      reinterpret_cast<const BYTE*>(data.bytes.data()),
                                      static_cast<DWORD>(data.bytes.size()));
  return written == ERROR_SUCCESS ? RegStatus::Ok : RegStatus::Failed;
}

RegStatus RawDeleteValue(RegRoot root, const std::wstring& key, const std::wstring& name) {
  const UniqueRegKey k = OpenRawKey(root, key, kKeyRights);
  if (!k) return RegStatus::NoKey;
  return RegDeleteValueW(k.get(), name.c_str()) == ERROR_SUCCESS ? RegStatus::Ok : RegStatus::Failed;
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<wchar_t> buffer(needed);
  const DWORD got = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed);
  if (got == 0 || got > needed) return text;
  return std::wstring(buffer.data(), got - 1);
}

}  // namespace velvane::platform
