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

platform::ini::Document* ProfileFile::Document() {
  const std::wstring* text = Read();
  if (!text) return nullptr;
  if (parsed_ != Generation()) {
    document_ = platform::ini::Document(*text);
    parsed_ = Generation();
  }
  return &document_;
}

std::wstring ProfileFile::Get(const std::wstring& section, const std::wstring& key) {
  const platform::ini::Document* document = Document();
  return document ? document->Read(section, key, platform::ini::kValueChars) : std::wstring();
}

Outcome ProfileFile::Set(const std::vector<Value>& values, bool replace) {
  platform::ini::Document* document = Document();
  if (!document) return Problem();
  // The values go into the document of the text held, which then stands for the text written.
  if (replace) *document = platform::ini::Document();
  for (const Value& v : values) document->Write(v.section, v.key, OneLine(v.value));
  Outcome written = Write(document->Text());
  parsed_ = written ? Generation() : 0;  // a document that was not written is taken apart again from the file
  return written;
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

std::vector<const DataFile*> DataStore::ReadAtStart(const std::vector<DataFile*>& files, int tries) {
  std::vector<const DataFile*> unread;
  for (int tried = 0;; ++tried) {
    unread.clear();
    for (DataFile* file : files)
      if (!file->Read()) unread.push_back(file);
    if (unread.empty() || tried == tries) return unread;
    platform::PauseMs(kStartReadPauseMs);
  }
}

}  // namespace velvane
