#include "wallpaper/WallpaperPageWriter.h"

#include <algorithm>

#include "base/Text.h"

namespace tovr::wallpaper {

namespace {

void Line(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

}  // namespace

std::string PictureUrl(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string WallpaperPageText(const std::vector<std::string>& urls, const PageSettings& s) {
  const std::string t = std::to_string(s.transition);
  std::string out;
  out.reserve(600 + urls.size() * 48);
  Line(out, "<html><head></head><body onload=ChangePic()>");
  Line(out, "<script language=\"javascript\">var Pics=new Array();");
  for (std::size_t k = 0; k < urls.size(); ++k) {
    Line(out, "Pics[" + std::to_string(k + 1) + "]=\"file:///" + urls[k] + "\";");
  }
  Line(out, "var i=0;function ChangePic()");
  Line(out, "{i++;mh1.src=Pics[i];if (i==" + std::to_string(urls.size()) + ") i=0;");
  Line(out, "mh.filters.revealTrans.transition=" + t + ";");
  Line(out, "mh.filters.revealTrans.Duration=2;mh.filters.revealTrans.Apply();mh.filters.revealTrans.Play();");
  Line(out, "setTimeout(\"ChangePic()\"," + std::to_string(s.intervalMs) + ");}");
  Line(out, "</script><p><div  id=\"mh\" style=\"filter:revealTrans(Duration=1.0,Transition=" + t +
                "); position:absolute; left:0; top:0\">");
  Line(out, "<p align=\"center\"><img id=\"mh1\" border=\"0\" src=\"\" width=\"" + std::to_string(s.screenWidth) +
                "\" height=\"" + std::to_string(s.screenHeight) + "\" >");
  Line(out, "</p></div></body></html>");
  return out;
}

void WritePageFile(IFileSystem& files, const std::string& pagePath, const std::string& utf8Text) {
  if (files.FileExists(pagePath)) files.RemoveFile(pagePath);
  files.WriteFileAtomic(pagePath, text::Utf8ToGbk(utf8Text));
}

}  // namespace tovr::wallpaper
