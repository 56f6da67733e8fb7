// The screenshot's cost (scripts/bench.sh): bench_capture RUNS FOLDER takes the whole screen and saves it as the hot
// key does, and writes a file of the same number of bytes the same way, alternately, RUNS times each after a
// warm-up; prints the wall times and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "core/screenshot.h"
#include "platform/files.h"

namespace {

constexpr int kWarmUpRuns = 2;

double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
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
  std::vector<double> capture, save, total, write;
  size_t bytes = 0;
  try {
    for (int i = 0; i < kWarmUpRuns + runs; ++i) {
      const double start = NowMs();
      const velvane::platform::Picture picture = screenshot.CaptureScreen();
      const double captured = NowMs();
      velvane::SavePicture(picture, folder + L"bench_shot.bmp").ThrowIfFailed();
      const double saved = NowMs();
      bytes = velvane::platform::GetFileStamp(folder + L"bench_shot.bmp").value_or(velvane::platform::FileStamp{}).size;
      const std::string same(bytes, '\x5A');
      const double before = NowMs();
      if (!velvane::platform::ReplaceFileContents(folder + L"bench_write.bin", same)) throw std::runtime_error("write");
      const double written = NowMs();
      if (i < kWarmUpRuns) continue;
      capture.push_back(captured - start);
      save.push_back(saved - captured);
      total.push_back(saved - start);
      write.push_back(written - before);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 1;
  }
  std::printf("screen %dx%d, %zu bytes per file\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              bytes);
  bench::Report("  capture", capture, 13);
  bench::Report("  save", save, 13);
  bench::Report("capture+save", total, 13);
  bench::Report("write", write, 13);
  std::printf("ratio    %.2f (median capture+save / median write)\n", bench::Median(total) / bench::Median(write));
  return 0;
}
