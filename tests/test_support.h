#pragma once
// Helpers shared by the tests: throw-away folders and exact file bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace velvane::test {

// Velvane's paths use backslashes; on POSIX the file system wants slashes.
inline std::filesystem::path Native(std::wstring path) {
  if (std::filesystem::path::preferred_separator == L'/')
    for (auto& c : path)
      if (c == L'\\') c = L'/';
  return std::filesystem::path(path);
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::filesystem::create_directories(Native(path).parent_path());
  std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(Native(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool Exists(const std::wstring& path) { return std::filesystem::exists(Native(path)); }

// A fresh folder below the system's temporary folder, removed with everything in it at the end of the test.
class TempDir {
public:
  TempDir() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path() / ("velvane-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(base);
    native_ = base;
    path_ = base.wstring();
    if (std::filesystem::path::preferred_separator == L'/')
      for (auto& c : path_)
        if (c == L'/') c = L'\\';
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  // Without a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
  std::filesystem::path native_;
  std::wstring path_;
};

}  // namespace velvane::test
