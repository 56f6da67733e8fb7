#include "lists/clipboard_history.h"

#include "common/text.h"
#include "platform/clipboard.h"

namespace velvane {
namespace {

constexpr wchar_t kLineBreakMark[] = L"|R|";
constexpr wchar_t kCutMark[] = L"...";

// The first `count` characters, one fewer when the cut would split a surrogate pair.
std::wstring_view Head(const std::wstring& text, size_t count) {
  if (text.size() <= count) return text;
  if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) --count;
  return std::wstring_view(text).substr(0, count);
}

std::wstring WithoutLineFeeds(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t c : text)
    if (c != L'\n') out += c;
  return out;
}

}  // namespace

clsClipboard::clsClipboard(platform::ClipboardAccess* clipboard)
    : clipboard_(clipboard ? *clipboard : platform::SystemClipboard()) {}

const std::wstring& clsClipboard::ClipbText(std::uint8_t num) const {
  static const std::wstring kNone;
  return num >= 1 && num <= kTotal ? texts_[num - 1u] : kNone;
}

bool clsClipboard::SetToClipboard(std::uint8_t num) {
  if (num < 1 || num > kTotal) return false;
  return clipboard_.WriteText(At(num));
}

void clsClipboard::InvertLock(std::uint8_t num) {
  // Position 7 must stay unlocked: eviction relies on always finding an unlocked position.
  if (num < 1 || num >= kTotal) return;
  lockFlags_[num - 1u] = !lockFlags_[num - 1u];
  RefreshALock(num);
}

void clsClipboard::RefreshALock(std::uint8_t num) {
  if (num >= 1 && num < kTotal && onLockChanged) onLockChanged(num);
}

void clsClipboard::OrderClipb() {
  for (int i = 1; i < kTotal; ++i) {
    if (!At(i).empty()) continue;
    // Locked positions keep their entries; the first unlocked one below moves up, empty or not.
    for (int j = i + 1; j <= kTotal; ++j) {
      if (Locked(static_cast<std::uint8_t>(j))) continue;
      At(i) = std::move(At(j));
      At(j).clear();
      break;
    }
  }
}

void clsClipboard::RefreshData() {
  // The sequence number changes with every change of the clipboard, so a tick that finds the same number as the
  // last read neither opens nor reads the clipboard. A system that keeps no number answers 0: then every tick reads.
  const std::uint32_t sequence = clipboard_.Sequence();
  if (sequence != 0 && sequenceSeen_ && sequence == lastSequence_) return;
  // The number is taken before the read: a change in between is then seen by the next tick.
  platform::ClipboardRead read = clipboard_.ReadText();
  // A clipboard held open by another program counts as holding no text, and the next tick looks again.
  sequenceSeen_ = !read.busy;
  lastSequence_ = sequence;
  OrderClipb();
  TakeIn(read.text ? std::move(*read.text) : std::wstring());
}

void clsClipboard::TakeIn(std::wstring text) {
  if (text == lastSeen_) return;
  lastSeen_ = std::move(text);
  // A text already in the history stays where it is; redrawing moves the mark to it. An empty text finds any empty
  // position here, which redraws without touching the marks.
  for (const std::wstring& entry : texts_) {
    if (entry == lastSeen_) {
      UploadClipb();
      return;
    }
  }
  if (lastSeen_.empty()) return;
  if (const int place = FindEmptyClip(); place != 0) {
    At(place) = lastSeen_;
    UploadClipb();
    return;
  }
  // Full: the first unlocked entry leaves, the unlocked entries below it move up past the locked ones, and the new
  // text takes the place that frees at the bottom.
  for (int i = 1; i <= kTotal; ++i) {
    if (Locked(static_cast<std::uint8_t>(i))) continue;
    DelClipb(static_cast<std::uint8_t>(i));
    if (const int place = FindEmptyClip(); place != 0) At(place) = lastSeen_;
    break;
  }
  UploadClipb();
}

void clsClipboard::DelClipb(std::uint8_t num) {
  if (num < 1 || num > kTotal) return;
  At(num).clear();
  OrderClipb();
  UploadClipb();
}

std::wstring clsClipboard::CaptionOf(const std::wstring& text) {
  std::wstring caption(Head(text, kCaptionChars));
  if (caption.size() < text.size()) caption += kCutMark;
  return WithoutLineFeeds(ReplaceAll(caption, L"\r", kLineBreakMark));
}

std::wstring clsClipboard::ToolTipOf(const std::wstring& text) {
  const std::wstring_view head = Head(text, kToolTipChars);
  std::wstring tip = ReplaceAll(WithoutLineFeeds(head), L"\r", kLineBreakMark);
  if (head.size() < text.size()) tip += kCutMark;
  return tip;
}

void clsClipboard::UploadClipb() {
  if (onChanged) onChanged();
}

int clsClipboard::FindEmptyClip() const {
  for (int i = 1; i <= kTotal; ++i)
    if (texts_[static_cast<size_t>(i) - 1].empty()) return i;
  return 0;
}

}  // namespace velvane
