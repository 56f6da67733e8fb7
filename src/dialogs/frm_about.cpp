#include "dialogs/frm_about.h"

#include "common/errors.h"
#include "core/config.h"
#include "core/velvane.h"
#include "dialogs/dialog_look.h"
#include "velvane_version.h"

namespace velvane {
namespace {

using ui::Twips;

// The picture's body is light in every skin; the credits are printed on it in ink, not in the skin's dialog colours.
constexpr ui::Color kHeadingInk{40, 48, 60};
constexpr ui::Color kCreditInk{96, 106, 120};

// A credit line: design name, left and top in twips, text.
struct Credit {
  int left, top;
  const wchar_t* text;
};

constexpr std::array<Credit, 6> kNames{{
    {240, 1740, L"The Velvane developers"},
    {240, 2400, L"Everyone who sent a wish or"},
    {240, 2640, L"reported a fault"},
    {1560, 3300, L"The Velvane developers"},
    {1560, 3540, L"The Velvane developers"},
    {1560, 3780, L"Yours? Send us a file"},
}};
constexpr std::array<const wchar_t*, 3> kLanguages{L"English", L"Espa\u00f1ol", L"Other"};

ui::WindowSpec AboutSpec(const Velvane& app) {
  ui::WindowSpec spec = ui::DialogSpec(app, L"_about:title", 3750, 6000, ui::kSmallPoints);
  spec.dialogFrame = false;
  spec.borderless = true;  // the picture is the whole box
  return spec;
}

}  // namespace

std::wstring frmAbout::VersionLine() {
  return L"Velvane v" + std::to_wstring(kVersionMajor) + L"." + std::to_wstring(kVersionMinor) + L" - Build #" +
         std::to_wstring(kVersionRevision);
}

std::wstring frmAbout::DataLine(const Velvane& app) {
  std::wstring folder = app.store.folders.DataDir;
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return app.LangText(L"_about:data") + L"\r\n" + folder;
}

frmAbout::frmAbout(const Velvane& app) : SingleDialog(AboutSpec(app)) {
  ui::Window& w = *window_;
  // A skin without the picture shows the box on its plain background.
  try {
    w.SetPicture(app.settings.SkinFolder() + L"\\About.bmp");
  } catch (const RuntimeError&) {
  }
  const ui::Font bold = [] {
    ui::Font font = ui::FontOf(ui::kSmallPoints);
    font.bold = true;
    return font;
  }();
  const auto line = [&w](const std::wstring& name, ui::Rect at, const std::wstring& text, ui::Color ink) {
    ui::Label& label = w.AddLabel(name, at, text);
    label.SetForeColor(ink);
    return &label;
  };
  constexpr std::array<const wchar_t*, 3> kHeadings{L"_about:progideadesign", L"_about:ideasaimprov", L"_about:trans"};
  constexpr std::array<int, 3> kHeadingTops{1440, 2100, 3000};
  for (size_t i = 0; i < kHeadings.size(); ++i) {
    lbl[i] = line(L"lbl(" + std::to_wstring(i) + L")", Twips(120, kHeadingTops[i], 3495, 255), app.LangText(kHeadings[i]),
                  kHeadingInk);
    lbl[i]->SetFont(bold);
  }
  for (size_t i = 0; i < kLanguages.size(); ++i)
    lbl[i + 3] = line(L"lbl(" + std::to_wstring(i + 3) + L")", Twips(240, 3300 + 240 * static_cast<int>(i), 1260, 255),
                      kLanguages[i], kCreditInk);
  for (size_t i = 0; i < kNames.size(); ++i)
    lblNames[i] = line(L"lblNames(" + std::to_wstring(i) + L")", Twips(kNames[i].left, kNames[i].top, 3630 - kNames[i].left, 255),
                       kNames[i].text, kCreditInk);
  // Room for a long path: it wraps over up to three lines below the heading.
  lblData = line(L"lblData", Twips(120, 4200, 3495, 1020), DataLine(app), kCreditInk);
  lblV = line(L"lblV", Twips(60, 5700, 3015, 255), VersionLine(), kCreditInk);
  img = &w.AddImage(L"img", Twips(3120, 5400, 435, 435));
  img->onClick = [this] { window_->Close(); };
  w.onDeactivate = [this] { window_->Close(); };
  w.CenterOnScreen();
}

frmAbout& frmAbout::ShowDialog(const Velvane& app, const ui::Window* beside) {
  return Show([&app] { return std::unique_ptr<frmAbout>(new frmAbout(app)); }, beside);
}

}  // namespace velvane
