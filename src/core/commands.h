#pragma once
// Commands given on the command line, by the first start or handed over by a later one: a verb, optionally followed
// by one blank and an argument. The router runs them on the side bar, and holds those that arrive during the start.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velvane {
struct Velvane;

// The WM_COPYDATA tag (dwData) names the payload's code page: 0 (the system's ANSI code page) from older senders and
// from other programs, 1200 (UTF-16LE) from this version, which keeps every character.
inline constexpr std::uintptr_t kHandOffAnsi = 0;
inline constexpr std::uintptr_t kHandOffUtf16 = 1200;
// The UTF-16LE payload of a command line (tag kHandOffUtf16) without a terminating zero; one zero unit when empty.
std::string HandOffPayload(const std::wstring& commandLine);
// The command line of a payload: UTF-16LE for kHandOffUtf16, the system's ANSI code page for any other tag.
std::wstring HandOffCommand(std::uintptr_t tag, std::string_view payload);

class CommandRouter {
public:
  explicit CommandRouter(Velvane& app) : app_(app) {}
  CommandRouter(const CommandRouter&) = delete;
  CommandRouter& operator=(const CommandRouter&) = delete;

  // Runs one command: an unknown verb, or a verb without the argument it needs, does nothing.
  void RunCommand(const std::wstring& command);
  // Brings the side bar forward and runs the command line with its outer blanks trimmed; a run-time error is said
  // in a message.
  void ReceiveCommand(const std::wstring& command);
  // A hand-off's tag and bytes: held while the start is loading, run at once afterwards; empty bytes do nothing.
  void HandOff(std::uintptr_t tag, std::string_view bytes);
  // Until the start ends the loads would overwrite what a command adds: commands wait, in the order they came.
  void Hold(std::wstring command) { held_.push_back(std::move(command)); }
  // The end of the start: the first start's own command line, then the held commands in order.
  void CompleteStartup(const std::wstring& ownCommand);

private:
  Velvane& app_;
  bool started_ = false;
  std::vector<std::wstring> held_;
};

}  // namespace velvane
