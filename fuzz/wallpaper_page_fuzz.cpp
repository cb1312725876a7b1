// Arbitrary bytes as the animated wallpaper page's input: the picture paths (lines of the input
// after its first four bytes, which give the effect and the interval). Invariants:
// - the page has one line per picture plus its ten fixed lines, each ended by CR LF;
// - each picture's line holds its url ("\" turned into "/") in order;
// - the page is written to its file in code page 936 and reads back as written.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "wallpaper/WallpaperPageWriter.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovr;
  if (size < 4) return 0;
  wallpaper::PageSettings settings;
  settings.transition = static_cast<int>(data[0] % 25) - 1;
  settings.intervalMs = (data[1] % 100 + 1) * 60000;
  settings.screenWidth = 640 + data[2];
  settings.screenHeight = 480 + data[3];
  std::vector<std::string> urls;
  std::string line;
  for (std::size_t i = 4; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n' || c == '\r') {
      if (!line.empty()) urls.push_back(wallpaper::PictureUrl(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) urls.push_back(wallpaper::PictureUrl(line));

  const std::string page = wallpaper::WallpaperPageText(urls, settings);
  std::size_t lines = 0, at = 0;
  for (std::size_t pos; (pos = page.find("\r\n", at)) != std::string::npos; at = pos + 2) ++lines;
  Check(at == page.size(), "every line ends with CR LF");
  Check(lines == urls.size() + 10, "one line per picture plus ten");
  std::size_t from = 0;
  for (const std::string& url : urls) {
    Check(url.find('\\') == std::string::npos, "urls have no backslash");
    from = page.find("\"file:///" + url + "\";\r\n", from);
    Check(from != std::string::npos, "each picture's url in order");
  }

  MemoryFileSystem fs;
  fs.AddDirectory("C:\\WINDOWS");
  wallpaper::WritePageFile(fs, "C:\\WINDOWS\\TovrWall.htm", page);
  Check(fs.File("C:\\WINDOWS\\TovrWall.htm") == text::Utf8ToGbk(page), "the file holds the page in GBK");
  return 0;
}
