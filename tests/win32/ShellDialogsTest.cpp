// The shortcut page's dialogs and drop-down menus on the real system, opened for real and driven
// from a second thread the way a user would: the web-address dialog (its texts, Enter and
// Escape from the edit fields, the protocol check with its message box, the stay-on-top swap),
// the file-open dialog with its two filters, the folder browser with its title, and the
// drop-down menus below a side button.
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/win32/Wide.h"
#include "controls/MenuItem.h"
#include "platform/ShellDialogs.h"
#include "controls/win32/Dpi.h"
#include "platform/win32/UrlDialog.h"
#include "platform/win32/Win32ShellDialogs.h"

namespace tovr::win32 {
namespace {

constexpr DWORD kWaitMs = 10000;

std::wstring ClassOf(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  return name;
}

// The text of a window of the test's main thread, asked for from the driver thread.
std::string TextOf(HWND w) {
  wchar_t text[512] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 3000, &ignored);
  return Narrow(text);
}

struct Found {
  std::wstring cls;
  std::string caption;  // empty: any
  HWND skip = nullptr;
  HWND hwnd = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  if (w == f->skip || !IsWindowVisible(w) || ClassOf(w) != f->cls) return TRUE;
  if (!f->caption.empty() && TextOf(w) != f->caption) return TRUE;
  f->hwnd = w;
  return FALSE;
}

// Waits for a visible top-level window of `thread` of class `cls` (and `caption` when given).
HWND WaitForWindow(DWORD thread, const wchar_t* cls, const std::string& caption = {}, HWND skip = nullptr) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
    Found f{cls, caption, skip};
    EnumThreadWindows(thread, &MatchTopLevel, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) return f.hwnd;
    Sleep(20);
  }
  return nullptr;
}

bool WaitGone(HWND w) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
    if (!IsWindow(w) || !IsWindowVisible(w)) return true;
    Sleep(20);
  }
  return false;
}

std::vector<std::string> ChildTexts(HWND parent) {
  std::vector<std::string> texts;
  EnumChildWindows(
      parent,
      [](HWND c, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(p)->push_back(TextOf(c));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

bool HasText(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t == text) return true;
  return false;
}

bool IsTopmost(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void PostKey(HWND w, WPARAM key) {
  PostMessageW(w, WM_KEYDOWN, key, 1);
  PostMessageW(w, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Runs `drive` on a second thread while the test thread sits in a modal loop; whatever is left
// open when the driver gives up is cancelled so that a failing test does not hang.
class Driver {
 public:
  explicit Driver(std::function<void(DWORD mainThread)> drive) : mainThread_(GetCurrentThreadId()) {
    thread_ = std::thread([this, d = std::move(drive)] {
      d(mainThread_);
      for (int i = 0; i < 5; ++i) {
        if (HWND left = WaitForWindowBriefly(L"#32770")) PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
        if (HWND menu = WaitForWindowBriefly(L"#32768")) PostKey(menu, VK_ESCAPE);
      }
    });
  }
  ~Driver() {
    if (thread_.joinable()) thread_.join();
  }
  void Join() { thread_.join(); }

 private:
  HWND WaitForWindowBriefly(const wchar_t* cls) {
    Found f{cls};
    EnumThreadWindows(mainThread_, &MatchTopLevel, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) Sleep(100);
    return f.hwnd;
  }
  DWORD mainThread_;
  std::thread thread_;
};

class ShellDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    owner_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"ShellDialogsOwner", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                             100, 100, 500, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", L"addButton", WS_CHILD | WS_VISIBLE, 20, 30, 60, 24, owner_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    dialogs_.owner = owner_;
    dialogs_.anchorWindow = [this](std::string_view name) { return name == "addButton" ? button_ : nullptr; };
  }
  void TearDown() override {
    DestroyWindow(owner_);
    OleUninitialize();
  }

  HWND owner_ = nullptr, button_ = nullptr;
  Win32ShellDialogs dialogs_;
};

// The dialog's texts, and how it is closed: Enter in either field accepts with the edited
// texts, Escape in either field declines and leaves the caller's texts alone.
TEST_F(ShellDialogsTest, UrlDialogShowsItsTextsAndClosesWithEnterOrEscape) {
  struct Case {
    int field;
    WPARAM key;
    bool accepted;
  } cases[] = {{kIdTitleEdit, VK_RETURN, true},
               {kIdLinkEdit, VK_RETURN, true},
               {kIdTitleEdit, VK_ESCAPE, false},
               {kIdLinkEdit, VK_ESCAPE, false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::string title = "旧标题", link = "http://old.example/";
    std::vector<std::string> seen;  // caption, question, labels, buttons, edits
    RECT dialogRect{}, ownerRect{}, clientRect{};
    GetWindowRect(owner_, &ownerRect);
    Driver driver([&](DWORD mainThread) {
      HWND d = WaitForWindow(mainThread, L"#32770", tovr::kUrlDialogCaption);
      if (!d) return;
      GetWindowRect(d, &dialogRect);
      GetClientRect(d, &clientRect);
      seen.push_back(TextOf(d));
      for (int id : {kIdQuestion, kIdTitleLabel, kIdLinkLabel, IDOK, IDCANCEL, kIdTitleEdit, kIdLinkEdit})
        seen.push_back(TextOf(GetDlgItem(d, id)));
      SendMessageW(GetDlgItem(d, kIdTitleEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新标题"));
      SendMessageW(GetDlgItem(d, kIdLinkEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ftp://new.example/"));
      PostKey(GetDlgItem(d, c.field), c.key);
      WaitGone(d);
    });
    const bool accepted = dialogs_.ShowUrlDialog(kUrlQuestionChange, title, link);
    driver.Join();
    EXPECT_EQ(accepted, c.accepted) << "case " << i;
    ASSERT_EQ(seen.size(), 8u) << "case " << i << ": the dialog did not show";
    const std::vector<std::string> expected{std::string(tovr::kUrlDialogCaption), kUrlQuestionChange, kUrlTitleLabel, kUrlLinkLabel,
                                            kUrlYes,           kUrlNo,             "旧标题",       "http://old.example/"};
    EXPECT_EQ(seen, expected) << "case " << i;
    EXPECT_EQ(title, c.accepted ? "新标题" : "旧标题") << "case " << i;
    EXPECT_EQ(link, c.accepted ? "ftp://new.example/" : "http://old.example/") << "case " << i;
    // The 320 x 138 design at the screen's DPI, centred on its owner.
    const int dpi = controls::win32::WindowDpi(owner_);
    EXPECT_EQ(clientRect.right, MulDiv(320, dpi, 96)) << "case " << i;
    EXPECT_EQ(clientRect.bottom, MulDiv(138, dpi, 96)) << "case " << i;
    EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2, (ownerRect.left + ownerRect.right) / 2, 2) << "case " << i;
    EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 2) << "case " << i;
  }
}

// A link without ":" brings up the protocol message and the dialog stays open; with the
// protocol put back, Enter accepts.
TEST_F(ShellDialogsTest, UrlDialogKeepsItselfOpenForALinkWithoutProtocol) {
  std::string title = "站点", link = "www.example.com";
  std::string boxCaption;
  std::vector<std::string> boxTexts;
  bool openAfterBox = false;
  Driver driver([&](DWORD mainThread) {
    HWND d = WaitForWindow(mainThread, L"#32770", tovr::kUrlDialogCaption);
    if (!d) return;
    PostKey(GetDlgItem(d, kIdLinkEdit), VK_RETURN);
    HWND box = WaitForWindow(mainThread, L"#32770", kProtocolCaption, d);
    if (!box) return;
    boxCaption = TextOf(box);
    boxTexts = ChildTexts(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (!WaitGone(box)) return;
    Sleep(100);
    openAfterBox = IsWindow(d) && IsWindowVisible(d);
    SendMessageW(GetDlgItem(d, kIdLinkEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"http://www.example.com"));
    PostKey(GetDlgItem(d, kIdLinkEdit), VK_RETURN);
    WaitGone(d);
  });
  const bool accepted = dialogs_.ShowUrlDialog(kUrlQuestionDrop, title, link);
  driver.Join();
  EXPECT_EQ(boxCaption, kProtocolCaption);
  EXPECT_TRUE(HasText(boxTexts, kProtocolMessage)) << "no protocol message in the box";
  EXPECT_TRUE(openAfterBox) << "the dialog closed with the message";
  EXPECT_TRUE(accepted);
  EXPECT_EQ(link, "http://www.example.com");
  EXPECT_EQ(title, "站点");
}

// While the dialog is open the owner is not on top and the dialog is; afterwards the owner is
// back on top. An owner that was not on top is not put there.
TEST_F(ShellDialogsTest, UrlDialogTakesTheStayOnTopStateWhileOpen) {
  for (const bool ownerOnTop : {true, false}) {
    SetWindowPos(owner_, ownerOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(IsTopmost(owner_), ownerOnTop);
    int ownerWhileOpen = -1, dialogWhileOpen = -1;
    Driver driver([&](DWORD mainThread) {
      HWND d = WaitForWindow(mainThread, L"#32770", tovr::kUrlDialogCaption);
      if (!d) return;
      ownerWhileOpen = IsTopmost(owner_);
      dialogWhileOpen = IsTopmost(d);
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      WaitGone(d);
    });
    std::string title, link;
    dialogs_.ShowUrlDialog(kUrlQuestionDrop, title, link);
    driver.Join();
    EXPECT_EQ(ownerWhileOpen, 0) << "owner on top before: " << ownerOnTop;
    EXPECT_EQ(dialogWhileOpen, 1) << "owner on top before: " << ownerOnTop;
    EXPECT_EQ(IsTopmost(owner_), ownerOnTop);
  }
}

// The file-open dialog offers "*.*" (chosen) and "*.exe"; cancelling it chooses nothing.
TEST_F(ShellDialogsTest, FileDialogOffersTwoFiltersAndCancelChoosesNothing) {
  std::vector<std::string> filters;
  int chosenFilter = -1;
  bool found = false;
  Driver driver([&](DWORD mainThread) {
    HWND d = WaitForWindow(mainThread, L"#32770");
    if (!d) return;
    found = true;
    Sleep(300);  // the explorer-style dialog fills its controls after showing
    HWND combo = GetDlgItem(d, 0x470);  // cmb1: the file types
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[128] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      filters.push_back(Narrow(text));
    }
    chosenFilter = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    WaitGone(d);
  });
  const std::optional<std::string> file = dialogs_.ChooseFile();
  driver.Join();
  ASSERT_TRUE(found) << "no file dialog";
  EXPECT_EQ(filters, (std::vector<std::string>{"*.*", "*.exe"}));
  EXPECT_EQ(chosenFilter, 0);
  EXPECT_FALSE(file.has_value());
}

// The folder browser shows the title it is given; cancelling it chooses nothing.
TEST_F(ShellDialogsTest, FolderBrowserShowsItsTitleAndCancelChoosesNothing) {
  std::vector<std::string> texts;
  bool hasTree = false, found = false;
  Driver driver([&](DWORD mainThread) {
    HWND d = WaitForWindow(mainThread, L"#32770");
    if (!d) return;
    found = true;
    Sleep(300);
    texts = ChildTexts(d);
    hasTree = FindWindowExW(d, nullptr, L"SysTreeView32", nullptr) != nullptr;
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    WaitGone(d);
  });
  const std::optional<std::string> folder = dialogs_.ChooseFolder(kFolderBrowserTitle);
  driver.Join();
  ASSERT_TRUE(found) << "no folder browser";
  EXPECT_TRUE(HasText(texts, kFolderBrowserTitle)) << "title not shown";
  EXPECT_TRUE(hasTree);
  EXPECT_FALSE(folder.has_value());
}

// The drop-down menu opens at the side button's bottom-left corner and clicks the chosen item;
// dismissed, it clicks nothing.
TEST_F(ShellDialogsTest, DropDownMenuOpensBelowTheButtonAndClicksTheChoice) {
  struct Case {
    std::vector<WPARAM> keys;
    std::string clicked;
  } cases[] = {{{VK_DOWN, VK_RETURN}, "addShortcutFileItem"},
               {{VK_DOWN, VK_DOWN, VK_RETURN}, "addShortcutFolderItem"},
               {{VK_ESCAPE}, ""}};
  RECT button{};
  GetWindowRect(button_, &button);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    controls::MenuItem root("addShortcutMenu");
    std::string clicked;
    for (const auto& [name, caption] :
         {std::pair{"addShortcutFileItem", "选择文件..."}, std::pair{"addShortcutFolderItem", "选择文件夹..."}}) {
      controls::MenuItem& item = root.Add(std::make_unique<controls::MenuItem>(name, caption));
      item.OnClick = [&clicked, n = std::string(name)] { clicked = n; };
    }
    RECT menuRect{};
    bool found = false;
    Driver driver([&](DWORD mainThread) {
      HWND menu = WaitForWindow(mainThread, L"#32768");
      if (!menu) return;
      found = true;
      GetWindowRect(menu, &menuRect);
      for (WPARAM key : cases[i].keys) PostKey(menu, key);
      WaitGone(menu);
    });
    dialogs_.DropDownMenu(root, "addButton");
    driver.Join();
    ASSERT_TRUE(found) << "case " << i << ": no menu";
    EXPECT_EQ(menuRect.left, button.left) << "case " << i;
    EXPECT_EQ(menuRect.top, button.bottom) << "case " << i;
    EXPECT_EQ(clicked, cases[i].clicked) << "case " << i;
  }
}

}  // namespace
}  // namespace tovr::win32
