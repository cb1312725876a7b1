// Mirrors control models in real Win32 controls on one parent window. Each Bind call creates
// the child control for a model, shows the model's state in it and follows every later change
// of the model (its Changed observer belongs to the binder from then on); the parent's window
// procedure forwards WM_COMMAND, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL and WM_CTLCOLORSTATIC here,
// and the user's actions become the model's User* calls, run through the action guard.
//
// Real controls used: check box and radio button BUTTONs without the automatic check (the model
// decides, the button shows), a spin edit as an EDIT with an up-down control at its right,
// TRACKBAR_CLASS, a CBS_DROPDOWNLIST combo box (showing the model's caption while nothing is
// selected), EDIT, STATIC labels, a SS_NOTIFY STATIC painted with a colour panel's colour, push
// BUTTONs, and a tab control for a page control. Hints show as tooltips.
//
// Containers: PlaceIn puts a control on a page of a bound page control (shown only while that
// page is active) or inside a container model such as a panel (enabled and shown only while the
// container is). Models must outlive the binder; the binder releases their observers when it is
// destroyed. The windows are the parent's children and go with it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/PageControl.h"
#include "controls/RangeControl.h"
#include "controls/win32/ActionGuard.h"
#include "controls/win32/UniqueHandle.h"

namespace tovr::controls::win32 {

class ControlBinder {
 public:
  // `font` (may be null) is given to every control; it stays the caller's.
  ControlBinder(HWND parent, HFONT font);
  ~ControlBinder();
  ControlBinder(const ControlBinder&) = delete;
  ControlBinder& operator=(const ControlBinder&) = delete;

  void SetGuard(ActionGuard guard) { guard_ = std::move(guard); }

  // Each creates the control at `rect` (parent client coordinates) with the command id `id`,
  // adds `style` to its window style, and returns its window.
  HWND Bind(CheckBox& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(RadioButton& model, int id, const RECT& rect, DWORD style = 0);
  // The up-down control takes the right end of `rect`; `style` goes to the EDIT (ES_READONLY
  // for arrows only).
  HWND Bind(SpinEdit& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(TrackBar& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(HotKeyField& model, int id, const RECT& rect, DWORD style = 0);
  // `rect` is the closed box; the list drops below it.
  HWND Bind(ComboBox& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(Edit& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(Label& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(ColorPanel& model, int id, const RECT& rect, DWORD style = 0);
  // BS_OWNERDRAW in `style` for an image button that the parent draws (WM_DRAWITEM).
  HWND Bind(Button& model, int id, const RECT& rect, DWORD style = 0);
  HWND Bind(PageControl& model, int id, const RECT& rect, DWORD style = 0);

  // A window made by a view of its own (a list view) shown and enabled like a control of
  // `model`, which stands for it here, so that PlaceIn works for it. The window stays the
  // caller's; the binder only shows, hides, enables and disables it.
  void Adopt(Control& model, HWND window);

  // `child` (a bound control's window) is on page `page` of `container`, a bound PageControl,
  // or, with page -1, inside `container`, any model (bound or not: a panel without a window
  // of its own works too).
  void PlaceIn(HWND child, Control& container, int page = -1);

  HWND Window(const Control& model) const;   // null when not bound
  HWND UpDown(const SpinEdit& model) const;  // the spin edit's arrows

  // Forwarded messages; each returns true when it was about a bound control.
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnNotify(LPARAM lParam, LRESULT& result);
  bool OnScroll(WPARAM wParam, LPARAM lParam);
  // WM_CTLCOLORSTATIC (and WM_CTLCOLORBTN): the brush of a colour panel (its colour also set as
  // the DC's background), the page background for the labels, boxes and sliders on a page when
  // one is set, or null for the window's default handling.
  HBRUSH OnCtlColorStatic(HDC dc, HWND control);
  // The colour that the page control's body is drawn in (a themed tab body is lighter than a
  // dialog); nullopt: the default dialog colour.
  void SetPageBackground(std::optional<COLORREF> color);

  // Makes the real control show its model again (after the parent changed it behind our back).
  void Refresh(const Control& model);

  // The colour a panel shows for a 32-bit colour value: red in the low byte; a negative value
  // names a system colour by its low byte.
  static COLORREF ToColorRef(unsigned color);

 private:
  enum class Kind { Check, Radio, Spin, Track, HotKey, Combo, Edit, Label, Color, Button, Pages, Container };
  struct Entry {
    Kind kind;
    Control* model;
    HWND hwnd = nullptr;
    HWND upDown = nullptr;
    Entry* container = nullptr;
    int page = -1;
    std::vector<Entry*> children;
    bool toolAdded = false;
    std::wstring toolText;
    bool dirty = false;  // spin edit: the user typed since the value was last taken
    UniqueBrush brush;
    COLORREF brushColor = 0;
  };

  Entry& Add(Kind kind, Control& model);
  HWND Create(Entry& entry, const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, int id,
              const std::wstring& text);
  Entry* Find(const Control& model) const;
  Entry* FindByWindow(HWND hwnd) const;
  void Sync(Entry& entry);
  void SyncState(Entry& entry);
  void SyncCommon(Entry& entry);
  void SyncTool(Entry& entry);
  void SyncSpinText(Entry& entry, bool force);
  bool EffectiveEnabled(const Entry& entry) const;
  bool EffectiveVisible(const Entry& entry) const;
  void Act(Entry& entry, const char* event, const std::function<void()>& action);
  void CommitSpinText(Entry& entry);
  static LRESULT CALLBACK ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);

  HWND parent_;
  HFONT font_;
  HWND tooltip_ = nullptr;
  UniqueBrush pageBrush_;
  COLORREF pageColor_ = 0;
  ActionGuard guard_;
  int updating_ = 0;  // notifications caused by our own updates are not the user's
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // a handler may destroy us
  std::vector<std::unique_ptr<Entry>> entries_;
  std::unordered_map<const Control*, Entry*> byModel_;
  std::unordered_map<HWND, Entry*> byWindow_;
};

// The integer in an edit's text (blanks around it allowed), if it is one.
std::optional<int> ParseSpinText(const std::string& text);

}  // namespace tovr::controls::win32
