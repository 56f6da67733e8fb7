#pragma once
// The wizard's registry class: set the root, key, value name and default, then read the value or list the key's
// value names. Reads never fail: what cannot be read gives the default or an empty list.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace velvane::wizard {

// Nothing, a text, a 32-bit number, or bytes.
using RegVariant = std::variant<std::monostate, std::wstring, std::int32_t, std::vector<std::uint8_t>>;

enum RegType : std::int32_t {
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegMultiSz = 7,
};

class cRegistry {
public:
  std::int32_t ClassKey = 0;  // a predefined root, platform::kRegCurrentUser for one
  std::wstring SectionKey;    // the key below the root
  std::wstring ValueKey;      // the value's name; empty names the key's default value
  std::int32_t ValueType = 0;
  RegVariant Default;

  bool KeyExists() const;
  // The value by its stored type (texts without their terminating zero, references in an expandable text expanded,
  // numbers, big-endian numbers turned round, anything else as bytes), or Default when it cannot be read; sets
  // ValueType to the stored type.
  RegVariant Value();
  // The key's value names in the system's order; none for a missing key.
  std::vector<std::wstring> EnumerateValues() const;

private:
  platform::RegRoot Root() const { return static_cast<platform::RegRoot>(ClassKey); }
};

// A value as text: texts as they are, numbers in decimal, bytes one character each, nothing as "".
std::wstring RegText(const RegVariant& value);

}  // namespace velvane::wizard
