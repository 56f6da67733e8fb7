// The headless twin of the registry: an in-process map of keys and values.
#include <map>

#include "platform/registry.h"
#include "platform/registry_testing.h"

namespace velvane::platform {

namespace testing {

RegistryMap& Registry() {
  static RegistryMap registry;
  return registry;
}

}  // namespace testing

namespace {

std::wstring Full(RegistryRoot root, const std::wstring& key) {
  return (root == RegistryRoot::CurrentUser ? L"HKCU\\" : L"HKLM\\") + key;
}

}  // namespace

std::wstring ReadRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  auto& reg = testing::Registry();
  const auto k = reg.find(Full(root, key));
  if (k == reg.end()) return {};
  const auto v = k->second.find(name);
  return v == k->second.end() ? std::wstring() : v->second;
}

void WriteRegString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  auto& reg = testing::Registry();
  const auto k = reg.find(Full(root, key));
  if (k != reg.end()) k->second[name] = data;  // like the real one: the key must exist
}

void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  auto& reg = testing::Registry();
  const auto k = reg.find(Full(root, key));
  if (k != reg.end()) k->second.erase(name);
}

void CreateRegKey(RegistryRoot root, const std::wstring& key) {
  // Creating a key creates its parents too.
  const std::wstring full = Full(root, key);
  for (size_t at = full.find(L'\\', 5); at != std::wstring::npos; at = full.find(L'\\', at + 1))
    testing::Registry()[full.substr(0, at)];
  testing::Registry()[full];
}

}  // namespace velvane::platform
