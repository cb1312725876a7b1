// Arbitrary bytes as the "ShellState" value that turns Active Desktop on. Invariants of reading
// it and setting the Active Desktop bit:
// - the state reads "on" exactly when byte 4 (zero when the value is shorter) is above 0x40;
// - on the NT family the value written back keeps every byte it had (at least 128 are written,
//   missing ones as zero), with only byte 4 raised by 0x40 when it was below 0x40;
// - on the other systems five bytes are written, the first five of those.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWallpaperSystem.h"
#include "wallpaper/WallpaperApplier.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovr;
  if (size == 0) return 0;
  const bool nt = (data[0] & 1) != 0;
  const std::vector<std::uint8_t> value(data + 1, data + size);

  FakeRegistry registry;
  registry.Put(RegRoot::CurrentUser, wallpaper::kExplorerKey, "ShellState", RegValue::FromBinary(value));
  FakeActiveDesktop activeDesktop;
  wallpaper::FakeWallpaperSystem system;
  system.nt = nt;
  FakeMessageBox boxes;
  bool activeDesktopOn = false;
  wallpaper::WallpaperApplier applier(registry, activeDesktop, system, boxes, {}, activeDesktopOn);

  const std::uint8_t byte4 = value.size() > 4 ? value[4] : 0;
  Check(applier.IsActiveDesktopOn() == (byte4 > 0x40), "on exactly when byte 4 is above 0x40");
  applier.SetActiveDesktop();
  const auto written = registry.Peek(RegRoot::CurrentUser, wallpaper::kExplorerKey, "ShellState");
  Check(written.has_value(), "the value is written");
  const std::vector<std::uint8_t>& out = written->data;
  const std::size_t expected = nt ? (value.size() > 128 ? value.size() : 128) : 5;
  Check(out.size() == expected, "128 bytes (or all of a longer value) on NT, 5 elsewhere");
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::uint8_t was = i < value.size() ? value[i] : 0;
    const std::uint8_t want = i == 4 && was < 0x40 ? static_cast<std::uint8_t>(was + 0x40) : was;
    Check(out[i] == want, "only byte 4 changes, and only when below 0x40");
  }
  return 0;
}
