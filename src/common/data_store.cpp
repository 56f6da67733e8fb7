#include "common/data_store.h"

#include "common/data_folder.h"
#include "common/text.h"
#include "common/text_files.h"
#include "platform/instance.h"

namespace velvane {

Folders Folders::Of(const std::wstring& programFolder) {
  const std::wstring app = programFolder + L"\\";
  return {app, PrepareDataFolder(app), app + L"lang\\", app + L"skins\\"};
}

const std::wstring* DataFile::Read() {
  const auto stamp = platform::GetFileStamp(path_);
  if (known_ && stamp_ == stamp) return &text_;
  std::wstring text;
  if (stamp) {
    platform::SystemError error = 0;
    auto read = ReadStoredText(path_, &error);
    if (!read) {
      problem_ = Outcome(error);
      return nullptr;
    }
    text = std::move(*read);
  }
  text_ = std::move(text);
  stamp_ = stamp;
  known_ = true;
  problem_ = {};
  ++generation_;
  return &text_;
}

Outcome DataFile::Write(const std::wstring& text) {
  if (!known_ && !Read()) return problem_;
  if (Outcome written = WriteStoredText(path_, text, form_); !written) return written;
  text_ = text;
  stamp_ = platform::GetFileStamp(path_);
  ++generation_;
  return {};
}

std::wstring ProfileFile::Get(const std::wstring& section, const std::wstring& key) {
  const std::wstring* text = Read();
  if (!text) return {};
  if (parsed_ != Generation()) {
    document_ = platform::ini::Document(*text);
    parsed_ = Generation();
  }
  return document_.Read(section, key, platform::ini::kValueChars);
}

Outcome ProfileFile::Set(const std::vector<Value>& values, bool replace) {
  const std::wstring* now = Read();
  if (!now) return Problem();
  platform::ini::Document document(replace ? std::wstring_view() : std::wstring_view(*now));
  for (const Value& v : values) document.Write(v.section, v.key, OneLine(v.value));
  return Write(document.Text());
}

void DataStore::Open(Folders where) {
  folders = std::move(where);
  for (DataFile* file : std::vector<DataFile*>{&config, &exec, &toDo, &shelf, &notes}) {
    file->path_ = folders.DataDir + file->name_;
    file->stamp_.reset();
    file->text_.clear();
    file->known_ = false;
    file->problem_ = {};
    ++file->generation_;
  }
}

std::vector<const DataFile*> DataStore::ReadAtStart(const std::vector<DataFile*>& files) {
  std::vector<const DataFile*> unread;
  for (int tries = 0;; ++tries) {
    unread.clear();
    for (DataFile* file : files)
      if (!file->Read()) unread.push_back(file);
    if (unread.empty() || tries == kStartReadTries) return unread;
    platform::PauseMs(kStartReadPauseMs);
  }
}

}  // namespace velvane
