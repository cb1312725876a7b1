#include "controls/win32/ControlBinder.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "controls/win32/CommonControls.h"
#include "platform/win32/LateBound.h"

namespace tovr::controls::win32 {
namespace {

// How far a drop-down list opens below its closed box.
constexpr int kDropDownHeight = 240;
constexpr UINT_PTR kComboSubclass = 1;

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

void SetText(HWND hwnd, const std::wstring& text) {
  if (WindowText(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

void SetEnabled(HWND hwnd, bool enabled) {
  if (hwnd && (IsWindowEnabled(hwnd) != FALSE) != enabled) EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

void SetShown(HWND hwnd, bool shown) {
  if (hwnd && ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0) != shown) {
    ShowWindow(hwnd, shown ? SW_SHOWNA : SW_HIDE);
  }
}

void SetCheck(HWND hwnd, bool checked) {
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageW(hwnd, BM_GETCHECK, 0, 0)) != state) SendMessageW(hwnd, BM_SETCHECK, state, 0);
}

// Marks the binder's own updates of the real controls for as long as it lives.
struct UpdateScope {
  int& count;
  explicit UpdateScope(int& updating) : count(++updating) {}
  ~UpdateScope() { --count; }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;
};

}  // namespace

std::optional<int> ParseSpinText(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  std::size_t end = text.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  if (text[begin] == '+') ++begin;
  if (begin > end) return std::nullopt;
  int value = 0;
  const char* first = text.data() + begin;
  const char* last = text.data() + end + 1;
  const auto [ptr, error] = std::from_chars(first, last, value);
  if (error != std::errc() || ptr != last) return std::nullopt;
  return value;
}

COLORREF ControlBinder::ToColorRef(unsigned color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

ControlBinder::ControlBinder(HWND parent, HFONT font) : parent_(parent), font_(font) {}

ControlBinder::~ControlBinder() {
  *alive_ = false;
  for (auto& entry : entries_) {
    entry->model->Changed = nullptr;
    if (entry->kind == Kind::Combo && IsWindow(entry->hwnd)) {
      TOVR_LATE(comctl32, RemoveWindowSubclass)(entry->hwnd, ComboProc, kComboSubclass);
    }
  }
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

ControlBinder::Entry& ControlBinder::Add(Kind kind, Control& model) {
  entries_.push_back(std::make_unique<Entry>());
  Entry& entry = *entries_.back();
  entry.kind = kind;
  entry.model = &model;
  byModel_[&model] = &entry;
  model.Changed = [this, &entry] { Sync(entry); };
  return entry;
}

HWND ControlBinder::Create(Entry& entry, const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect,
                           int id, const std::wstring& text) {
  EnsureCommonControls();
  if (entry.model->Visible()) style |= WS_VISIBLE;
  HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) throw Error(FormatMessage1("Unable to create the control %s", entry.model->Name()));
  if (font_) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  entry.hwnd = hwnd;
  byWindow_[hwnd] = &entry;
  return hwnd;
}

HWND ControlBinder::Bind(CheckBox& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Check, model);
  Create(entry, WC_BUTTONW, BS_CHECKBOX | WS_TABSTOP | style, 0, rect, id, Widen(model.Caption()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(RadioButton& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Radio, model);
  Create(entry, WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP | style, 0, rect, id, Widen(model.Caption()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(SpinEdit& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Spin, model);
  HWND edit = Create(entry, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | style, WS_EX_CLIENTEDGE, rect, id,
                     std::to_wstring(model.Value()));
  entry.upDown = CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                                 WS_CHILD | (model.Visible() ? WS_VISIBLE : 0) | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                     UDS_ALIGNRIGHT | UDS_NOTHOUSANDS,
                                 0, 0, 0, 0, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!entry.upDown) throw Error(FormatMessage1("Unable to create the control %s", model.Name()));
  byWindow_[entry.upDown] = &entry;
  {
    UpdateScope scope(updating_);
    SendMessageW(entry.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  }
  Sync(entry);
  return edit;
}

HWND ControlBinder::Bind(TrackBar& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Track, model);
  Create(entry, TRACKBAR_CLASSW, TBS_HORZ | WS_TABSTOP | style, 0, rect, id, L"");
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(HotKeyField& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::HotKey, model);
  Create(entry, HOTKEY_CLASSW, WS_TABSTOP | style, WS_EX_CLIENTEDGE, rect, id, L"");
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(ComboBox& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Combo, model);
  RECT dropped = rect;
  dropped.bottom += kDropDownHeight;
  HWND combo = Create(entry, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style, 0, dropped, id, L"");
  for (const std::string& item : model.Items()) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  TOVR_LATE(comctl32, SetWindowSubclass)(combo, ComboProc, kComboSubclass, reinterpret_cast<DWORD_PTR>(&entry));
  Sync(entry);
  return combo;
}

// A drop-down list shows no text of its own while nothing is selected (a cue banner works only
// for editable combo boxes): the caption is drawn into the empty box after the control's paint.
LRESULT CALLBACK ControlBinder::ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                          DWORD_PTR data) {
  const LRESULT result = TOVR_LATE(comctl32, DefSubclassProc)(hwnd, message, wParam, lParam);
  if (message != WM_PAINT) return result;
  const auto& entry = *reinterpret_cast<const Entry*>(data);
  const std::wstring caption = Widen(entry.model->Caption());
  if (caption.empty() || SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != CB_ERR || SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
    return result;
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(hwnd, &info)) return result;
  HDC dc = GetDC(hwnd);
  if (!dc) return result;
  const int saved = SaveDC(dc);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0))) SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  RECT box = info.rcItem;
  box.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  RestoreDC(dc, saved);
  ReleaseDC(hwnd, dc);
  return result;
}

HWND ControlBinder::Bind(Edit& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Edit, model);
  Create(entry, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | style, WS_EX_CLIENTEDGE, rect, id, Widen(model.Text()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(Label& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Label, model);
  Create(entry, WC_STATICW, SS_LEFT | style, 0, rect, id, Widen(model.Caption()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(ColorPanel& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Color, model);
  Create(entry, WC_STATICW, SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE | style, WS_EX_STATICEDGE, rect, id,
         Widen(model.Caption()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(Button& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Button, model);
  Create(entry, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | style, 0, rect, id, Widen(model.Caption()));
  Sync(entry);
  return entry.hwnd;
}

HWND ControlBinder::Bind(PageControl& model, int id, const RECT& rect, DWORD style) {
  Entry& entry = Add(Kind::Pages, model);
  HWND tabs = Create(entry, WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_TABSTOP | style, 0, rect, id, L"");
  int index = 0;
  for (const Page& page : model.Pages()) {
    std::wstring caption = Widen(page.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  Sync(entry);
  return tabs;
}

void ControlBinder::Adopt(Control& model, HWND window) {
  if (!window || Find(model)) return;
  Entry& entry = Add(Kind::Container, model);
  entry.hwnd = window;
  byWindow_[window] = &entry;
  Sync(entry);
}

void ControlBinder::PlaceIn(HWND child, Control& container, int page) {
  Entry* entry = FindByWindow(child);
  if (!entry) return;
  Entry* box = Find(container);
  if (!box) {
    box = &Add(Kind::Container, container);
  }
  if (entry->container) std::erase(entry->container->children, entry);
  entry->container = box;
  entry->page = box->kind == Kind::Pages ? page : -1;
  box->children.push_back(entry);
  // The page control stays below the controls on its pages, which it must not paint over.
  if (box->kind == Kind::Pages && box->hwnd) {
    SetWindowPos(box->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Sync(*entry);
}

ControlBinder::Entry* ControlBinder::Find(const Control& model) const {
  auto it = byModel_.find(&model);
  return it == byModel_.end() ? nullptr : it->second;
}

ControlBinder::Entry* ControlBinder::FindByWindow(HWND hwnd) const {
  auto it = byWindow_.find(hwnd);
  return it == byWindow_.end() ? nullptr : it->second;
}

HWND ControlBinder::Window(const Control& model) const {
  const Entry* entry = Find(model);
  return entry ? entry->hwnd : nullptr;
}

HWND ControlBinder::UpDown(const SpinEdit& model) const {
  const Entry* entry = Find(model);
  return entry ? entry->upDown : nullptr;
}

void ControlBinder::Refresh(const Control& model) {
  if (Entry* entry = Find(model)) Sync(*entry);
}

bool ControlBinder::EffectiveEnabled(const Entry& entry) const {
  return entry.model->Enabled() && (!entry.container || EffectiveEnabled(*entry.container));
}

bool ControlBinder::EffectiveVisible(const Entry& entry) const {
  if (!entry.model->Visible()) return false;
  const Entry* box = entry.container;
  if (!box) return true;
  if (!EffectiveVisible(*box)) return false;
  return entry.page < 0 || static_cast<const PageControl*>(box->model)->ActiveIndex() == entry.page;
}

void ControlBinder::Sync(Entry& entry) {
  UpdateScope scope(updating_);
  if (entry.hwnd) {
    SyncCommon(entry);
    SyncState(entry);
  }
  for (Entry* child : entry.children) Sync(*child);
}

void ControlBinder::SyncCommon(Entry& entry) {
  switch (entry.kind) {
    case Kind::Check:
    case Kind::Radio:
    case Kind::Label:
    case Kind::Color:
    case Kind::Button:
      SetText(entry.hwnd, Widen(entry.model->Caption()));
      break;
    default:
      break;
  }
  const bool enabled = EffectiveEnabled(entry);
  const bool shown = EffectiveVisible(entry);
  SetEnabled(entry.hwnd, enabled);
  SetShown(entry.hwnd, shown);
  if (entry.upDown) {
    SetEnabled(entry.upDown, enabled);
    SetShown(entry.upDown, shown);
  }
  SyncTool(entry);
}

void ControlBinder::SyncTool(Entry& entry) {
  std::wstring text = Widen(entry.model->Hint());
  if (entry.toolAdded ? text == entry.toolText : text.empty()) return;
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;  // no hints is not worth failing the window for
  }
  entry.toolText = std::move(text);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent_;
  tool.uId = reinterpret_cast<UINT_PTR>(entry.hwnd);
  tool.lpszText = entry.toolText.data();
  if (entry.toolAdded) {
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    entry.toolAdded = SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  }
}

void ControlBinder::SyncState(Entry& entry) {
  HWND hwnd = entry.hwnd;
  switch (entry.kind) {
    case Kind::Check:
      SetCheck(hwnd, static_cast<CheckBox*>(entry.model)->Checked());
      break;
    case Kind::Radio:
      SetCheck(hwnd, static_cast<RadioButton*>(entry.model)->Checked());
      break;
    case Kind::Spin: {
      const auto& spin = *static_cast<RangeControl*>(entry.model);
      SendMessageW(entry.upDown, UDM_SETRANGE32, static_cast<WPARAM>(spin.Min()), static_cast<LPARAM>(spin.Max()));
      UDACCEL accel{0, static_cast<UINT>(spin.Increment())};
      SendMessageW(entry.upDown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
      SyncSpinText(entry, false);
      break;
    }
    case Kind::Track: {
      const auto& track = *static_cast<RangeControl*>(entry.model);
      SendMessageW(hwnd, TBM_SETRANGEMIN, FALSE, track.Min());
      SendMessageW(hwnd, TBM_SETRANGEMAX, FALSE, track.Max());
      SendMessageW(hwnd, TBM_SETLINESIZE, 0, track.Increment());
      SendMessageW(hwnd, TBM_SETPOS, TRUE, track.Value());
      break;
    }
    case Kind::HotKey: {
      const int value = static_cast<RangeControl*>(entry.model)->Value();
      if (LOWORD(SendMessageW(hwnd, HKM_GETHOTKEY, 0, 0)) != value) {
        SendMessageW(hwnd, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
      }
      break;
    }
    case Kind::Combo: {
      const auto& combo = *static_cast<ComboBox*>(entry.model);
      if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != combo.ItemIndex()) {
        SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
      }
      InvalidateRect(hwnd, nullptr, FALSE);  // the caption drawn while nothing is selected
      break;
    }
    case Kind::Edit:
      SetText(hwnd, Widen(static_cast<controls::Edit*>(entry.model)->Text()));
      break;
    case Kind::Color: {
      const COLORREF color = ToColorRef(static_cast<ColorPanel*>(entry.model)->Color());
      if (!entry.brush || entry.brushColor != color) {
        entry.brush.reset(CreateSolidBrush(color));
        entry.brushColor = color;
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      break;
    }
    case Kind::Pages: {
      const int active = static_cast<PageControl*>(entry.model)->ActiveIndex();
      if (SendMessageW(hwnd, TCM_GETCURSEL, 0, 0) != active) SendMessageW(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
      break;
    }
    default:
      break;
  }
}

void ControlBinder::SyncSpinText(Entry& entry, bool force) {
  const int value = static_cast<RangeControl*>(entry.model)->Value();
  // Text that already reads as the value stays as typed (no caret jump while typing).
  if (!force && ParseSpinText(Narrow(WindowText(entry.hwnd))) == value) return;
  UpdateScope scope(updating_);
  SendMessageW(entry.upDown, UDM_SETPOS32, 0, value);
  // A value outside a narrowed range stays until edited, so the text says the value itself.
  SetText(entry.hwnd, std::to_wstring(value));
  entry.dirty = false;
}

void ControlBinder::Act(Entry& entry, const char* event, const std::function<void()>& action) {
  const std::shared_ptr<bool> alive = alive_;
  RunGuarded(guard_, entry.model->Name() + event, action);
  // The model may have refused the action (disabled, or a handler undid it): show its state.
  if (*alive) Sync(entry);
}

void ControlBinder::CommitSpinText(Entry& entry) {
  auto& spin = *static_cast<RangeControl*>(entry.model);
  const std::optional<int> typed = ParseSpinText(Narrow(WindowText(entry.hwnd)));
  entry.dirty = false;
  const std::shared_ptr<bool> alive = alive_;
  if (typed) Act(entry, "Change", [&spin, value = *typed] { spin.UserSetValue(value); });
  // The clamped value, or the value again when the text was not a number.
  if (*alive) SyncSpinText(entry, true);
}

bool ControlBinder::OnCommand(WPARAM wParam, LPARAM lParam) {
  Entry* entry = FindByWindow(reinterpret_cast<HWND>(lParam));
  if (!entry) return false;
  if (updating_ > 0) return true;
  const WORD code = HIWORD(wParam);
  Control* model = entry->model;
  switch (entry->kind) {
    case Kind::Check:
      if (code == BN_CLICKED) Act(*entry, "Click", [model] { static_cast<CheckBox*>(model)->UserClick(); });
      return true;
    case Kind::Radio:
      if (code == BN_CLICKED) Act(*entry, "Click", [model] { static_cast<RadioButton*>(model)->UserClick(); });
      return true;
    case Kind::Button:
      if (code == BN_CLICKED) Act(*entry, "Click", [model] { static_cast<Button*>(model)->UserClick(); });
      return true;
    case Kind::Color:
      if (code == STN_CLICKED) Act(*entry, "Click", [model] { static_cast<ColorPanel*>(model)->UserClick(); });
      return true;
    case Kind::HotKey:
      if (code == EN_CHANGE) {
        const int value = LOWORD(SendMessageW(entry->hwnd, HKM_GETHOTKEY, 0, 0));
        Act(*entry, "Change", [model, value] { static_cast<RangeControl*>(model)->UserSetValue(value); });
      }
      return true;
    case Kind::Combo:
      if (code == CBN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageW(entry->hwnd, CB_GETCURSEL, 0, 0));
        Act(*entry, "Change", [model, index] { static_cast<ComboBox*>(model)->UserSelect(index); });
      }
      return true;
    case Kind::Edit:
      if (code == EN_CHANGE) {
        std::string text = Narrow(WindowText(entry->hwnd));
        Act(*entry, "Change", [model, &text] { static_cast<controls::Edit*>(model)->UserSetText(std::move(text)); });
      }
      return true;
    case Kind::Spin: {
      auto* spin = static_cast<RangeControl*>(model);
      if (code == EN_CHANGE) {
        // A number in range is taken at once; anything else waits for the focus to leave, so
        // that typing "150" does not clamp at its first digit.
        entry->dirty = true;
        const std::optional<int> typed = ParseSpinText(Narrow(WindowText(entry->hwnd)));
        if (typed && *typed >= spin->Min() && *typed <= spin->Max()) {
          entry->dirty = false;
          Act(*entry, "Change", [spin, value = *typed] { spin->UserSetValue(value); });
        }
      } else if (code == EN_KILLFOCUS && entry->dirty) {
        CommitSpinText(*entry);
      }
      return true;
    }
    default:
      return false;
  }
}

bool ControlBinder::OnNotify(LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  Entry* entry = header ? FindByWindow(header->hwndFrom) : nullptr;
  if (!entry) return false;
  result = 0;
  if (entry->kind == Kind::Pages) {
    if (header->code == TCN_SELCHANGE && updating_ == 0) {
      const int index = static_cast<int>(SendMessageW(entry->hwnd, TCM_GETCURSEL, 0, 0));
      auto* pages = static_cast<PageControl*>(entry->model);
      Act(*entry, "Change", [pages, index] { pages->UserSelect(index); });
    }
    return true;
  }
  if (entry->kind == Kind::Spin && header->hwndFrom == entry->upDown && header->code == UDN_DELTAPOS) {
    // The arrows step from what the field shows (typed or not) and the model clamps; the
    // up-down's own step is refused, as it cannot step from a value outside its range.
    result = 1;
    if (updating_ > 0) return true;
    auto* spin = static_cast<RangeControl*>(entry->model);
    const long long from = ParseSpinText(Narrow(WindowText(entry->hwnd))).value_or(spin->Value());
    const long long to = from + reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
    const int target = static_cast<int>(std::clamp<long long>(to, INT_MIN, INT_MAX));
    const std::shared_ptr<bool> alive = alive_;
    Act(*entry, "Change", [spin, target] { spin->UserSetValue(target); });
    if (*alive) SyncSpinText(*entry, true);
    return true;
  }
  return false;
}

bool ControlBinder::OnScroll(WPARAM /*wParam*/, LPARAM lParam) {
  HWND source = reinterpret_cast<HWND>(lParam);
  Entry* entry = FindByWindow(source);
  if (!entry) return false;
  if (updating_ > 0) return true;
  if (entry->kind == Kind::Track) {
    auto* range = static_cast<RangeControl*>(entry->model);
    const int position = static_cast<int>(SendMessageW(entry->hwnd, TBM_GETPOS, 0, 0));
    Act(*entry, "Change", [range, position] { range->UserSetValue(position); });
    return true;
  }
  // The spin edit's arrows act on UDN_DELTAPOS; the scroll message that follows is only news.
  return entry->kind == Kind::Spin;
}

void ControlBinder::SetPageBackground(std::optional<COLORREF> color) {
  pageBrush_.reset(color ? CreateSolidBrush(*color) : nullptr);
  pageColor_ = color.value_or(0);
  for (auto& entry : entries_) {
    if (entry->hwnd && entry->page >= 0) InvalidateRect(entry->hwnd, nullptr, TRUE);
  }
}

HBRUSH ControlBinder::OnCtlColorStatic(HDC dc, HWND control) {
  Entry* entry = FindByWindow(control);
  if (!entry) return nullptr;
  if (entry->kind != Kind::Color) {
    // Fields (a read-only edit, a spin edit) keep their own colours.
    if (!pageBrush_ || entry->page < 0 || entry->kind == Kind::Edit || entry->kind == Kind::Spin) return nullptr;
    SetBkColor(dc, pageColor_);
    return pageBrush_.get();
  }
  if (!entry->brush) SyncState(*entry);
  const COLORREF color = entry->brushColor;
  const int luma = (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
  SetBkColor(dc, color);
  SetTextColor(dc, luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0));
  return entry->brush.get();
}

}  // namespace tovr::controls::win32
