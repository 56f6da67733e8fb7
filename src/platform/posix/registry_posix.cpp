// The headless twin of the registry: an in-process map of keys and values.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

#include "platform/text_codec.h"
#include "platform/registry.h"
#include "platform/registry_testing.h"

namespace velvane::platform {

namespace testing {

RegistryMap& Registry() {
  static RegistryMap registry;
  return registry;
}

RegistryTypeMap& RegistryTypes() {
  static RegistryTypeMap types;
  return types;
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
  if (k == reg.end()) return;  // like the real one: the key must exist
  k->second[name] = data;
  testing::RegistryTypes()[k->first].erase(name);
}

void DeleteRegValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
  auto& reg = testing::Registry();
  const auto k = reg.find(Full(root, key));
  if (k != reg.end()) k->second.erase(name);
  testing::RegistryTypes()[Full(root, key)].erase(name);
}

void CreateRegKey(RegistryRoot root, const std::wstring& key) {
  // Creating a key creates its parents too.
  const std::wstring full = Full(root, key);
  for (size_t at = full.find(L'\\', 5); at != std::wstring::npos; at = full.find(L'\\', at + 1))
    testing::Registry()[full.substr(0, at)];
  testing::Registry()[full];
}

// ---- The raw level ----

namespace {

constexpr std::uint32_t kRegSz = 1;

std::wstring Full(RegRoot root, const std::wstring& key) {
  switch (root) {
    case kRegClassesRoot: return L"HKCR\\" + key;
    case kRegCurrentUser: return Full(RegistryRoot::CurrentUser, key);
    case kRegLocalMachine: return Full(RegistryRoot::LocalMachine, key);
    default: return L"HK" + std::to_wstring(root) + L"\\" + key;
  }
}

std::map<std::wstring, std::wstring>* FindKey(RegRoot root, const std::wstring& key) {
  const auto k = testing::Registry().find(Full(root, key));
  return k == testing::Registry().end() ? nullptr : &k->second;
}

}  // namespace

bool RawKeyExists(RegRoot root, const std::wstring& key) { return FindKey(root, key) != nullptr; }

std::optional<RegData> RawQueryValue(RegRoot root, const std::wstring& key, const std::wstring& name) {
  const auto* values = FindKey(root, key);
  if (!values) return std::nullopt;
  const auto v = values->find(name);
  if (v == values->end()) return std::nullopt;
  const auto& types = testing::RegistryTypes()[Full(root, key)];
  const auto t = types.find(name);
  if (t == types.end()) return RegData{kRegSz, codec::ToUtf16Le(v->second + L'\0')};
  std::string bytes;
  for (const wchar_t c : v->second) bytes += static_cast<char>(c);
  return RegData{t->second, bytes};
}

std::optional<std::vector<std::wstring>> RawValueNames(RegRoot root, const std::wstring& key) {
  const auto* values = FindKey(root, key);
  if (!values) return std::nullopt;
  std::vector<std::wstring> names;
  for (const auto& [name, data] : *values) names.push_back(name);
  return names;
}

std::optional<std::vector<std::wstring>> RawSubKeyNames(RegRoot root, const std::wstring& key) {
  if (!FindKey(root, key)) return std::nullopt;
  const std::wstring prefix = Full(root, key) + L"\\";
  std::vector<std::wstring> names;
  for (const auto& [path, values] : testing::Registry())
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
        path.find(L'\\', prefix.size()) == std::wstring::npos)
      names.push_back(path.substr(prefix.size()));
  return names;
}

bool RawCreateKey(RegRoot root, const std::wstring& key) {
  const std::wstring full = Full(root, key);
  for (size_t at = full.find(L'\\', 5); at != std::wstring::npos; at = full.find(L'\\', at + 1))
    testing::Registry()[full.substr(0, at)];
  testing::Registry()[full];
  return true;
}

bool RawDeleteKey(RegRoot root, const std::wstring& key) {
  const auto subKeys = RawSubKeyNames(root, key);
  if (!subKeys || !subKeys->empty()) return false;
  testing::Registry().erase(Full(root, key));
  testing::RegistryTypes().erase(Full(root, key));
  return true;
}

RegStatus RawSetValue(RegRoot root, const std::wstring& key, const std::wstring& name, const RegData& data) {
  RawCreateKey(root, key);
  const std::wstring full = Full(root, key);
  auto& types = testing::RegistryTypes()[full];
  if (data.type == kRegSz) {
    std::wstring text = codec::FromUtf16Le(data.bytes);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    testing::Registry()[full][name] = text;
    types.erase(name);
  } else {
    std::wstring raw;
    for (const char c : data.bytes) raw += static_cast<wchar_t>(static_cast<unsigned char>(c));
    testing::Registry()[full][name] = raw;
    types[name] = data.type;
  }
  return RegStatus::Ok;
}

RegStatus RawDeleteValue(RegRoot root, const std::wstring& key, const std::wstring& name) {
  auto* values = FindKey(root, key);
  if (!values) return RegStatus::NoKey;
  if (values->erase(name) == 0) return RegStatus::Failed;
  testing::RegistryTypes()[Full(root, key)].erase(name);
  return RegStatus::Ok;
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  std::wstring out;
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find(L'%', at);
    const size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
    if (close == std::wstring::npos) break;
    out += text.substr(at, open - at);
    const char* value = std::getenv(codec::ToUtf8(text.substr(open + 1, close - open - 1)).c_str());
    if (value && close > open + 1) {
      out += codec::FromUtf8(value);
      at = close + 1;
    } else {
      out += L'%';  // not a reference: the second sign may open the next one
      at = open + 1;
    }
  }
  return out + text.substr(std::min(at, text.size()));
}

}  // namespace velvane::platform
