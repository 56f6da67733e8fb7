#include "platform/profile.h"

#include "platform/files.h"
#include "platform/ini_profile.h"
#include "platform/text_codec.h"

namespace velvane::platform {
namespace {

// The launcher reads hundreds of keys of one file in a row: the text of the last profile file read is kept with the
// file's size and time, and a read costs one look at the file instead of one read and decode.
struct ProfileCache {
  std::wstring path;
  FileStamp stamp;
  std::wstring text;
};

ProfileCache& Cache() {
  static ProfileCache cache;
  return cache;
}

// The file's text, "" for a missing file; nothing when the file is there but cannot be read.
const std::wstring* ProfileText(const std::wstring& file) {
  ProfileCache& cache = Cache();
  static const std::wstring kNone;
  const auto stamp = GetFileStamp(file);
  if (!stamp) return &kNone;
  if (cache.path == file && cache.stamp == *stamp) return &cache.text;
  cache.path.clear();
  const auto bytes = ReadFileBytes(file);
  if (!bytes) return nullptr;
  cache = {file, *stamp, codec::DecodeStored(*bytes)};
  return &cache.text;
}

}  // namespace

std::wstring ProfileRead(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                         std::size_t maxChars) {
  const std::wstring* text = ProfileText(file);
  return text ? ini::Read(*text, section, key, maxChars) : std::wstring();
}

bool ProfileWrite(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value) {
  const std::wstring* old = ProfileText(file);
  if (!old) return false;  // rewritten from nothing, the file would lose its other keys
  const std::wstring text = ini::Write(*old, section, key, value);
  // A rewrite within the file time's resolution may keep size and time: the next read must not trust the cache.
  Cache().path.clear();
  return ReplaceFileContents(file, codec::EncodeStored(text, codec::UnicodeForm::Utf16Le));
}

}  // namespace velvane::platform
