#pragma once
// What the core asks of the side-bar window. The core owns this interface and the side bar (frmMain) implements it:
// the core reaches the window without including any window header.
#include <cstdint>
#include <string>

namespace velvane {
struct Velvane;

class SideBarView {
public:
  virtual ~SideBarView() = default;

  // Creates the hidden window with its controls on the model given and marks it for later starts; once, during the
  // start.
  virtual void Open(Velvane& app) = 0;
  virtual void SetShown(bool shown) = 0;  // at once, without a fade
  virtual void SetAlpha(std::uint8_t alpha) = 0;  // a failure is ignored
  virtual void SetTopMost(bool topMost) = 0;
  virtual void StartFade() = 0;  // the fade timer steps the alpha until the fade is done
  virtual void EndDrag() = 0;
  virtual void BringForward() = 0;  // restored when minimised, then to the foreground and to the top
  virtual std::wstring NotesText() const = 0;
  virtual void SetNotesText(const std::wstring& text) = 0;
  virtual void AppendNote(const std::wstring& text) = 0;  // after a blank line, at the end of the notes
  virtual void ShowScreenshotKind(std::uint8_t kind) = 0;  // the skin's picture of the kind; none without one
  // Starts the entry the name (empty: the launcher box's text) selects, or asks whether to add one.
  virtual void Launch(const std::wstring& name) = 0;
  // A message box (styles and answers of common/message_box.h); answers the button pressed.
  virtual int Message(const std::wstring& text, int style, const std::wstring& title) = 0;
  // False where the user asked Windows for no animations: the bar then shows and hides without a fade.
  virtual bool Animated() const { return true; }
};

}  // namespace velvane
