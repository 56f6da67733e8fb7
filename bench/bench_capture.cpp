// The screenshot's cost (scripts/bench.sh): bench_capture RUNS FOLDER takes the whole screen and saves it as the hot
// key does, and does the same job the shortest way a Windows program can (the floor), alternately, RUNS times each
// after a warm-up; prints the wall times and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "core/screenshot.h"

namespace {

constexpr int kWarmUpRuns = 2;

// The floor, nothing of Velvane in it: the screen copied into a 24-bit DIB section, the file header, the information
// header and the rows written to a temporary file, which is then moved in place.
void FloorShot(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 3780, 3780, 0, 0};
  header.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER file{0x4D42, offset + header.biSizeImage, 0, 0, offset};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* rows = nullptr;
  HBITMAP dib =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &rows, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const std::wstring temporary = path + L".tmp";
  HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof file, &written, nullptr) &&
                  WriteFile(out, &header, sizeof header, &written, nullptr) &&
                  WriteFile(out, rows, header.biSizeImage, &written, nullptr);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  DeleteObject(dib);
  if (!ok || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) throw std::runtime_error("floor");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_capture RUNS FOLDER\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  const std::wstring folder = std::wstring(argv[2]) + L"\\";
  const velvane::clsScreenshot screenshot;
  std::vector<double> capture, save, total, floor;
  try {
    for (int i = 0; i < kWarmUpRuns + runs; ++i) {
      // The two sides take turns at going first, so neither always finds the file system freshly busy.
      double velvaneMs = 0, floorMs = 0, captureMs = 0;
      for (int side = 0; side < 2; ++side) {
        const double start = bench::NowMs();
        if ((side == 0) == (i % 2 == 0)) {
          const velvane::platform::Picture picture = screenshot.CaptureScreen();
          captureMs = bench::NowMs() - start;
          if (!velvane::SavePicture(picture, folder + L"bench_shot.bmp")) throw std::runtime_error("the picture was not saved");
          velvaneMs = bench::NowMs() - start;
        } else {
          FloorShot(folder + L"bench_floor.bmp");
          floorMs = bench::NowMs() - start;
        }
      }
      if (i < kWarmUpRuns) continue;
      capture.push_back(captureMs);
      save.push_back(velvaneMs - captureMs);
      total.push_back(velvaneMs);
      floor.push_back(floorMs);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 1;
  }
  std::printf("screen %dx%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  bench::Report("  capture", capture, 13);
  bench::Report("  save", save, 13);
  bench::Report("capture+save", total, 13);
  bench::Report("floor", floor, 13);
  std::printf("ratio    %.2f (median capture+save / median floor)\n", bench::Median(total) / bench::Median(floor));
  return 0;
}
