#include "lists/exec_list.h"

#include "common/numbers.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "lists/frm_add_exec.h"
#include "core/services.h"
#include "lists/list_file.h"
#include "platform/process.h"
#include "ui/forms.h"

namespace velvane {
namespace {

constexpr wchar_t kInitSection[] = L"INIT";
constexpr wchar_t kTotalKey[] = L"Total";

std::wstring EntrySection(int i) { return L"E" + ToText(i); }

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (UpperChar(text[i]) != UpperChar(prefix[i])) return false;
  return true;
}

// Shows the side bar again when it leaves scope, however the question before it ended.
class HiddenWhileAsking {
public:
  explicit HiddenWhileAsking(ui::Window* window) : window_(window && window->Visible() ? window : nullptr) {
    if (window_) window_->Hide();
  }
  HiddenWhileAsking(const HiddenWhileAsking&) = delete;
  HiddenWhileAsking& operator=(const HiddenWhileAsking&) = delete;
  ~HiddenWhileAsking() {
    if (window_) window_->Show();
  }

private:
  ui::Window* window_;
};

}  // namespace

std::wstring clsExec::ExecFile() { return DataDir + L"exec.qdt"; }

void clsExec::LoadExecs() {
  const std::wstring file = ExecFile();
  const double total = RoundHalfEven(LeadingNumber(ReadSetting(file, kInitSection, kTotalKey)));
  entries_ = {};
  count_ = static_cast<std::int16_t>(total >= kCapacity ? kCapacity : total >= 1 ? static_cast<int>(total) : 0);
  for (int i = 1; i <= count_; ++i) {
    ExecEntry& e = entries_[static_cast<size_t>(i)];
    const std::wstring section = EntrySection(i);
    e.Name = ReadSetting(file, section, L"Name");
    e.Exec = ReadSetting(file, section, L"Exec");
    e.Path = ReadSetting(file, section, L"Path");
  }
}

void clsExec::SaveExecs() const {
  const std::wstring file = ExecFile();
  WriteSetting(file, kInitSection, kTotalKey, ToText(count_));
  for (int i = 1; i <= count_; ++i) {
    const ExecEntry& e = entries_[static_cast<size_t>(i)];
    const std::wstring section = EntrySection(i);
    WriteSetting(file, section, L"Name", e.Name);
    WriteSetting(file, section, L"Exec", e.Exec);
    WriteSetting(file, section, L"Path", e.Path);
  }
}

bool clsExec::AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName) {
  if (count_ >= kCapacity) {
    ui::MsgBox(LangText(L"_exec:msglimit"), ui::kMbCritical, LangText(L"_main:execute"));
    return false;
  }
  ++count_;
  // Each value is one line of exec.qdt; a line break would start a line of its own there.
  entries_[static_cast<size_t>(count_)] = ExecEntry{lists::OneLine(ename), lists::OneLine(appName), lists::OneLine(path)};
  SaveExecs();
  return true;
}

void clsExec::DeleteExec(int index) {
  if (index < 1 || index > count_) return;
  for (int i = index; i < count_; ++i) entries_[static_cast<size_t>(i)] = std::move(entries_[static_cast<size_t>(i) + 1]);
  entries_[static_cast<size_t>(count_)] = {};
  --count_;
}

void clsExec::RefreshList(ui::ListBox* lst) const {
  if (!lst) return;
  lst->Clear();
  for (int i = 1; i <= count_; ++i) {
    const ExecEntry& e = entries_[static_cast<size_t>(i)];
    lst->AddItem(ToLowerText(e.Exec) + L" - " + e.Name);
  }
}

int clsExec::FindExec(const std::wstring& name) const {
  for (int i = 1; i <= count_; ++i)
    if (StartsWithIgnoringCase(entries_[static_cast<size_t>(i)].Exec, name)) return i;
  return 0;
}

void clsExec::UpdateExec() {
  if (!lblAppName_) return;
  const std::wstring typed = txtExec_ ? txtExec_->Text() : std::wstring();
  const int i = typed.empty() ? 0 : FindExec(typed);
  lblAppName_->SetText(i != 0 ? entries_[static_cast<size_t>(i)].Name : std::wstring());
}

void clsExec::DoExec(std::wstring* entry) {
  std::wstring name = entry ? *entry : std::wstring();
  if (name.empty()) {
    name = txtExec_ ? txtExec_->Text() : std::wstring();
    if (entry) *entry = name;
  }
  try {
    if (const int i = FindExec(name); i != 0) {
      platform::StartProgram(entries_[static_cast<size_t>(i)].Path);  // a failure to start is not reported
      return;
    }
    const HiddenWhileAsking hidden(sideBar_);
    const int answer = ui::MsgBox(LangText(L"_exec:msgadd"), ui::kMbYesNo | ui::kMbExclamation,
                                  LangText(L"_main:execute"));
    if (answer == ui::kAnswerYes) frmAddExec::ShowDialog(name);
  } catch (...) {
    // Any failure ends the launch quietly.
  }
}

}  // namespace velvane
