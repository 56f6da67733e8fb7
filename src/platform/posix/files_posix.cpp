#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "platform/files_testing.h"
#include "platform/posix/native_path.h"
#include "platform/text_codec.h"
#include "platform/wildcard.h"

namespace velvane::platform {

namespace testing {

std::set<std::wstring>& HeldFiles() {
  static std::set<std::wstring> held;
  return held;
}

}  // namespace testing

namespace {

std::nullopt_t Failed(SystemError* error, int code) {
  if (error) *error = static_cast<SystemError>(code);
  return std::nullopt;
}

}  // namespace

std::wstring SystemErrorText(SystemError error) { return codec::FromUtf8(std::strerror(static_cast<int>(error))); }

std::optional<std::string> ReadFileBytes(const std::wstring& path, SystemError* error) {
  if (testing::HeldFiles().count(path)) return Failed(error, static_cast<int>(testing::kHeldFileError));
  const std::string native = NativePath(path);
  struct stat st {};
  if (stat(native.c_str(), &st) != 0) return Failed(error, errno);
  if (!S_ISREG(st.st_mode)) return Failed(error, EISDIR);
  std::ifstream in(native, std::ios::binary);
  if (!in) return Failed(error, errno);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::optional<FileStamp> GetFileStamp(const std::wstring& path) {
  struct stat st {};
  if (stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(st.st_size),
                   static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes, SystemError* error) {
  return ReplaceFileContents(path, {bytes}, error);
}

bool ReplaceFileContents(const std::wstring& path, std::initializer_list<std::string_view> parts, SystemError* error) {
  if (testing::HeldFiles().count(path)) return Failed(error, static_cast<int>(testing::kHeldFileError)), false;
  const std::string native = NativePath(path);
  const std::string temp = NativePath(path + kSaveTemporarySuffix);
  errno = 0;
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return Failed(error, errno), false;
  bool written = true;
  for (std::string_view bytes : parts) written = written && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool flushed = std::fflush(f) == 0 && fsync(fileno(f)) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!(written && flushed && closed) || std::rename(temp.c_str(), native.c_str()) != 0) {
    const int code = errno ? errno : EIO;
    std::remove(temp.c_str());
    return Failed(error, code), false;
  }
  return true;
}

std::vector<DirEntry> ListDirectory(const std::wstring& pattern) {
  std::wstring folder, mask;
  const size_t slash = pattern.find_last_of(L'\\');
  if (slash == std::wstring::npos) {
    folder = L".";
    mask = pattern;
  } else {
    folder = pattern.substr(0, slash);
    mask = pattern.substr(slash + 1);
    if (folder.empty()) folder = L"\\";
  }
  if (mask.empty()) mask = L"*";
  std::vector<DirEntry> found;
  DIR* dir = opendir(NativePath(folder).c_str());
  if (!dir) return found;
  std::vector<std::wstring> names;
  while (dirent* e = readdir(dir)) names.push_back(codec::FromUtf8(e->d_name));
  closedir(dir);
  // "." and ".." first, then the names in order, as an NTFS listing gives them.
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    const int ra = a == L"." ? 0 : a == L".." ? 1 : 2, rb = b == L"." ? 0 : b == L".." ? 1 : 2;
    return ra != rb ? ra < rb : a < b;
  });
  for (const auto& name : names) {
    if (!WildcardMatch(mask, name)) continue;
    // A name that starts with a dot is hidden here, as Wine shows it to Windows programs.
    const bool hidden = name.starts_with(L'.');
    if (hidden && !ListsHiddenEntry(mask, name)) continue;
    struct stat st {};
    const bool ok = stat(NativePath(folder + L"\\" + name).c_str(), &st) == 0;
    found.push_back({name, ok && S_ISDIR(st.st_mode), hidden});
  }
  return found;
}

std::wstring ExecutablePath() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (n <= 0) return L".\\velvane";
  std::wstring out = codec::FromUtf8(std::string_view(buffer, static_cast<size_t>(n)));
  std::replace(out.begin(), out.end(), L'/', L'\\');
  return out;
}

std::wstring ExecutableFolder() {
  const std::wstring path = ExecutablePath();
  return path.substr(0, path.find_last_of(L'\\'));
}

bool RemoveFile(const std::wstring& path) { return std::remove(NativePath(path).c_str()) == 0; }

}  // namespace velvane::platform
