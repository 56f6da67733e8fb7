#pragma once
// The wizard's registry class: set the root, key, value name, type and default, then read or write the value,
// list the key's values or sub-keys, or create and delete keys and values. Reads never fail: what cannot be read
// gives the default or an empty list. Writes and deletions throw RuntimeError with the numbers below.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace velvane::wizard {

// Nothing, a text, a 32-bit or 16-bit number, or bytes.
using RegVariant = std::variant<std::monostate, std::wstring, std::int32_t, std::int16_t, std::vector<std::uint8_t>>;

enum RegType : std::int32_t {
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegMultiSz = 7,
};

inline constexpr std::int32_t kRegErrorFailed = 26001;
inline constexpr std::int32_t kRegErrorWriteFailed = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kRegErrorEnumeration = static_cast<std::int32_t>(0x800469AAu);
// What an error raised without a text of its own says.
inline constexpr wchar_t kGenericErrorText[] = L"Application-defined or object-defined error";

class cRegistry {
public:
  std::int32_t ClassKey = 0;  // a predefined root, platform::kRegCurrentUser for one
  std::wstring SectionKey;    // the key below the root
  std::wstring ValueKey;      // the value's name; empty names the key's default value
  std::int32_t ValueType = 0;
  RegVariant Default;

  // Another computer's name, held with "\\" in front; a name of two characters or fewer clears it. It is only held:
  // the registry read and written is always this computer's.
  const std::wstring& Machine() const { return machine_; }
  void SetMachine(const std::wstring& name);

  bool KeyExists() const;
  bool CreateKey() const;
  bool DeleteKey() const;
  bool DeleteValue() const;
  // The value, or Default when it cannot be read; sets ValueType to the stored type.
  RegVariant Value();
  // Sets the root, key, value name, type and default, then reads the value.
  RegVariant ValueEx(std::int32_t root, const std::wstring& section, const std::wstring& valueName, std::int32_t type,
                     const RegVariant& fallback);
  void SetValue(const RegVariant& value);
  // The names at 1..count of names (slot 0 unused and empty); a missing key gives count 0. Always true.
  bool EnumerateValues(std::vector<std::wstring>& names, std::int32_t& count) const;
  // Likewise for the sub-keys; a failure inside raises kRegErrorEnumeration with its description.
  bool EnumerateSections(std::vector<std::wstring>& sections, std::int32_t& count) const;

private:
  std::wstring machine_;

  platform::RegRoot Root() const { return static_cast<platform::RegRoot>(ClassKey); }
  [[noreturn]] void Raise(std::int32_t number, const std::wstring& description) const;
};

// A value as text: texts as they are, numbers in decimal, bytes one character each, nothing as "".
std::wstring RegText(const RegVariant& value);

}  // namespace velvane::wizard
