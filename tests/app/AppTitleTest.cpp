#include "app/AppTitle.h"

#include <gtest/gtest.h>

namespace tovr::app {
namespace {

TEST(AppTitleTest, TitleIsTheNameUpToTheFirstFullStopLowerCasedAfterItsFirstCharacter) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"C:\\Apps\\TOVRANE.EXE", "Tovrane"},
      {"C:\\Apps\\tovrane.exe", "tovrane"},     // the first character keeps its case
      {"C:\\a.b\\my.tool.exe", "my"},          // dots of folders do not count
      {"D:/tools/TovRane.Exe", "Tovrane"},
      {"C:\\a/b\\NAME.exe", "Name"},           // the last separator of either kind
      {"Tovrane", "Tovrane"},                  // no folder, no full stop
      {"C:\\Apps\\README", "Readme"},
      {"C:\\工具\\托瓦ABC.exe", "托瓦abc"},
      {"C:\\Apps\\ÉCRAN.EXE", "Écran"},       // only ASCII letters change
      {"C:\\Apps\\.hidden.exe", ""},
      {"C:\\Apps\\", ""},
      {"", ""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ApplicationTitle(cases[i].path), cases[i].title) << "case " << i;
  }
}

TEST(AppTitleTest, FilesBesideTheExecutable) {
  const struct {
    const char* path;
    const char* dir;
  } cases[] = {
      {"C:\\Program Files\\Tovrane\\Tovrane.exe", "C:\\Program Files\\Tovrane\\"},
      {"C:\\Tovrane.exe", "C:\\"},
      {"Z:/home/u/Tovrane.exe", "Z:/home/u/"},
      {"Tovrane.exe", ""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ExeDirectory(cases[i].path), cases[i].dir) << "case " << i;
    EXPECT_EQ(ConfigPath(cases[i].path), std::string(cases[i].dir) + "Config.ini") << "case " << i;
    EXPECT_EQ(HelpPath(cases[i].path), std::string(cases[i].dir) + "help.chm") << "case " << i;
  }
}

}  // namespace
}  // namespace tovr::app
