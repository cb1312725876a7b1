// A save of the settings file killed at any moment leaves Config.ini byte for byte as it was
// before that save or as the save makes it: never a mix, a truncated file or no file. The kill
// points fall at random bytes and steps of random saves; half of them are power cuts, which
// also lose what was not flushed. After each, a new process reads the file and saves again.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>

#include "fakes/CrashingDisk.h"
#include "settings/SettingsFile.h"

namespace tovr {
namespace {

constexpr char kFolder[] = "C:\\Tovrane";
constexpr char kPath[] = "C:\\Tovrane\\Config.ini";

// One save as the program makes it: [Option] keys put and the shortcut list rewritten, in one
// settings operation. The content depends on `seed` only; sizes range from a few bytes to
// several kilobytes, and one save in eight needs UTF-16 (an emoji).
void Save(IFileSystem& fs, unsigned seed) {
  std::mt19937 rng(seed);
  TSettingsFile ini(fs, kPath);
  TSettingsFile::Operation op = ini.BeginOperation();
  ini.PutNumber("Option", "Saves", static_cast<int>(seed));
  ini.PutText("Option", "ProxyIP", "代理" + std::to_string(rng() % 1000));
  ini.PutFlag("Option", "AutoUpdate", rng() % 2 == 0);
  ini.ClearSection("Apps");
  const unsigned rows = rng() % 60;
  for (unsigned i = 0; i < rows; ++i) {
    ini.PutText("Apps", "程序 " + std::to_string(i) + (rng() % 8 == 0 ? " \xF0\x9F\x98\x80" : ""),
                "C:\\Program Files\\App" + std::to_string(rng()) + "\\app.exe");
  }
  op.Commit();
}

TEST(SaveCrashTest, AKilledSaveLeavesTheFileBeforeOrAfterIt) {
  std::mt19937 rng(20240517);
  int kept = 0, replaced = 0, stillMissing = 0;
  for (int i = 0; i < 1000; ++i) {
    CrashingDisk disk;
    disk.AddDirectory(kFolder);
    std::optional<unsigned> beforeSeed;
    if (i % 8 != 3) {  // else the first save creates the file
      beforeSeed = rng();
      Save(disk, *beforeSeed);
    }
    const std::optional<std::string> before = disk.File(kPath);

    const unsigned seed = rng();
    CrashingDisk clean = disk;
    Save(clean, seed);
    const std::string after = *clean.File(kPath);
    const long work = clean.Work() - disk.Work();

    // Three kills in four at a random byte or step; one at the last steps: just before the
    // flush, before the rename, or just after the save.
    const long killAt = i % 4 == 3 ? work - std::uniform_int_distribution<long>(0, 2)(rng)
                                   : std::uniform_int_distribution<long>(0, work - 1)(rng);
    const bool powerCut = i % 2 == 1;
    disk.KillAfter(killAt, powerCut);
    bool killed = false;
    try {
      Save(disk, seed);
    } catch (const CrashingDisk::Killed&) {
      killed = true;
    }
    EXPECT_EQ(killed, killAt < work) << "case " << i;
    disk.Restart();

    const std::optional<std::string> got = disk.File(kPath);
    const std::string where = "case " + std::to_string(i) + ": killed after " +
                              std::to_string(killAt) + " of " + std::to_string(work) +
                              " units" + (powerCut ? ", power cut" : "");
    if (!got) {
      EXPECT_FALSE(before) << where << ": the file is gone";
      ++stillMissing;
    } else if (got == before) {
      ++kept;
    } else {
      EXPECT_EQ(*got, after) << where << ": neither the old file nor the new one";
      if (*got == after) ++replaced;
    }
    // The new process reads what survived and saves over it.
    TSettingsFile restarted(disk, kPath);
    const std::string expected = !got           ? "none"
                                 : got == before ? std::to_string(static_cast<int>(*beforeSeed))
                                                 : std::to_string(static_cast<int>(seed));
    EXPECT_EQ(restarted.GetText("Option", "Saves", "none"), expected) << where;
    Save(disk, seed);
    EXPECT_EQ(disk.File(kPath), after) << where << ": the save after the restart";
  }
  std::printf("1000 kills: %d left the old file, %d the new one, %d no file where there was none\n",
              kept, replaced, stillMissing);
  EXPECT_GT(kept, 100);
  EXPECT_GT(replaced, 10);
}

}  // namespace
}  // namespace tovr
