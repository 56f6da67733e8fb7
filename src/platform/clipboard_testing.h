#pragma once
// Clipboards for tests: a scripted one for the clipboard history, and ways to act on the system clipboard as other
// programs do, for the tests of the platform twins.
#include <memory>
#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace velvane::platform::testing {

// A clipboard whose contents the test sets, counting what is asked of it.
class ScriptedClipboard final : public ClipboardAccess {
public:
  // Another program copies a text.
  void Put(std::wstring text) { Change(std::move(text)); }
  // Another program copies something that is not text (a picture, files).
  void PutNonText() { Change(std::nullopt); }
  // Another program opens the clipboard and keeps it open.
  void SetBusy(bool busy) { busy_ = busy; }
  // A system that keeps no sequence number answers 0 every time.
  void SetSequenceKnown(bool known) { sequenceKnown_ = known; }

  int Reads() const { return reads_; }
  int Writes() const { return writes_; }
  const std::optional<std::wstring>& Contents() const { return text_; }

  std::uint32_t Sequence() override { return sequenceKnown_ ? sequence_ : 0; }
  ClipboardRead ReadText() override {
    ++reads_;
    if (busy_) return {std::nullopt, true};
    return {text_, false};
  }
  bool WriteText(const std::wstring& text) override {
    if (busy_) return false;
    ++writes_;
    Change(text);
    return true;
  }

private:
  void Change(std::optional<std::wstring> text) {
    text_ = std::move(text);
    ++sequence_;
  }

  std::optional<std::wstring> text_;
  bool busy_ = false;
  bool sequenceKnown_ = true;
  std::uint32_t sequence_ = 1;
  int reads_ = 0;
  int writes_ = 0;
};

// The system clipboard as other programs use it; each platform twin supplies these.
void PutNonTextOnSystemClipboard();

// Holds the system clipboard open from elsewhere (another thread on Windows) until destroyed.
class SystemClipboardHold {
public:
  SystemClipboardHold();
  SystemClipboardHold(const SystemClipboardHold&) = delete;
  SystemClipboardHold& operator=(const SystemClipboardHold&) = delete;
  ~SystemClipboardHold();
  bool Holding() const;

private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace velvane::platform::testing
