#pragma once
// The clipboard history: the last seven texts seen on the system clipboard, with locks that keep positions 1 to 6
// from being pushed out. Lives in memory only; the side bar draws it when told that it changed.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace velvane {
namespace platform { class ClipboardAccess; }

class clsClipboard {
public:
  static constexpr int kTotal = 7;
  static constexpr int kCaptionChars = 15;    // a longer entry is cut there and "..." follows
  // A tip is as tall as its text and the screen cuts it: more than two screens of tip (80 characters a line at its
  // widest) is never seen, and the system would measure it at every hover. Wine's tips show 1,023 characters at most.
  static constexpr int kToolTipChars = 8192;

  // nullptr: the system clipboard.
  explicit clsClipboard(platform::ClipboardAccess* clipboard = nullptr);

  std::function<void()> onChanged;                  // the entries or the mark changed (UploadClipb)
  std::function<void(std::uint8_t num)> onLockChanged;  // the lock of a position changed (RefreshALock)

  const std::wstring& ClipbText(std::uint8_t num) const;  // positions 1 to 7; "" beyond
  const std::wstring& LastSeen() const { return lastSeen_; }  // the text last seen on the clipboard
  bool Locked(std::uint8_t num) const { return num >= 1 && num <= kTotal && lockFlags_[num - 1u]; }

  // Puts an entry back on the system clipboard; false when the clipboard could not be written.
  bool SetToClipboard(std::uint8_t num);
  void InvertLock(std::uint8_t num);  // positions 1 to 6
  void RefreshALock(std::uint8_t num);
  void OrderClipb();
  void RefreshData();  // one tick of the polling timer
  void DelClipb(std::uint8_t num);
  void UploadClipb();

  // What a label shows for an entry, and its tooltip.
  static std::wstring CaptionOf(const std::wstring& text);
  static std::wstring ToolTipOf(const std::wstring& text);

private:
  int FindEmptyClip() const;
  void TakeIn(std::wstring text);
  std::wstring& At(int num) { return texts_[static_cast<size_t>(num) - 1]; }  // positions 1 to 7

  platform::ClipboardAccess& clipboard_;
  std::array<std::wstring, kTotal> texts_{};  // position 1 first
  std::wstring lastSeen_;
  std::array<bool, kTotal> lockFlags_{};  // by position, not by text
  std::uint32_t lastSequence_ = 0;  // of the last tick that read the clipboard; 0 before the first
  bool sequenceSeen_ = false;
};

}  // namespace velvane
