// The headless twin: real trials on the disk, with the answers a test arranged taking precedence.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/native_path.h"
#include "platform/user_folders.h"
#include "platform/user_folders_testing.h"

namespace velvane::platform {

namespace testing {

std::set<std::wstring>& UnwritableFolders() {
  static std::set<std::wstring> folders;
  return folders;
}

std::wstring& LocalAppData() {
  static std::wstring folder;
  return folder;
}

}  // namespace testing

bool CanWriteIn(const std::wstring& folder) {
  if (testing::UnwritableFolders().count(folder)) return false;
  const std::string trial = NativePath(folder + L"~velvane-write-trial.tmp");
  const int fd = open(trial.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(trial.c_str());
  return true;
}

std::wstring LocalAppDataFolder() { return testing::LocalAppData(); }

bool MakeFolders(const std::wstring& folder) {
  const std::string native = NativePath(folder);
  for (size_t at = native.find('/', 1); at != std::string::npos; at = native.find('/', at + 1))
    mkdir(native.substr(0, at).c_str(), 0755);
  mkdir(native.c_str(), 0755);
  struct stat st {};
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace velvane::platform
