#include "platform/ini_profile.h"

#include <optional>
#include <vector>

namespace velvane::platform::ini {
namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

struct Entry {
  std::wstring name;
  std::optional<std::wstring> value;  // a line without "=" is a key without a value
};

struct Section {
  std::optional<std::wstring> name;  // the lines before the first header have none
  std::vector<Entry> entries;
};

std::vector<Section> Parse(std::wstring_view content) {
  std::vector<Section> sections(1);
  size_t from = 0;
  while (from < content.size()) {
    size_t end = content.find(L'\n', from);
    if (end == std::wstring_view::npos) end = content.size();
    std::wstring_view line = Trim(content.substr(from, end - from));
    from = end + 1;
    if (line.empty()) continue;
    if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos) {
        sections.push_back({std::wstring(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
      // A header without "]" is read as a key of the current section.
    }
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) {
      sections.back().entries.push_back({std::wstring(line), std::nullopt});
    } else {
      sections.back().entries.push_back({std::wstring(Trim(line.substr(0, eq))), std::wstring(Trim(line.substr(eq + 1)))});
    }
  }
  return sections;
}

Section* FindSection(std::vector<Section>& sections, std::wstring_view name) {
  for (auto& s : sections)
    if (s.name && SameName(*s.name, name)) return &s;
  return nullptr;
}

Entry* FindEntry(Section& section, std::wstring_view key) {
  for (auto& e : section.entries)
    if (SameName(e.name, key)) return &e;
  return nullptr;
}

std::wstring Serialize(const std::vector<Section>& sections) {
  std::wstring out;
  for (const auto& s : sections) {
    if (s.name) out += L"[" + *s.name + L"]\r\n";
    for (const auto& e : s.entries) {
      out += e.name;
      if (e.value) out += L"=" + *e.value;
      out += L"\r\n";
    }
  }
  return out;
}

}  // namespace

std::wstring Read(std::wstring_view content, std::wstring_view section, std::wstring_view key, std::size_t maxChars) {
  if (maxChars == 0) return {};
  // One pass over the lines, without building the parsed file: the launcher reads hundreds of keys in a row.
  enum class Place { Before, Inside, After } place = Place::Before;
  size_t from = 0;
  while (from < content.size() && place != Place::After) {
    size_t end = content.find(L'\n', from);
    if (end == std::wstring_view::npos) end = content.size();
    const std::wstring_view line = Trim(content.substr(from, end - from));
    from = end + 1;
    if (line.empty()) continue;
    if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos) {
        // Only the first section of that name counts.
        if (place == Place::Inside) place = Place::After;
        else if (SameName(line.substr(1, close - 1), section)) place = Place::Inside;
        continue;
      }
    }
    if (place != Place::Inside) continue;
    const size_t eq = line.find(L'=');
    if (!SameName(line.substr(0, eq), key)) continue;
    if (eq == std::wstring_view::npos) return {};  // the key is there, without a value
    std::wstring_view v = Trim(line.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::wstring(v.substr(0, maxChars - 1));
  }
  return {};
}

std::wstring Write(std::wstring_view content, std::wstring_view section, std::wstring_view key,
                   std::wstring_view value) {
  auto sections = Parse(content);
  Section* s = FindSection(sections, section);
  if (!s) {
    sections.push_back({std::wstring(Trim(section)), {}});
    s = &sections.back();
  }
  Entry* e = FindEntry(*s, key);
  if (e) e->value = std::wstring(Trim(value));
  else s->entries.push_back({std::wstring(Trim(key)), std::wstring(Trim(value))});
  return Serialize(sections);
}

}  // namespace velvane::platform::ini
