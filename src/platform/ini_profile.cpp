#include "platform/ini_profile.h"

#include <optional>
#include <vector>

namespace velvane::platform::ini {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

struct Entry {
  std::string name;
  std::optional<std::string> value;  // a line without "=" is a key without a value
};

struct Section {
  std::optional<std::string> name;  // the lines before the first header have none
  std::vector<Entry> entries;
};

std::vector<Section> Parse(std::string_view content) {
  std::vector<Section> sections(1);
  size_t from = 0;
  while (from < content.size()) {
    size_t end = content.find('\n', from);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = Trim(content.substr(from, end - from));
    from = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
      // A header without "]" is read as a key of the current section.
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      sections.back().entries.push_back({std::string(line), std::nullopt});
    } else {
      sections.back().entries.push_back({std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
    }
  }
  return sections;
}

Section* FindSection(std::vector<Section>& sections, std::string_view name) {
  for (auto& s : sections)
    if (s.name && SameName(*s.name, name)) return &s;
  return nullptr;
}

Entry* FindEntry(Section& section, std::string_view key) {
  for (auto& e : section.entries)
    if (SameName(e.name, key)) return &e;
  return nullptr;
}

std::string Serialize(const std::vector<Section>& sections) {
  std::string out;
  for (const auto& s : sections) {
    if (s.name) out += "[" + *s.name + "]\r\n";
    for (const auto& e : s.entries) {
      out += e.name;
      if (e.value) out += "=" + *e.value;
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace

std::string Read(std::string_view content, std::string_view section, std::string_view key, std::size_t maxChars) {
  if (maxChars == 0) return {};
  // One pass over the lines, without building the parsed file: the launcher reads hundreds of keys in a row.
  enum class Place { Before, Inside, After } place = Place::Before;
  size_t from = 0;
  while (from < content.size() && place != Place::After) {
    size_t end = content.find('\n', from);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = Trim(content.substr(from, end - from));
    from = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        // Only the first section of that name counts.
        if (place == Place::Inside) place = Place::After;
        else if (SameName(line.substr(1, close - 1), section)) place = Place::Inside;
        continue;
      }
    }
    if (place != Place::Inside) continue;
    const size_t eq = line.find('=');
    if (!SameName(line.substr(0, eq), key)) continue;
    if (eq == std::string_view::npos) return {};  // the key is there, without a value
    std::string_view v = Trim(line.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, maxChars - 1));
  }
  return {};
}

std::string Write(std::string_view content, std::string_view section, std::string_view key, std::string_view value) {
  auto sections = Parse(content);
  Section* s = FindSection(sections, section);
  if (!s) {
    sections.push_back({std::string(Trim(section)), {}});
    s = &sections.back();
  }
  Entry* e = FindEntry(*s, key);
  if (e) e->value = std::string(Trim(value));
  else s->entries.push_back({std::string(Trim(key)), std::string(Trim(value))});
  return Serialize(sections);
}

}  // namespace velvane::platform::ini
