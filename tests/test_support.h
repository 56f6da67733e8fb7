#pragma once
// Helpers shared by the tests: throw-away folders, exact file bytes, registry clean-up and raised error numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "common/errors.h"
#include "platform/ini_profile.h"
#include "platform/registry.h"
#include "platform/text_codec.h"

namespace velvane::test {

// Text in several scripts, beyond the Basic Multilingual Plane too, and its UTF-8 bytes; text that fits Windows-1252,
// and its bytes there.
inline const std::wstring kWorld = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u0141\u00F3d\u017A \u4E2D\u6587 \U0001F600";
inline const std::string kWorldUtf8 =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xC5\x81\xC3\xB3" "d\xC5\xBA \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80";
inline const std::wstring kSpanish = L"Espa\u00F1ol \u20AC";
inline const std::string kSpanishBytes = "Espa\xF1ol \x80";
inline const std::string kUtf8Mark = "\xEF\xBB\xBF";

// Velvane's paths use backslashes; on POSIX the file system wants slashes, and names in UTF-8.
inline std::filesystem::path Native(std::wstring path) {
  if (std::filesystem::path::preferred_separator == L'\\') return std::filesystem::path(path);
  std::replace(path.begin(), path.end(), L'\\', L'/');
  return std::filesystem::path(platform::codec::ToUtf8(path));
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::filesystem::create_directories(Native(path).parent_path());
  std::ofstream(Native(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(Native(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Exists(const std::wstring& path) { return std::filesystem::exists(Native(path)); }

// A value of a profile file as Velvane reads it, the file read afresh.
inline std::wstring Setting(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  return platform::ini::Document(platform::codec::DecodeStored(ReadBytes(file))).Read(section, key, platform::ini::kValueChars);
}

// Deletes the keys below HKEY_CURRENT_USER in the order given, each emptied of its values first.
inline void DeleteUserKeys(std::initializer_list<const wchar_t*> keys) {
  for (const wchar_t* key : keys) {
    if (const auto names = platform::RawValueNames(platform::kRegCurrentUser, key))
      for (const auto& name : *names) platform::RawDeleteValue(platform::kRegCurrentUser, key, name);
    platform::RawDeleteKey(platform::kRegCurrentUser, key);
  }
}

// The number of the RuntimeError the action raises; 0 when it raises none.
inline int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

// The bytes of a bottom-up 24-bit bitmap file of one colour.
inline std::string BitmapFile(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const auto pixelBytes = static_cast<std::uint32_t>(stride * height);
  std::string bytes = "BM";
  auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  put(54 + pixelBytes, 4), put(0, 4), put(54, 4);  // the file header, then the information header
  put(40, 4), put(static_cast<std::uint32_t>(width), 4), put(static_cast<std::uint32_t>(height), 4);
  put(1, 2), put(24, 2), put(0, 4), put(pixelBytes, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  std::string row;
  for (int x = 0; x < width; ++x) row += {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
  row.resize(static_cast<size_t>(stride), '\0');
  for (int y = 0; y < height; ++y) bytes += row;
  return bytes;
}

// A fresh temporary folder (its path in backslashes, no trailing one), removed with its contents at the end.
class TempDir {
public:
  TempDir() {
    std::random_device rd;
    native_ = std::filesystem::temp_directory_path() / ("velvane-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(native_);
    path_ = native_.wstring();
    std::replace(path_.begin(), path_.end(), L'/', L'\\');
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
  std::filesystem::path native_;
  std::wstring path_;
};

}  // namespace velvane::test
