#pragma once
// Message box styles and answers (the classic numbers), named once for the model, which asks for boxes through its
// view, and for the forms layer, which shows them. A button set and an icon combine with |.
namespace velvane {

enum : int {
  kMbOk = 0,
  kMbOkCancel = 1,
  kMbYesNo = 4,
  kMbCritical = 16,
  kMbQuestion = 32,
  kMbExclamation = 48,
  kMbInformation = 64,
};
enum : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

}  // namespace velvane
