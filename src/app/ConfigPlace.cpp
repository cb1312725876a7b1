#include "app/ConfigPlace.h"

#include "app/AppTitle.h"
#include "base/Error.h"

namespace tovr::app {

ConfigPlace PlaceConfig(IFileSystem& fs, std::string_view exePath, std::string_view appDataPath) {
  const std::string beside = ConfigPath(exePath);
  if (appDataPath.empty() || fs.CheckWritable(beside)) return {beside, false};
  const std::string folder = std::string(appDataPath) + "\\Tovrane";
  const std::string moved = folder + "\\Config.ini";
  if (fs.FileExists(moved)) return {moved, false};
  if (!fs.CreateFolder(folder)) return {beside, false};
  try {
    if (const std::optional<std::string> prepared = fs.ReadFile(beside)) fs.WriteFileAtomic(moved, *prepared);
  } catch (const Error&) {
    return {beside, false};
  }
  return {moved, true};
}

std::string ConfigMovedText(std::string_view path) {
  return "Tovrane 所在的文件夹不能写入，设置将保存在：\r\r" + std::string(path);
}

}  // namespace tovr::app
