#pragma once
// A program's folders and data files, in one place: each program's owner (Velvane, Primewiz) holds one store and hands
// it to the settings, the language table, the lists and the notes, which never find a folder or a file by themselves.
//
// A data file knows its place, how its text is stored, the text it held when last read or written (a read costs one
// look at the file while it is unchanged), and whether it has been read at all. A file that is there but cannot be
// read (another program holds it open, as sync clients, backup tools and virus scanners do) shows as empty, but is
// never written over: its holder reads it again before each save and keeps what it holds.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/outcome.h"
#include "platform/files.h"
#include "platform/ini_profile.h"
#include "platform/text_codec.h"

namespace velvane {

// Where a program keeps its files, each ending with a backslash. DataDir is the program folder's data\ or, where that
// cannot be written, the user's own (common/data_folder.h).
struct Folders {
  std::wstring AppDir, DataDir, LangDir, SkinDir;

  // The folders of the program folder given without its trailing backslash (a drive root then gives a doubled one),
  // with the data folder chosen and prepared.
  static Folders Of(const std::wstring& programFolder);
};

class DataFile {
public:
  // The file's name in the data folder, and the form its text takes where Windows-1252 does not hold it.
  DataFile(std::wstring name, platform::codec::UnicodeForm form) : name_(std::move(name)), form_(form) {}
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  const std::wstring& Name() const { return name_; }  // "todo.qdt"
  const std::wstring& Path() const { return path_; }
  // The text the file holds now, "" for a missing file; read again only when the file changed since it was last
  // read or written. Valid until the next read or write. Null when the file is there but cannot be read: Problem()
  // then says why.
  const std::wstring* Read();
  // What the file holds is known: it was read, found missing or written since the start.
  bool Known() const { return known_; }
  const Outcome& Problem() const { return problem_; }  // why the last read failed
  // Replaces the file by the text in one step (Windows-1252 where it fits, else the file's Unicode form), after
  // reading a file that is not known yet: a file that cannot be read is not written over. Its holder reads it
  // first and keeps what it holds.
  Outcome Write(const std::wstring& text);

protected:
  std::uint64_t Generation() const { return generation_; }  // changes with the text held

private:
  friend struct DataStore;
  std::wstring name_, path_;
  platform::codec::UnicodeForm form_;
  std::optional<platform::FileStamp> stamp_;  // of the text held; none for a missing file
  std::wstring text_;
  std::uint64_t generation_ = 0;
  bool known_ = false;
  Outcome problem_;
};

// A settings file (config.qdt, exec.qdt): sections of key=value lines in the profile format. Values come from the
// text last read, taken apart once; keys are set in groups on what the file holds at that moment, one write a group.
class ProfileFile : public DataFile {
public:
  explicit ProfileFile(std::wstring name) : DataFile(std::move(name), platform::codec::UnicodeForm::Utf16Le) {}

  // The value, cut at 4999 characters; "" when missing, and while the file cannot be read.
  std::wstring Get(const std::wstring& section, const std::wstring& key);

  struct Value {
    std::wstring section, key, value;
  };
  // Sets the values (a line break in one becomes a blank, so that it stays one line) on what the file holds now and
  // writes it once; with replace, on nothing, so that the file holds these values alone. Refused, without writing,
  // while the file cannot be read.
  Outcome Set(const std::vector<Value>& values, bool replace = false);

private:
  platform::ini::Document* Document();  // of the text the file holds now; null when it cannot be read

  platform::ini::Document document_;
  std::uint64_t parsed_ = 0;  // the generation the document was taken from; 0: none yet
};

// A start tries an unreadable file again this far apart: a list for a second and a half (it shows empty meanwhile and
// is joined later), the settings, without which no start can go on, for ten seconds.
inline constexpr unsigned kStartReadPauseMs = 100;
inline constexpr int kStartReadTries = 15;
inline constexpr int kSettingsReadTries = 100;

struct DataStore {
  // Places the files in the folders' data folder; nothing of them is known then.
  void Open(Folders where);
  // Reads the files given, trying again for a moment those that cannot be read (a program holding a file usually
  // lets go within seconds), and answers those that still cannot be read.
  std::vector<const DataFile*> ReadAtStart(const std::vector<DataFile*>& files, int tries = kStartReadTries);

  Folders folders;
  ProfileFile config{L"config.qdt"};  // the settings of both programs
  ProfileFile exec{L"exec.qdt"};      // the launcher list
  DataFile toDo{L"todo.qdt", platform::codec::UnicodeForm::Utf8};
  DataFile shelf{L"tempfiles.qdt", platform::codec::UnicodeForm::Utf8};  // the file shelf
  DataFile notes{L"notes.qdt", platform::codec::UnicodeForm::Utf8};
};

}  // namespace velvane
