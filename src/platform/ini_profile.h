#pragma once
// The profile (INI) format of the Windows profile functions, over the text of a profile file taken apart once.
// Observable rules, checked against the real functions by the conformance test: section and key names match
// without regard to case or surrounding blanks, the first matching section and key win, values lose surrounding
// blanks and one pair of matching quotes, writes replace a value in place or append the key to its section and the
// section to the file, and the text put back together has one "name=value" line per key with CR LF line ends.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velvane::platform::ini {

inline constexpr std::size_t kValueChars = 5000;  // what Velvane reads a value with: it is cut at 4999 characters

class Document {
public:
  explicit Document(std::wstring_view content = {});

  // The value of key in section, at most maxChars - 1 characters; "" when either is missing.
  std::wstring Read(std::wstring_view section, std::wstring_view key, std::size_t maxChars) const;
  void Write(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  std::wstring Text() const;

private:
  struct Entry {
    std::wstring name;
    std::optional<std::wstring> value;  // a line without "=" is a key without a value
  };
  struct Section {
    std::optional<std::wstring> name;  // the lines before the first header have none
    std::vector<Entry> entries;
  };
  const Section* Find(std::wstring_view section) const;

  std::vector<Section> sections_;
  // The first section of each name, by its name as compared: the launcher's 300 sections are found at once.
  std::unordered_map<std::wstring, std::size_t> index_;
  std::size_t last_ = 0;  // the section last written to (the nameless first one at the start)
};

}  // namespace velvane::platform::ini
