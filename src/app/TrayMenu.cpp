#include "app/TrayMenu.h"

#include "TovrVersion.h"

namespace tovr::app {

using controls::MenuItem;

namespace {

constexpr const char* kSeparator = "-";

struct FixedItem {
  const char* name;
  const char* caption;
};

void AddItems(MenuItem& parent, std::initializer_list<FixedItem> items) {
  for (const FixedItem& item : items) parent.Add(std::make_unique<MenuItem>(item.name, item.caption));
}

MenuItem& AddSubmenu(MenuItem& parent, const char* name, const char* caption,
                     std::initializer_list<FixedItem> items) {
  auto submenu = std::make_unique<MenuItem>(name, caption);
  MenuItem& added = *submenu;
  AddItems(added, items);
  parent.Add(std::move(submenu));
  return added;
}

}  // namespace

std::unique_ptr<MenuItem> BuildTrayMenu() {
  auto root = std::make_unique<MenuItem>("PopupMenu1");
  AddItems(*root, {{"N4", kSeparator}, {"m1", "显示主界面..."}});
  AddSubmenu(*root, "m5", "[快速执行]",
             {{"m201", "立即手动更换壁纸"},
              {"m202", "隐藏桌面所有图标"},
              {"m203", "刷新桌面图标"},
              {"menuSaveIconLayout", "保存桌面图标位置"},
              {"menuRestoreIconLayout", "恢复桌面图标位置"},
              {"mrs", "运行屏幕保护程序"},
              {"mosp", "打开\"显示属性\""},
              {"N5", kSeparator},
              {"menumem", "立即整理内存"},
              {"N6", kSeparator},
              {"menuopencd", "打开光驱"},
              {"menuclosecd", "关闭光驱"}});
  AddSubmenu(*root, "MTF", "[设置窗口透明]",
             {{"N2", "任务栏"}, {"N3", "开始菜单"}, {"N1", kSeparator}});
  AddItems(*root, {{"MenuCV", "检查新版本"},
                   {"menudown", "下载新版本"},
                   {"N7", kSeparator},
                   {"N9", "意见或建议"}});
  const std::string author = "作者 " + std::string(kAuthorName);
  MenuItem& about = AddSubmenu(*root, "m9", "[关于]",
                               {{"m302", ""},
                                {"m303", ""},
                                {"m304", author.c_str()},
                                {"m305", "访问主页"},
                                {"m306", "帮助"}});
  about.SetImageIndex(kOwnPictureImage);
  AddItems(*root, {{"N8", kSeparator}, {"menuclose", "关闭"}});

  root->Find("menudown")->SetVisible(false);  // shown by a version check that finds a release
  return root;
}

void SetAboutCaptions(MenuItem& root) {
  if (MenuItem* version = root.Find("m303")) version->SetCaption("[版本  " TOVR_VERSION_TEXT " 测试版]");
  if (MenuItem* name = root.Find("m302")) name->SetCaption("[名称 Tovrane]");
}

}  // namespace tovr::app
