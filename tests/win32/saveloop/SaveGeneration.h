// The saves of the kill test: generation g of the settings file, written in one settings
// operation as the save button writes. Sizes vary with g, from a few bytes to about 20 KB.
#pragma once

#include <string>

#include "settings/SettingsFile.h"

namespace tovr::testing {

inline void SaveGeneration(TSettingsFile& ini, int g) {
  TSettingsFile::Operation op = ini.BeginOperation();
  ini.PutNumber("Option", "Generation", g);
  ini.PutText("Option", "ProxyIP", "代理服务器 " + std::to_string(g));
  ini.ClearSection("Apps");
  const int rows = (g * 37) % 401;
  for (int i = 0; i < rows; ++i) {
    ini.PutText("Apps", "程序 " + std::to_string(i),
                "C:\\Program Files\\App " + std::to_string(g) + "\\" + std::to_string(i) + ".exe");
  }
  op.Commit();
}

}  // namespace tovr::testing
