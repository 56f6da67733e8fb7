#pragma once
// The side bar: one borderless, skinned 800 x 341 window that carries every tool of the program. It is created
// hidden at start-up and lives until the program ends. Its code is split by job: frm_main.cpp (construction and the
// window's events), frm_main_layout.cpp, frm_main_panel.cpp (what the controls do), frm_main_glide.cpp (dragging),
// frm_main_fade.cpp and frm_main_hotkeys.cpp; list_rows.cpp draws the lists into its rows.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/side_bar_view.h"
#include "core/velvane.h"
#include "ui/forms.h"

namespace velvane {

// The text buttons, lblBtn(0) to lblBtn(6).
enum class MainButton : int { AddExec = 0, ExecList = 1, About = 2, Settings = 3, Hide = 4, Close = 5, Notepad = 6 };

// frmMain, the side-bar window: the core's view of it (SideBarView), drawing and driving the model it is opened on.
class frmMain final : public SideBarView {
public:
  static constexpr int kClientWidth = 800;
  static constexpr int kClientHeight = 341;
  static constexpr ui::Color kRowTextColor{64, 64, 64};

  frmMain() = default;  // the window comes with Open()
  ~frmMain() override = default;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  ui::Window& Window() { return *window_; }

  // SideBarView
  void Open(Velvane& app) override;  // creates the window and its controls, hidden
  void SetShown(bool shown) override;
  void SetAlpha(std::uint8_t alpha) override;
  void SetTopMost(bool topMost) override;
  void StartFade() override { tTAnim_->SetEnabled(true); }
  void EndDrag() override { Pressing = false; }
  void BringForward() override;
  std::wstring NotesText() const override { return txtNotes_ ? txtNotes_->Text() : std::wstring(); }
  void SetNotesText(const std::wstring& text) override { txtNotes_->SetText(text); }
  void AppendNote(const std::wstring& text) override;
  void ShowScreenshotKind(std::uint8_t kind) override;
  void Launch(const std::wstring& name) override;
  int Message(const std::wstring& text, int style, const std::wstring& title) override;
  // A proposed Left (vertical false) or Top (vertical true) in twips, clamped to the work area.
  std::int32_t ClampToWorkArea(std::int32_t position, bool vertical) const;

  // Left and Top of the window in twips (1440 / dpi to a pixel of its monitor); kept with sub-pixel precision for
  // the glide.
  std::int32_t LeftTwips() const { return leftTwips_; }
  void MoveTwips(std::int32_t left, std::int32_t top);
  // A bar that no monitor's work area shows any part of moves into the work area of the nearest monitor.
  void BringOntoMonitor();

  bool Pressing = false;  // a drag of the background is in progress
  std::int32_t GrabX = 0, GrabY = 0;
  std::int32_t DragTargetX = 0, DragTargetY = 0;

  // Controls, by their design names.
  ui::Label& lbl(int i) { return *lbl_[static_cast<size_t>(i)]; }
  ui::Label& lblBtn(int i) { return *lblBtn_[static_cast<size_t>(i)]; }
  ui::Label& lblBtn(MainButton b) { return lblBtn(static_cast<int>(b)); }
  ui::Label& lblClip(int i) { return *lblClip_[static_cast<size_t>(i)]; }  // clipboard history rows 1..7
  ui::Image& imgLock(int i) { return *imgLock_[static_cast<size_t>(i)]; }  // their locks 1..6
  ui::Label& lblFiles(int i) { return *lblFiles_[static_cast<size_t>(i)]; }  // file shelf rows 1..15
  ui::TextBox& txtNotes() { return *txtNotes_; }
  ui::TextBox& txtExec() { return *txtExec_; }  // the launcher box
  ui::Image& imgSS() { return *imgSS_; }  // the screenshot kind
  ui::Label& lblInfo() { return *lblInfo_; }  // the info line at the bottom

  ui::Timer& tMove() { return *tMove_; }              // the glide towards the drag target
  ui::Timer& tTAnim() { return *tTAnim_; }            // the fade timer
  ui::Timer& tClipb() { return *tClipb_; }            // the clipboard poll
  ui::Timer& tKeys() { return *tKeys_; }              // the hot-key poll
  ui::Timer& tKeyHolding() { return *tKeyHolding_; }  // while held: hides on release

  // Timer ticks and background mouse events, public for the tests that drive them.
  void FadeStep();
  void FollowStep();
  void KeysTick();
  void KeyHoldTick();
  void KeyHoldingTick();
  void BackgroundMouseDown(const ui::MouseEvent& e);
  void BackgroundMouseMove(const ui::MouseEvent& e);
  void BackgroundMouseUp(const ui::MouseEvent& e);

private:
  void CreateControls();
  double TwipsPerPixel() const;
  std::int32_t ToPixels(std::int32_t twips) const;
  std::int32_t ToTwips(std::int32_t pixels) const;
  ui::Rect PixelRect() const;  // the window on the screen
  // In pixels: where the glide may take the bar.
  ui::Rect ClampArea(const std::vector<ui::Monitor>& monitors) const;
  std::int32_t ClampInto(std::int32_t position, bool vertical, ui::Rect area) const;  // ClampToWorkArea in that area
  void DpiChanged();
  void ApplySkinAndCaptions();
  void WirePanel();
  bool OnQueryUnload();
  void SetInfo(const std::wstring& text);
  void SaveSelectedNotes();
  void RunLauncherBox(const ui::KeyEvent& e);
  void ToDoEntryDone();
  void OnButton(MainButton button);

  Velvane* app_ = nullptr;  // the model, from Open()
  std::unique_ptr<ui::Window> window_;
  std::array<ui::Label*, 5> lbl_{};
  std::array<ui::Label*, 7> lblBtn_{};
  std::array<ui::Label*, 8> lblClip_{};   // 1..7
  std::array<ui::Image*, 7> imgLock_{};   // 1..6
  std::array<ui::Label*, 16> lblFiles_{};  // 1..15
  ui::Label* lblFDrop_ = nullptr;
  ui::ListBox* lstToDo_ = nullptr;
  ui::TextBox* txtToDo_ = nullptr;
  ui::Image* img_ = nullptr;
  ui::TextBox* txtNotes_ = nullptr;
  ui::Image* imgSaveNote_ = nullptr;
  ui::TextBox* txtExec_ = nullptr;
  ui::Label* lblAppName_ = nullptr;
  ui::Image* imgGoScreen_ = nullptr;
  ui::Image* imgSS_ = nullptr;
  ui::Label* lblInfo_ = nullptr;
  ui::Timer* tMove_ = nullptr;
  ui::Timer* tTAnim_ = nullptr;
  ui::Timer* tClipb_ = nullptr;
  ui::Timer* tKeys_ = nullptr;
  ui::Timer* tKeyHold_ = nullptr;
  ui::Timer* tKeyHolding_ = nullptr;

  std::int32_t leftTwips_ = 0, topTwips_ = 0;
  std::array<bool, 2> hotKeyLatch_{};  // by HotKeyIndex
  bool holdWatch_ = false;
};

// One step of the glide: (target - current) / 1.2, rounded halves to even.
std::int32_t SlideStep(std::int32_t target, std::int32_t current);
// The cursor's screen position in pixels: axis 0 x, axis 1 y; nothing for another axis.
std::optional<std::int32_t> CursorPos(std::uint8_t axis);

// The side bar's window routines.
void SetWindowAlpha(ui::Window& window, std::uint8_t alpha);  // a failure is ignored

// The screenshot hot key: the configured kind; a picture or a number that could not be saved is said in a box, and
// the key does nothing while it is open.
void TakeHotKeyScreenshot(Velvane& app);
// Moves the box's selected text into a file the user picks; nothing selected, a cancel or a failed write (which
// shows a message) leaves the notes as they were. True when the text moved.
bool SaveNotesSelection(const clsLang& lang, const std::wstring& folder, ui::TextBox& box, const ui::Window* owner = nullptr);

}  // namespace velvane
