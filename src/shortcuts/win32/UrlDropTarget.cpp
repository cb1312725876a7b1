#include "shortcuts/win32/UrlDropTarget.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/MessageWindow.h"

namespace tovr::shortcuts::win32 {

namespace {

constexpr DWORD kMaxUrlFileBytes = 64 * 1024;
constexpr wchar_t kQueueClass[] = L"TovrUrlDropQueue";
constexpr UINT kDeliverMessage = WM_APP + 0x44;

// Text in the system code page (CF_TEXT and its kin) as UTF-8, up to its first NUL.
std::string FromAnsi(const char* bytes, std::size_t size) {
  std::size_t n = 0;
  while (n < size && bytes[n] != '\0') ++n;
  if (n == 0) return {};
  const int wide = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), w.data(), wide);
  return Narrow(w);
}

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

FORMATETC GlobalFormat(CLIPFORMAT cf, LONG index = -1) {
  return FORMATETC{cf, nullptr, DVASPECT_CONTENT, index, TYMED_HGLOBAL};
}

bool Offers(IDataObject* data, CLIPFORMAT cf, LONG index = -1) {
  FORMATETC f = GlobalFormat(cf, index);
  return data->QueryGetData(&f) == S_OK;
}

// Calls `read(pointer, size)` with the global memory of a format; false when it has none.
template <typename Read>
bool WithGlobal(IDataObject* data, CLIPFORMAT cf, LONG index, Read read) {
  FORMATETC f = GlobalFormat(cf, index);
  STGMEDIUM medium{};
  if (data->GetData(&f, &medium) != S_OK) return false;
  bool ok = false;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    if (const void* p = GlobalLock(medium.hGlobal)) {
      read(p, static_cast<std::size_t>(GlobalSize(medium.hGlobal)), medium.hGlobal);
      GlobalUnlock(medium.hGlobal);
      ok = true;
    }
  }
  TOVR_LATE(ole32, ReleaseStgMedium)(&medium);
  return ok;
}

std::optional<std::string> AnsiText(IDataObject* data, CLIPFORMAT cf, LONG index = -1) {
  std::optional<std::string> text;
  WithGlobal(data, cf, index, [&](const void* p, std::size_t size, HGLOBAL) {
    text = FromAnsi(static_cast<const char*>(p), size);
  });
  return text;
}

// The first lines of a small file, in the system code page.
std::optional<std::string> ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(kMaxUrlFileBytes, '\0');
  DWORD got = 0;
  const BOOL ok = ReadFile(file, bytes.data(), kMaxUrlFileBytes, &got, nullptr);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return FromAnsi(bytes.data(), got);
}

}  // namespace

UrlDropTarget::UrlDropTarget() : queue_(CreateMessageWindow(kQueueClass, &UrlDropTarget::QueueProc, this)) {}

UrlDropTarget::~UrlDropTarget() {
  Revoke();
  if (queue_) DestroyWindow(queue_);
}

LRESULT CALLBACK UrlDropTarget::QueueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = MessageWindowOwner<UrlDropTarget>(hwnd);
  if (msg != kDeliverMessage || !self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (self->dropped_.empty()) return 0;
  const DroppedLink link = std::move(self->dropped_.front());
  self->dropped_.pop_front();
  if (self->OnDrop) self->OnDrop(link);
  return 0;
}

bool UrlDropTarget::Register(HWND window) {
  Revoke();
  if (TOVR_LATE(ole32, RegisterDragDrop)(window, this) != S_OK) return false;
  window_ = window;
  return true;
}

void UrlDropTarget::Revoke() {
  if (window_) TOVR_LATE(ole32, RevokeDragDrop)(window_);
  window_ = nullptr;
}

std::optional<DroppedLinkData> UrlDropTarget::ReadFormats(IDataObject* data) {
  if (!data) return std::nullopt;
  const CLIPFORMAT url = Format(L"UniformResourceLocator");
  const CLIPFORMAT contents = Format(CFSTR_FILECONTENTS);
  const bool offersUrl = Offers(data, url), offersText = Offers(data, CF_TEXT),
             offersContents = Offers(data, contents, 0), offersDrop = Offers(data, CF_HDROP);
  if (!offersUrl && !offersText && !offersContents && !offersDrop) return std::nullopt;

  DroppedLinkData d;
  if (offersUrl) d.urlText = AnsiText(data, url);
  if (offersText) d.plainText = AnsiText(data, CF_TEXT);
  if (offersContents) d.fileContents = AnsiText(data, contents, 0);
  WithGlobal(data, Format(CFSTR_FILEDESCRIPTORW), -1, [&](const void* p, std::size_t size, HGLOBAL) {
    const auto* group = static_cast<const FILEGROUPDESCRIPTORW*>(p);
    if (size >= sizeof(FILEGROUPDESCRIPTORW) && group->cItems > 0) {
      d.groupFileName = Narrow(std::wstring(group->fgd[0].cFileName, wcsnlen(group->fgd[0].cFileName, MAX_PATH)));
    }
  });
  if (!d.groupFileName) {
    WithGlobal(data, Format(CFSTR_FILEDESCRIPTORA), -1, [&](const void* p, std::size_t size, HGLOBAL) {
      const auto* group = static_cast<const FILEGROUPDESCRIPTORA*>(p);
      if (size >= sizeof(FILEGROUPDESCRIPTORA) && group->cItems > 0) {
        d.groupFileName = FromAnsi(group->fgd[0].cFileName, MAX_PATH);
      }
    });
  }
  if (offersDrop) {
    WithGlobal(data, CF_HDROP, -1, [&](const void*, std::size_t, HGLOBAL global) {
      auto drop = static_cast<HDROP>(global);
      if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
      const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      DragQueryFileW(drop, 0, path.data(), length + 1);
      path.resize(length);
      d.droppedFile = Narrow(path);
      if (path.size() >= 4 && lstrcmpiW(path.c_str() + path.size() - 4, L".url") == 0) {
        d.droppedFileText = ReadSmallFile(path);
      }
    });
  }
  return d;
}

HRESULT UrlDropTarget::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG UrlDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG UrlDropTarget::Release() {
  // Never deletes: the creator owns the object and revokes it before it goes.
  const LONG n = InterlockedDecrement(&refs_);
  return static_cast<ULONG>(n > 0 ? n : 0);
}

DWORD UrlDropTarget::Effect(DWORD allowed) const {
  return accepting_ && entered_ && (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK : DROPEFFECT_NONE;
}

HRESULT UrlDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  entered_ = accepting_ ? ReadFormats(data) : std::nullopt;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT UrlDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT UrlDropTarget::DragLeave() {
  entered_.reset();
  return S_OK;
}

HRESULT UrlDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  if (!entered_ && accepting_) entered_ = ReadFormats(data);
  *effect = Effect(*effect);
  std::optional<DroppedLinkData> formats = std::move(entered_);
  entered_.reset();
  if (*effect == DROPEFFECT_NONE || !formats) return S_OK;
  std::optional<DroppedLink> link = ReadDroppedLink(*formats);
  if (!link) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  dropped_.push_back(std::move(*link));
  if (!queue_ || !PostMessageW(queue_, kDeliverMessage, 0, 0)) {  // no queue: at once, as a last resort
    const DroppedLink now = std::move(dropped_.back());
    dropped_.pop_back();
    if (OnDrop) OnDrop(now);
  }
  return S_OK;
}

}  // namespace tovr::shortcuts::win32
