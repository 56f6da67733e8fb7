#pragma once
// The launcher: short names typed in the side bar's launcher box start programs. Kept in exec.qdt.
#include <array>
#include <cstdint>
#include <string>

namespace velvane {
namespace ui { class TextBox; class Label; class ListBox; class Window; }

struct ExecEntry {
  std::wstring Exec;  // the short name typed
  std::wstring Name;  // the display name
  std::wstring Path;  // the command line
};

// The launcher list: its entries, the launcher box it completes and the starting of an entry.
class clsExec {
public:
  static constexpr int kCapacity = 300;

  // The side bar's launcher box and the label under it; sideBar is hidden while DoExec asks whether to add an entry.
  void Bind(ui::TextBox* txtExec, ui::Label* lblAppName, ui::Window* sideBar = nullptr) {
    txtExec_ = txtExec;
    lblAppName_ = lblAppName;
    sideBar_ = sideBar;
  }
  void LoadExecs();
  // Writes Total and sections E1..ETotal; sections beyond Total stay in the file and are ignored.
  void SaveExecs() const;
  // Appends the entry and saves; at 300 entries shows the limit message instead. Answers whether it was added.
  bool AddExec(const std::wstring& path, const std::wstring& ename, const std::wstring& appName);
  void DeleteExec(int index);  // memory only; 1 to ExecCount
  // One row per entry: the short name in lower case, " - ", the display name. Row k shows entry k + 1.
  void RefreshList(ui::ListBox* lst) const;
  // Starts the entry matching *entry, or offers to add one. When entry is nullptr or empty the launcher box's text
  // is used, and *entry receives it.
  void DoExec(std::wstring* entry = nullptr);
  void UpdateExec();
  // The first entry whose short name starts with `name`, case-insensitive; 0 when none. "" matches entry 1.
  int FindExec(const std::wstring& name) const;

  int ExecCount() const { return count_; }
  const ExecEntry& Entry(int i) const { return entries_[i >= 0 && i <= kCapacity ? static_cast<size_t>(i) : 0]; }

  static std::wstring ExecFile();  // DataDir & "exec.qdt"

private:
  std::array<ExecEntry, kCapacity + 1> entries_{};  // slot 0 unused
  std::int16_t count_ = 0;
  ui::TextBox* txtExec_ = nullptr;
  ui::Label* lblAppName_ = nullptr;
  ui::Window* sideBar_ = nullptr;
};

}  // namespace velvane
