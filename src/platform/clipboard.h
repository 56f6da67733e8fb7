#pragma once
// The system clipboard's plain text, as the clipboard history polls it and puts entries back on it.
#include <cstdint>
#include <optional>
#include <string>

namespace velvane::platform {

// What one look at the clipboard found.
struct ClipboardRead {
  std::optional<std::wstring> text;  // nullopt: no plain text, or contents marked as not to be recorded
  bool busy = false;                 // another program held the clipboard open, so nothing could be read
};

// Changes whenever the clipboard's contents change; 0 when the system cannot tell.
std::uint32_t ClipboardSequence();
// Never waits: a clipboard held open by another program answers busy at once. Contents that password managers mark
// as not to be recorded count as no text.
ClipboardRead ReadClipboardText();
// Empties the clipboard and puts the text on it as plain text. False when the clipboard could not be opened.
bool WriteClipboardText(const std::wstring& text);

// The clipboard as one object, so the clipboard history can be handed a scripted one.
class ClipboardAccess {
public:
  virtual ~ClipboardAccess() = default;
  virtual std::uint32_t Sequence() = 0;
  virtual ClipboardRead ReadText() = 0;
  virtual bool WriteText(const std::wstring& text) = 0;
};

class SystemClipboardAccess final : public ClipboardAccess {
public:
  std::uint32_t Sequence() override { return ClipboardSequence(); }
  ClipboardRead ReadText() override { return ReadClipboardText(); }
  bool WriteText(const std::wstring& text) override { return WriteClipboardText(text); }
};

inline ClipboardAccess& SystemClipboard() {
  static SystemClipboardAccess system;
  return system;
}

}  // namespace velvane::platform
