#pragma once
// The about box: the program's name and version over the skin's "About.bmp", with the credits. It closes on a click
// in its close area (the mark near the bottom right corner of the picture) or when it loses the focus. A single
// instance, modeless; each opening builds it anew.
#include <array>
#include <memory>
#include <string>

#include "ui/dialog_layout.h"

namespace velvane {
struct Velvane;

class frmAbout : public ui::SingleDialog<frmAbout> {
public:
  static frmAbout& ShowDialog(const Velvane& app, const ui::Window* beside = nullptr);  // a new box opens beside that window

  // "Velvane v1.2 - Build #42", from the program's own version numbers.
  static std::wstring VersionLine();
  // The heading "_about:data" and, on the next line, the data folder without its trailing backslash.
  static std::wstring DataLine(const Velvane& app);

  ui::Label* lblV = nullptr;
  ui::Label* lblData = nullptr;  // which folder holds the user's data
  ui::Image* img = nullptr;  // the close area
  std::array<ui::Label*, 6> lbl{};       // 0 to 2 the headings, 3 to 5 the languages of the translations
  std::array<ui::Label*, 6> lblNames{};  // the credit lines

private:
  explicit frmAbout(const Velvane& app);
};

}  // namespace velvane
