#include "platform/ini_profile.h"

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

// A name as SameName compares it.
std::wstring Compared(std::wstring_view name) {
  std::wstring out(Trim(name));
  for (wchar_t& c : out) c = Lower(c);
  return out;
}

}  // namespace

Document::Document(std::wstring_view content) : sections_(1) {
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
        sections_.push_back({std::wstring(Trim(line.substr(1, close - 1))), {}});
        index_.emplace(Compared(*sections_.back().name), sections_.size() - 1);
        continue;
      }
      // A header without "]" is read as a key of the current section.
    }
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) sections_.back().entries.push_back({std::wstring(line), std::nullopt});
    else sections_.back().entries.push_back({std::wstring(Trim(line.substr(0, eq))), std::wstring(Trim(line.substr(eq + 1)))});
  }
}

const Document::Section* Document::Find(std::wstring_view section) const {
  const auto found = index_.find(Compared(section));
  return found == index_.end() ? nullptr : &sections_[found->second];
}

std::wstring Document::Read(std::wstring_view section, std::wstring_view key, std::size_t maxChars) const {
  const Section* s = Find(section);
  if (!s || maxChars == 0) return {};
  for (const Entry& e : s->entries) {
    if (!SameName(e.name, key)) continue;
    if (!e.value) return {};  // the key is there, without a value
    std::wstring_view v = *e.value;
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::wstring(v.substr(0, maxChars - 1));
  }
  return {};
}

void Document::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  // Keys come in groups of one section (an entry's Name, Exec and Path): the section of the last write is tried first.
  Section* s = last_ < sections_.size() && sections_[last_].name && SameName(*sections_[last_].name, section)
                   ? &sections_[last_]
                   : const_cast<Section*>(Find(section));
  if (!s) {
    s = &sections_.emplace_back(Section{std::wstring(Trim(section)), {}});
    index_.emplace(Compared(section), sections_.size() - 1);
  }
  last_ = static_cast<std::size_t>(s - sections_.data());
  for (Entry& e : s->entries) {
    if (SameName(e.name, key)) {
      e.value = std::wstring(Trim(value));
      return;
    }
  }
  s->entries.push_back({std::wstring(Trim(key)), std::wstring(Trim(value))});
}

std::wstring Document::Text() const {
  std::wstring out;
  for (const Section& s : sections_) {
    if (s.name) out.append(L"[").append(*s.name).append(L"]\r\n");
    for (const Entry& e : s.entries) {
      out += e.name;
      if (e.value) out.append(L"=").append(*e.value);
      out += L"\r\n";
    }
  }
  return out;
}

}  // namespace velvane::platform::ini
