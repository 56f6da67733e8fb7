// The headless twin of the clipboard: one clipboard inside the process, which the tests act on as other programs
// would.
#include "platform/clipboard.h"
#include "platform/clipboard_testing.h"

namespace velvane::platform {
namespace {

struct ProcessClipboard {
  std::optional<std::wstring> text;
  int holds = 0;
  std::uint32_t sequence = 1;

  void Change(std::optional<std::wstring> newText) {
    text = std::move(newText);
    ++sequence;
  }
};

ProcessClipboard& Board() {
  static ProcessClipboard board;
  return board;
}

}  // namespace

std::uint32_t ClipboardSequence() { return Board().sequence; }

ClipboardRead ReadClipboardText() {
  const ProcessClipboard& board = Board();
  if (board.holds > 0) return {std::nullopt, true};
  return {board.text, false};
}

bool WriteClipboardText(const std::wstring& text) {
  ProcessClipboard& board = Board();
  if (board.holds > 0) return false;
  board.Change(text);
  return true;
}

namespace testing {

void PutNonTextOnSystemClipboard() { Board().Change(std::nullopt); }

struct SystemClipboardHold::State {};

SystemClipboardHold::SystemClipboardHold() : state_(std::make_unique<State>()) { ++Board().holds; }
SystemClipboardHold::~SystemClipboardHold() { --Board().holds; }
bool SystemClipboardHold::Holding() const { return true; }

}  // namespace testing
}  // namespace velvane::platform
