// The launcher list's save (scripts/bench.sh): bench_exec_save RUNS FOLDER saves a launcher list of 300 entries into
// FOLDER\data\exec.qdt as OK in the list window does, a list of one entry the same way, and, as the floor, the same
// 300-entry bytes the shortest way a Windows program can (written to a temporary file once and moved in place), taking
// turns, RUNS times each after a warm-up; prints the wall times and their ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "common/data_store.h"
#include "lists/exec_list.h"

namespace {

constexpr int kWarmUpRuns = 2;

// The floor, nothing of Velvane in it.
void FloorSave(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".tmp";
  HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = out != INVALID_HANDLE_VALUE &&
                  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  FlushFileBuffers(out);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  if (!ok || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw std::runtime_error("floor");
}

std::vector<velvane::ExecEntry> Entries(int count) {
  std::vector<velvane::ExecEntry> entries;
  for (int i = 1; i <= count; ++i) {
    const std::wstring n = std::to_wstring(i);
    entries.push_back({L"prog" + n, L"Program number " + n, L"C:\\Program Files\\Tools " + n + L"\\prog" + n + L".exe"});
  }
  return entries;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_exec_save RUNS FOLDER\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  velvane::DataStore full, single;
  full.Open({L"", std::wstring(argv[2]) + L"\\full\\", L"", L""});
  single.Open({L"", std::wstring(argv[2]) + L"\\single\\", L"", L""});
  const std::wstring floorFile = std::wstring(argv[2]) + L"\\floor.qdt";
  for (const velvane::DataStore* store : {&full, &single}) CreateDirectoryW(store->folders.DataDir.c_str(), nullptr);
  velvane::clsExec fullList(full.exec), singleList(single.exec);
  std::vector<double> fullMs, singleMs, floorMs;
  try {
    if (!fullList.ReplaceExecs(Entries(300)) || !singleList.ReplaceExecs(Entries(1))) throw std::runtime_error("setup");
    const std::string bytes = [&] {
      HANDLE in = CreateFileW(full.exec.Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      std::string b(static_cast<size_t>(GetFileSize(in, nullptr)), '\0');
      DWORD read = 0;
      ReadFile(in, b.data(), static_cast<DWORD>(b.size()), &read, nullptr);
      CloseHandle(in);
      return b;
    }();
    for (int i = 0; i < kWarmUpRuns + runs; ++i) {
      double times[3] = {};
      for (int turn = 0; turn < 3; ++turn) {
        const int side = (turn + i) % 3;  // each side goes first in turn
        const double start = bench::NowMs();
        if (side == 0 && !fullList.SaveExecs()) throw std::runtime_error("the 300 entries were not saved");
        if (side == 1 && !singleList.SaveExecs()) throw std::runtime_error("the entry was not saved");
        if (side == 2) FloorSave(floorFile, bytes);
        times[side] = bench::NowMs() - start;
      }
      if (i < kWarmUpRuns) continue;
      fullMs.push_back(times[0]), singleMs.push_back(times[1]), floorMs.push_back(times[2]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 1;
  }
  bench::Report("300 entries", fullMs, 12);
  bench::Report("1 entry", singleMs, 12);
  bench::Report("floor", floorMs, 12);
  std::printf("ratio    %.2f (median 300 entries / median floor), %.2f (300 entries / 1 entry)\n",
              bench::Median(fullMs) / bench::Median(floorMs), bench::Median(fullMs) / bench::Median(singleMs));
  return 0;
}
