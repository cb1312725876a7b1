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
  auto root = std::make_unique<MenuItem>("trayPopupMenu");
  AddItems(*root, {{"shortcutsSeparatorItem", kSeparator}, {"showMainWindowItem", "显示主界面..."}});
  AddSubmenu(*root, "quickActionsItem", "[快速执行]",
             {{"nextWallpaperItem", "立即手动更换壁纸"},
              {"hideIconsItem", "隐藏桌面所有图标"},
              {"refreshIconsItem", "刷新桌面图标"},
              {"saveIconLayoutItem", "保存桌面图标位置"},
              {"restoreIconLayoutItem", "恢复桌面图标位置"},
              {"screenSaverItem", "运行屏幕保护程序"},
              {"displayPropertiesItem", "打开\"显示属性\""},
              {"memorySeparatorItem", kSeparator},
              {"defragMemoryItem", "立即整理内存"},
              {"cdDriveSeparatorItem", kSeparator},
              {"openCdDriveItem", "打开光驱"},
              {"closeCdDriveItem", "关闭光驱"}});
  AddSubmenu(*root, "transparencyItem", "[设置窗口透明]",
             {{"taskbarTransparencyItem", "任务栏"},
              {"startMenuTransparencyItem", "开始菜单"},
              {"windowEntriesSeparatorItem", kSeparator}});
  AddItems(*root, {{"checkUpdateItem", "检查新版本"},
                   {"downloadUpdateItem", "下载新版本"},
                   {"feedbackSeparatorItem", kSeparator},
                   {"feedbackItem", "意见或建议"}});
  const std::string author = "作者 " + std::string(kAuthorName);
  MenuItem& about = AddSubmenu(*root, "aboutItem", "[关于]",
                               {{"aboutNameItem", ""},
                                {"aboutVersionItem", ""},
                                {"authorItem", author.c_str()},
                                {"homePageItem", "访问主页"},
                                {"helpItem", "帮助"}});
  about.SetImageIndex(kOwnPictureImage);
  AddItems(*root, {{"quitSeparatorItem", kSeparator}, {"quitItem", "关闭"}});

  root->Find("downloadUpdateItem")->SetVisible(false);  // shown by a version check that finds a release
  return root;
}

void SetAboutCaptions(MenuItem& root) {
  if (MenuItem* version = root.Find("aboutVersionItem")) version->SetCaption("[版本  " TOVR_VERSION_TEXT " 测试版]");
  if (MenuItem* name = root.Find("aboutNameItem")) name->SetCaption("[名称 Tovrane]");
}

}  // namespace tovr::app
