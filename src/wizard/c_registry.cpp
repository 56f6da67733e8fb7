#include "wizard/c_registry.h"

#include "common/text.h"
#include "platform/text_codec.h"

namespace velvane::wizard {
namespace {

std::int32_t Number32(const std::string& bytes, bool bigEndian) {
  std::uint32_t n = 0;
  for (size_t i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint8_t>(i < bytes.size() ? bytes[i] : 0);
    n |= static_cast<std::uint32_t>(byte) << (bigEndian ? 8 * (3 - i) : 8 * i);
  }
  return static_cast<std::int32_t>(n);
}

}  // namespace

std::wstring RegText(const RegVariant& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
  if (const auto* n = std::get_if<std::int32_t>(&value)) return ToText(*n);
  if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value))
    return std::wstring(bytes->begin(), bytes->end());
  return {};
}

bool cRegistry::KeyExists() const { return platform::RawKeyExists(Root(), SectionKey); }

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

std::vector<std::wstring> cRegistry::EnumerateValues() const {
  return platform::RawValueNames(Root(), SectionKey).value_or(std::vector<std::wstring>{});
}

}  // namespace velvane::wizard
