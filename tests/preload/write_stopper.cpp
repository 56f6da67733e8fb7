// A crash in the middle of a save, every time. Preloaded (LD_PRELOAD) into the Wine processes of the black-box tests,
// this library watches writes to plain files: when the file's folder holds "velvane-stop-write" and the file's name
// begins with the text in it, half of the bytes are written and the process is killed. Built for Linux by the host's
// compiler, beside the Windows tests.
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

bool Stops(int fd, size_t count) {
  struct stat st {};
  char path[4096], wanted[256];
  ssize_t n = 0;
  if (count < 2 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      (n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path)) <= 0)
    return false;
  const std::string written(path, static_cast<size_t>(n));
  const size_t slash = written.rfind('/');
  FILE* marker = std::fopen((written.substr(0, slash + 1) + "velvane-stop-write").c_str(), "rb");
  if (!marker) return false;
  const size_t length = std::fread(wanted, 1, sizeof wanted, marker);
  std::fclose(marker);
  return length > 0 && written.compare(slash + 1, length, wanted, length) == 0;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

template <typename Real, typename... Offset>
ssize_t Write(Real real, int fd, const void* bytes, size_t count, Offset... offset) {
  if (!Stops(fd, count)) return real(fd, bytes, count, offset...);
  real(fd, bytes, count / 2, offset...);
  kill(getpid(), SIGKILL);
  return -1;
}

}  // namespace

// Wine's own calls for writing files.
extern "C" ssize_t write(int fd, const void* bytes, size_t count) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return Write(real, fd, bytes, count);
}

extern "C" ssize_t pwrite(int fd, const void* bytes, size_t count, off_t offset) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return Write(real, fd, bytes, count, offset);
}
