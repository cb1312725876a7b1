// The OLE drop target of the panel urlDropPanel ("拖入网址"): takes web links dragged from a browser
// (or an Internet shortcut dragged from the shell) with the link drop effect only, from data
// objects that offer "UniformResourceLocator", "FileContents", CF_HDROP or CF_TEXT as global
// memory. The formats are read when the drag enters; a drop hands the address and title
// (ReadDroppedLink) to OnDrop on the UI thread after IDropTarget::Drop has returned (posted to a
// message-only window of its own): the program the user dragged from waits in its drag until
// Drop returns, so a dialog opened inside it would freeze that program until it closed.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <deque>
#include <functional>
#include <optional>

#include "shortcuts/DroppedLink.h"

namespace tovr::shortcuts::win32 {

class UrlDropTarget final : public IDropTarget {
 public:
  UrlDropTarget();
  UrlDropTarget(const UrlDropTarget&) = delete;
  UrlDropTarget& operator=(const UrlDropTarget&) = delete;

  // Registers this target on `window` (OLE must be initialised on this thread). False when
  // RegisterDragDrop fails. Revoke undoes it; the destructor revokes too.
  bool Register(HWND window);
  void Revoke();
  // While not accepting, every drag is refused (the dialog of a drop is open).
  void SetAccepting(bool accepting) { accepting_ = accepting; }
  bool Accepting() const { return accepting_; }

  std::function<void(const DroppedLink&)> OnDrop;

  // The formats of a data object as ReadDroppedLink takes them; nullopt when it offers none of
  // the four as global memory.
  static std::optional<DroppedLinkData> ReadFormats(IDataObject* data);

  // IUnknown: the object is owned by its creator; the reference count only guards against OLE
  // releasing it early (it must outlive the registration).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

  ~UrlDropTarget();

 private:
  DWORD Effect(DWORD allowed) const;
  static LRESULT CALLBACK QueueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND queue_ = nullptr;              // message-only: the drops wait here until Drop returned
  std::deque<DroppedLink> dropped_;
  LONG refs_ = 1;
  bool accepting_ = true;
  std::optional<DroppedLinkData> entered_;  // the formats read when the drag entered
};

}  // namespace tovr::shortcuts::win32
