// Drops onto the shortcut page against the real calls under Wine: an HDROP made here and sent
// as WM_DROPFILES to the main window adds rows to shortcutList and its list view; the OLE drop target of
// urlDropPanel takes a data object offering "UniformResourceLocator" or only CF_TEXT with the link
// effect, and refuses one offering none of its four formats.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/win32/MainWindow.h"
#include "base/win32/Wide.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeToolPorts.h"
#include "fakes/MemoryFileSystem.h"
#include "shortcuts/ShortcutEditing.h"
#include "shortcuts/win32/UrlDropTarget.h"

namespace tovr::shortcuts::win32 {
namespace {

// A data object offering byte blocks as global memory, one per clipboard format.
class BlockDataObject final : public IDataObject {
 public:
  std::map<CLIPFORMAT, std::string> blocks;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const std::string& b = blocks[f->cfFormat];
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, b.size() + 2);
    char* p = static_cast<char*>(GlobalLock(g));
    std::memcpy(p, b.data(), b.size());
    p[b.size()] = p[b.size() + 1] = 0;
    GlobalUnlock(g);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && (f->tymed & TYMED_HGLOBAL) && blocks.count(f->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

CLIPFORMAT Registered(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(UrlDropTargetTest, TakesTheLinkFormatsWithTheLinkEffectAndRefusesOthers) {
  struct Case {
    std::map<CLIPFORMAT, std::string> blocks;
    DWORD allowed;
    DWORD effect;
    std::optional<DroppedLink> delivered;
  };
  const CLIPFORMAT url = Registered(L"UniformResourceLocator");
  const CLIPFORMAT group = Registered(CFSTR_FILEDESCRIPTORA);
  FILEGROUPDESCRIPTORA descriptor{};
  descriptor.cItems = 1;
  lstrcpyA(descriptor.fgd[0].cFileName, "Example Page.url");
  const std::string groupBytes(reinterpret_cast<const char*>(&descriptor), sizeof descriptor);
  const Case cases[] = {
      // 0: the URL format, titled by the group descriptor
      {{{url, "http://u.example/"}, {CF_TEXT, "http://t.example/"}, {group, groupBytes}},
       DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_LINK, DroppedLink{"http://u.example/", "Example Page"}},
      // 1: CF_TEXT only: the title is the address
      {{{CF_TEXT, "http://t.example/"}}, DROPEFFECT_LINK, DROPEFFECT_LINK,
       DroppedLink{"http://t.example/", "http://t.example/"}},
      // 2: none of the four formats
      {{{CF_UNICODETEXT, std::string("h\0t\0", 4)}}, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_NONE, std::nullopt},
      // 3: the source does not allow linking
      {{{url, "http://u.example/"}}, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_NONE, std::nullopt},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(n++));
    BlockDataObject data;
    data.blocks = c.blocks;
    UrlDropTarget target;
    std::optional<DroppedLink> delivered;
    target.OnDrop = [&](const DroppedLink& link) { delivered = link; };
    DWORD effect = c.allowed;
    ASSERT_EQ(target.DragEnter(&data, MK_LBUTTON, POINTL{5, 5}, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    effect = c.allowed;
    ASSERT_EQ(target.DragOver(MK_LBUTTON, POINTL{6, 6}, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    effect = c.allowed;
    ASSERT_EQ(target.Drop(&data, 0, POINTL{6, 6}, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    EXPECT_FALSE(delivered) << "handed over inside Drop: the source would wait for the dialog";
    PumpMessages();
    EXPECT_EQ(delivered, c.delivered);
  }
}

TEST(UrlDropTargetTest, RefusesEveryDragWhileNotAccepting) {
  BlockDataObject data;
  data.blocks[CF_TEXT] = "http://t.example/";
  UrlDropTarget target;
  bool delivered = false;
  target.OnDrop = [&](const DroppedLink&) { delivered = true; };
  target.SetAccepting(false);
  DWORD effect = DROPEFFECT_LINK;
  target.DragEnter(&data, MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_LINK;
  target.Drop(&data, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  PumpMessages();
  EXPECT_FALSE(delivered);
}

// An HDROP as the shell makes it: DROPFILES, then the wide paths, then an empty one.
HGLOBAL MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL g = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(g));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    out += p.size() + 1;
  }
  *out = L'\0';
  GlobalUnlock(g);
  return g;
}

TEST(ShellDropTest, FilesDroppedOnTheMainWindowBecomeRowsOfTheShortcutList) {
  FakeEnvironment env;
  FakeMessageBox boxes;
  MemoryFileSystem files;
  FakeRegistry registry;
  FakeToolPorts fakes;
  files.AddDirectory("C:\\Tovr");
  files.SetFile("C:\\Tools\\run.exe", "x");
  files.AddDirectory("D:\\Data\\Photos");
  const std::string longFolder = "D:\\" + std::string(280, 'p');  // longer than 256 characters
  files.AddDirectory(longFolder);
  app::win32::MainWindow window(GetModuleHandleW(nullptr));
  auto form = std::make_unique<app::TKWForm>(fakes.AppPortsWith(env, boxes, window, files, registry));
  ASSERT_TRUE(window.Create(*form, "Tovrane"));
  window.EnsureControls();
  ShortcutEditing editing(form->shortcutPage.shortcutList, fakes.dialogs);
  window.onFilesDropped = [&](const std::vector<std::string>& paths) {
    editing.DropFiles(paths, DropDestination::Shortcuts);
  };

  SendMessageW(window.Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({L"D:\\Data\\Photos", L"C:\\Tools\\run.exe", Widen(longFolder)})), 0);

  ASSERT_EQ(form->shortcutPage.shortcutList.Count(), 3u);
  // Sorted: "文件" before "文件夹", then by name within a type.
  EXPECT_EQ(form->shortcutPage.shortcutList[0].target, "C:\\Tools\\run.exe");
  EXPECT_EQ(form->shortcutPage.shortcutList[1].name, "Photos");
  EXPECT_EQ(form->shortcutPage.shortcutList[2].target, longFolder);  // the whole path, past 256 characters
  HWND list = window.ShortcutListWindow();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  wchar_t text[64] = {};
  LVITEMW item{};
  item.iSubItem = 2;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Narrow(text), "文件");
  item.iSubItem = 0;
  SendMessageW(list, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Narrow(text), "Photos");
  window.Destroy();
}

}  // namespace
}  // namespace tovr::shortcuts::win32
