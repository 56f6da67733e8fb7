#include "ui/scripted.h"

#include <deque>
#include <functional>
#include <utility>

#include "ui/testing.h"

namespace velvane::ui {

namespace {

struct Script {
  bool on = false;
  std::deque<int> msgAnswers;
  std::deque<std::optional<std::wstring>> inputAnswers;
  std::deque<std::optional<std::wstring>> fileAnswers;
  std::vector<testing::ShownMessage> messages;
  std::vector<testing::ShownInputBox> inputs;
  std::vector<testing::ShownFileDialog> files;
  std::optional<std::pair<int, int>> screen;
  std::optional<Rect> workArea;
  std::optional<std::vector<Monitor>> monitors;
  std::optional<int> dpi;
  std::optional<int> quit;
  std::function<void()> whileMsgBox;
};

Script& TheScript() {
  static Script script;
  return script;
}

Script& On() {
  Script& s = TheScript();
  s.on = true;
  return s;
}

}  // namespace

namespace detail {

bool Scripted() { return TheScript().on; }

int ScriptedMsgBox(const std::wstring& text, int style, const std::wstring& title) {
  Script& s = On();
  s.messages.push_back({text, style, title});
  if (const auto meanwhile = std::exchange(s.whileMsgBox, nullptr)) meanwhile();
  if (!s.msgAnswers.empty()) {
    const int answer = s.msgAnswers.front();
    s.msgAnswers.pop_front();
    return answer;
  }
  switch (style & kButtonsMask) {
    case kMbYesNo: return kAnswerNo;
    case kMbOkCancel: return kAnswerCancel;
    default: return kAnswerOk;
  }
}

std::optional<std::wstring> ScriptedInputBox(const std::wstring& prompt, const std::wstring& title,
                                             const std::wstring& initial) {
  Script& s = On();
  s.inputs.push_back({prompt, title, initial});
  if (s.inputAnswers.empty()) return std::nullopt;
  auto answer = std::move(s.inputAnswers.front());
  s.inputAnswers.pop_front();
  return answer;
}

std::optional<std::wstring> ScriptedFileDialog(bool save, const FileDialogOptions& options) {
  Script& s = On();
  s.files.push_back({save, options.title, options.filter, options.initialDir});
  if (s.fileAnswers.empty()) return std::nullopt;
  auto answer = std::move(s.fileAnswers.front());
  s.fileAnswers.pop_front();
  return answer;
}

std::optional<std::pair<int, int>> ScreenSizeOverride() { return TheScript().screen; }
std::optional<Rect> WorkAreaOverride() { return TheScript().workArea; }
std::optional<std::vector<Monitor>> MonitorsOverride() { return TheScript().monitors; }
std::optional<int> DpiOverride() { return TheScript().dpi; }
void RecordQuit(int exitCode) { TheScript().quit = exitCode; }

}  // namespace detail

namespace testing {

void Reset() {
  TheScript() = Script{};
  On();
}

void SetScripted(bool on) { TheScript().on = on; }

void PushMsgBoxAnswer(int answer) { On().msgAnswers.push_back(answer); }
void WhileNextMsgBox(std::function<void()> meanwhile) { On().whileMsgBox = std::move(meanwhile); }
void PushInputBoxAnswer(std::optional<std::wstring> answer) { On().inputAnswers.push_back(std::move(answer)); }
void PushFileDialogAnswer(std::optional<std::wstring> path) { On().fileAnswers.push_back(std::move(path)); }

const std::vector<ShownMessage>& MessageLog() { return On().messages; }
const std::vector<ShownInputBox>& InputBoxLog() { return On().inputs; }
const std::vector<ShownFileDialog>& FileDialogLog() { return On().files; }

void SetScreenSize(int width, int height) { On().screen = std::make_pair(width, height); }
void SetWorkArea(Rect area) { On().workArea = area; }
void SetMonitors(std::vector<Monitor> monitors) { On().monitors = std::move(monitors); }
void SetDpi(int dpi) { On().dpi = dpi; }

std::optional<int> QuitRequested() { return TheScript().quit; }

bool FireTimer(Timer& timer) {
  if (!timer.Enabled() || timer.Interval() <= 0 || timer.Parent().Closed()) return false;
  timer.NotifyTick();
  return true;
}

}  // namespace testing

}  // namespace velvane::ui
