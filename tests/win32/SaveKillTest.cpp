// Saves of the settings file through the real Win32 file port, killed with TerminateProcess at
// random moments: after each kill the file is byte for byte the file before the save that was
// in flight or the file that save makes, never a mix, a truncated file or no file. The saving
// process is SaveLoop.exe beside this test; it tells which generation it is writing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "base/win32/Wide.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/win32/Win32FileSystem.h"
#include "win32/saveloop/SaveGeneration.h"

namespace tovr {
namespace {

std::wstring BesideThisExe(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// A new, empty folder under the temporary directory (Wine reuses process ids: a folder of an
// earlier run that stopped early may be there), removed at the end.
struct Folder {
  std::wstring path;
  Folder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path = std::wstring(temp) + L"tovr-savekill-" + std::to_wstring(GetCurrentProcessId());
    Remove();
    CreateDirectoryW(path.c_str(), nullptr);
  }
  ~Folder() { Remove(); }
  void Remove() const {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path), ignored);
  }
};

void SpinFor(LONGLONG microseconds) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  do {
    QueryPerformanceCounter(&now);
  } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < microseconds);
}

TEST(SaveKillTest, TerminatedSavesLeaveTheFileBeforeOrAfterTheSaveInFlight) {
  const char* count = std::getenv("TOVR_SAVE_KILLS");
  const int kills = count ? std::atoi(count) : 1000;
  const std::wstring child = BesideThisExe(L"SaveLoop.exe");
  ASSERT_NE(GetFileAttributesW(child.c_str()), INVALID_FILE_ATTRIBUTES) << "SaveLoop.exe missing";

  const Folder folder;
  const std::wstring path = folder.path + L"\\Config.ini";
  const std::wstring mappingName = L"Local\\tovr-savekill-" + std::to_wstring(GetCurrentProcessId());
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, mappingName.c_str());
  ASSERT_TRUE(mapping);
  auto* inFlight = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
  ASSERT_TRUE(inFlight);

  Win32FileSystem fs;
  // The files the saves make, replayed in memory from the file the last kill left.
  MemoryFileSystem replayFs;
  replayFs.AddDirectory("C:\\replay");
  TSettingsFile replay(replayFs, "C:\\replay\\Config.ini");
  std::mt19937 rng(17);
  std::optional<std::string> file;  // as the last kill left it
  int generation = 0;               // the generation that file holds
  int beforeFirstSave = 0, oldFile = 0, newFile = 0, saves = 0, failedStarts = 0;
  for (int i = 0; i < kills && !HasFailure(); ++i) {
    InterlockedExchange(inFlight, 0);
    std::wstring commandLine = L"\"" + child + L"\" \"" + path + L"\" " + mappingName;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    // Starting a process can fail now and then on a loaded machine (Wine reports a child that
    // died while loading as a failed start): that is not what is tested here, so a start is
    // tried up to five times; the failed starts are counted and printed.
    DWORD startError = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
      if (CreateProcessW(child.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                         &pi)) {
        startError = 0;
        break;
      }
      startError = GetLastError();
      ++failedStarts;
      Sleep(200);
    }
    ASSERT_EQ(startError, 0u) << "SaveLoop.exe did not start five times in a row (kill " << i << ")";
    // One kill in ten at a random moment of the start; the others at a random moment (up to
    // 20 ms) after the first save began.
    if (i % 10 == 0) {
      Sleep(std::uniform_int_distribution<DWORD>(0, 60)(rng));
    } else {
      for (int waited = 0; InterlockedCompareExchange(inFlight, 0, 0) == 0 && waited < 10000; ++waited) Sleep(1);
      SpinFor(std::uniform_int_distribution<LONGLONG>(0, 20000)(rng));
    }
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    const int announced = InterlockedCompareExchange(inFlight, 0, 0);
    const std::optional<std::string> got = fs.ReadFile(Narrow(path));
    const std::string where = "kill " + std::to_string(i) + ", save " + std::to_string(announced) +
                              " in flight after generation " + std::to_string(generation);
    if (announced == 0) {
      ++beforeFirstSave;
      ASSERT_EQ(got, file) << where << ": changed without a save";
      continue;
    }
    ASSERT_GT(announced, generation) << where;
    replayFs.RemoveFile(replay.Path());
    if (file) replayFs.SetFile(replay.Path(), *file);
    for (int g = generation + 1; g < announced; ++g) testing::SaveGeneration(replay, g);
    const std::optional<std::string> before = replayFs.File(replay.Path());
    testing::SaveGeneration(replay, announced);
    saves += announced - generation;
    if (got == before) {  // (no file before the first save: still none)
      ++oldFile;
      generation = announced - 1;
    } else {
      ASSERT_TRUE(got) << where << ": the file is gone";
      ASSERT_TRUE(got == replayFs.File(replay.Path())) << where << ": neither the old file nor the new one";
      ++newFile;
      generation = announced;
    }
    file = got;
  }
  // A killed save leaves its temporary file; the next complete save of the file removes them all.
  const auto temporaryFiles = [&folder] {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
      if (entry.path().extension() == L".tmp") names += Narrow(entry.path().filename().wstring()) + " ";
    }
    return names;
  };
  const std::string leftovers = temporaryFiles();
  TSettingsFile ini(fs, Narrow(path));
  testing::SaveGeneration(ini, generation + 1);
  EXPECT_EQ(temporaryFiles(), "") << "temporary files left after a complete save";
  std::printf("%d kills during %d saves: %d before the first save, %d left the file before the save "
              "in flight, %d the file after it; temporary files left, removed by the next save: %s; "
              "failed starts of the saving process: %d\n",
              kills, saves, beforeFirstSave, oldFile, newFile, leftovers.c_str(), failedStarts);
  UnmapViewOfFile(const_cast<LONG*>(inFlight));
  CloseHandle(mapping);
}

}  // namespace
}  // namespace tovr
