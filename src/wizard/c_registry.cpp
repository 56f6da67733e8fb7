#include "wizard/c_registry.h"

#include "common/errors.h"
#include "common/text.h"
#include "platform/text_codec.h"

namespace velvane::wizard {
namespace {

using platform::RegData;
using platform::RegStatus;

std::int32_t Number32(const std::string& bytes, bool bigEndian) {
  std::uint32_t n = 0;
  for (size_t i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint8_t>(i < bytes.size() ? bytes[i] : 0);
    n |= static_cast<std::uint32_t>(byte) << (bigEndian ? 8 * (3 - i) : 8 * i);
  }
  return static_cast<std::int32_t>(n);
}

// A second "%" at least two characters after the first makes a text one with environment references.
bool HasReference(const std::wstring& text) {
  const size_t first = text.find(L'%');
  return first != std::wstring::npos && text.find(L'%', first + 2) != std::wstring::npos;
}

}  // namespace

std::wstring RegText(const RegVariant& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
  if (const auto* n = std::get_if<std::int32_t>(&value)) return ToText(*n);
  if (const auto* n = std::get_if<std::int16_t>(&value)) return ToText(*n);
  if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value))
    return std::wstring(bytes->begin(), bytes->end());
  return {};
}

void cRegistry::Raise(std::int32_t number, const std::wstring& description) const {
  throw RuntimeError(static_cast<ErrorNumber>(number), platform::codec::ToUtf8(description), "Primewiz.cRegistry");
}

void cRegistry::SetMachine(const std::wstring& name) {
  if (name.size() <= 2) machine_.clear();
  else machine_ = name.rfind(L"\\\\", 0) == 0 ? name : L"\\\\" + name;
}

bool cRegistry::KeyExists() const { return platform::RawKeyExists(Root(), SectionKey); }

bool cRegistry::CreateKey() const {
  if (!platform::RawCreateKey(Root(), SectionKey))
    Raise(kRegErrorFailed, L"Failed to create registry Key: '" + SectionKey);
  return true;
}

bool cRegistry::DeleteKey() const {
  if (!platform::RawDeleteKey(Root(), SectionKey))
    Raise(kRegErrorFailed,
          L"Failed to delete registry Key: '" + ToText(ClassKey) + L"',Section: '" + SectionKey);
  return true;
}

bool cRegistry::DeleteValue() const {
  const std::wstring where = L"'" + ToText(ClassKey) + L"',Section: '" + SectionKey;
  switch (platform::RawDeleteValue(Root(), SectionKey, ValueKey)) {
    case RegStatus::Ok: return true;
    case RegStatus::NoKey: Raise(kRegErrorFailed, L"Failed to open key " + where + L"' for delete access");
    case RegStatus::Failed: break;
  }
  Raise(kRegErrorFailed, L"Failed to delete registry Key: " + where + L"',Key: '" + ValueKey);
}

RegVariant cRegistry::Value() {
  const auto data = platform::RawQueryValue(Root(), SectionKey, ValueKey);
  if (!data) return Default;
  ValueType = static_cast<std::int32_t>(data->type);
  switch (ValueType) {
    case kRegSz:
    case kRegMultiSz:
    case kRegExpandSz: {
      // The stored text without its final terminating zero (a text stored without one keeps its last character).
      std::wstring text = platform::codec::FromUtf16Le(data->bytes);
      if (!text.empty() && text.back() == L'\0') text.pop_back();
      return ValueType == kRegExpandSz ? platform::ExpandEnvironment(text) : text;
    }
    case kRegDword: return Number32(data->bytes, false);
    case kRegDwordBigEndian: return Number32(data->bytes, true);
    default: return std::vector<std::uint8_t>(data->bytes.begin(), data->bytes.end());
  }
}

RegVariant cRegistry::ValueEx(std::int32_t root, const std::wstring& section, const std::wstring& valueName,
                              std::int32_t type, const RegVariant& fallback) {
  ClassKey = root;
  SectionKey = section;
  ValueKey = valueName;
  ValueType = type;
  Default = fallback;
  return Value();
}

void cRegistry::SetValue(const RegVariant& value) {
  const std::wstring failure = L"Failed to set registry value Key: '" + ToText(ClassKey) + L"',Section: '" +
                               SectionKey + L"',Key: '" + ValueKey + L"' to value: '" + RegText(value) + L"'";
  if (!platform::RawCreateKey(Root(), SectionKey)) Raise(kRegErrorFailed, failure);
  RegData data;
  bool valid = true;
  switch (ValueType) {
    case kRegSz:
    case kRegExpandSz: {
      const std::wstring text = RegText(value);
      data = {static_cast<std::uint32_t>(HasReference(text) ? kRegExpandSz : kRegSz), platform::codec::ToUtf16Le(text + L'\0')};
      break;
    }
    case kRegBinary: {
      const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value);
      if (!bytes) Raise(kRegErrorFailed, kGenericErrorText);
      data = {kRegBinary, std::string(bytes->begin(), bytes->end())};
      break;
    }
    case kRegDword:
    case kRegDwordBigEndian: {
      std::int32_t n = 0;
      if (const auto* n32 = std::get_if<std::int32_t>(&value)) n = *n32;
      else if (const auto* n16 = std::get_if<std::int16_t>(&value)) n = *n16;
      else return;  // other values write nothing
      const auto u = static_cast<std::uint32_t>(n);
      data = {kRegDword, std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)}};
      break;
    }
    default: valid = false;
  }
  if (!valid || platform::RawSetValue(Root(), SectionKey, ValueKey, data) != RegStatus::Ok)
    Raise(kRegErrorWriteFailed, failure);
}

bool cRegistry::EnumerateValues(std::vector<std::wstring>& names, std::int32_t& count) const {
  names.assign(1, std::wstring());
  count = 0;
  if (const auto found = platform::RawValueNames(Root(), SectionKey)) {
    names.insert(names.end(), found->begin(), found->end());
    count = static_cast<std::int32_t>(found->size());
  }
  return true;
}

bool cRegistry::EnumerateSections(std::vector<std::wstring>& sections, std::int32_t& count) const {
  sections.assign(1, std::wstring());
  count = 0;
  try {
    if (const auto found = platform::RawSubKeyNames(Root(), SectionKey)) {
      sections.insert(sections.end(), found->begin(), found->end());
      count = static_cast<std::int32_t>(found->size());
    }
  } catch (const std::exception& e) {
    Raise(kRegErrorEnumeration, platform::codec::FromUtf8(e.what()));
  }
  return true;
}

}  // namespace velvane::wizard
