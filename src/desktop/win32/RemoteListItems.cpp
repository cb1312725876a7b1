#include "desktop/win32/RemoteListItems.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/win32/Wide.h"

namespace tovr::desktop::win32 {

namespace {

// Where the text request's fields sit in each process's LVITEMW; the build of each bitness
// checks its own against the real structure.
struct ItemLayout {
  std::size_t size, subItem, text, capacity, pointerSize;
};
constexpr ItemLayout kLayout32{60, 8, 20, 24, 4};
constexpr ItemLayout kLayout64{88, 8, 24, 32, 8};
#ifdef _WIN64
constexpr ItemLayout kOwnLayout = kLayout64;
#else
constexpr ItemLayout kOwnLayout = kLayout32;
#endif
static_assert(sizeof(LVITEMW) == kOwnLayout.size && offsetof(LVITEMW, iSubItem) == kOwnLayout.subItem &&
              offsetof(LVITEMW, pszText) == kOwnLayout.text && offsetof(LVITEMW, cchTextMax) == kOwnLayout.capacity);

// The buffer in the list view's process: the LVITEMW, the POINT, the text.
constexpr std::size_t kItemAt = 0;
constexpr std::size_t kPointAt = 96;
constexpr std::size_t kTextAt = 112;
constexpr int kTextChars = 1024;
constexpr std::size_t kBufferSize = kTextAt + kTextChars * sizeof(wchar_t);
// More than any desktop holds; a list view that claims more is read this far.
constexpr int kMaxItems = 20000;

constexpr DWORD kVmAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
#ifndef PROCESS_QUERY_LIMITED_INFORMATION
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#endif

class RemoteBuffer {
 public:
  explicit RemoteBuffer(DWORD processId) {
    // The limited query right is unknown before Vista, where the full one is asked instead.
    process_ = OpenProcess(kVmAccess | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process_) process_ = OpenProcess(kVmAccess | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process_) base_ = VirtualAllocEx(process_, nullptr, kBufferSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Ready() const { return base_ != nullptr; }
  HANDLE Process() const { return process_; }
  std::uint64_t Address(std::size_t at) const { return reinterpret_cast<std::uintptr_t>(base_) + at; }
  bool Write(std::size_t at, const void* data, std::size_t size) const {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, static_cast<char*>(base_) + at, data, size, &done) && done == size;
  }
  bool ReadAt(std::uint64_t address, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), data, size,
                             &done) &&
           done == size;
  }

 private:
  HANDLE process_ = nullptr;
  void* base_ = nullptr;
};

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

bool UnderWow64(HANDLE process) {
  static const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(process, &wow64) && wow64;
}

// A process is 64-bit on a 64-bit system (this one, or a 32-bit one under WOW64) unless it
// runs under WOW64 itself.
bool Is64Bit(HANDLE process) {
  const bool system64 = sizeof(void*) == 8 || UnderWow64(GetCurrentProcess());
  return system64 && !UnderWow64(process);
}

bool Ask(HWND list, UINT message, WPARAM wParam, std::uint64_t lParam, UINT timeoutMs, DWORD_PTR& result) {
  return SendMessageTimeoutW(list, message, wParam, static_cast<LPARAM>(lParam), SMTO_ABORTIFHUNG, timeoutMs,
                             &result) != 0;
}

// The LVITEMW asking for item i's text into the buffer's text, as `layout` places it.
void TextRequest(const ItemLayout& layout, std::uint64_t textAddress, unsigned char (&out)[kPointAt]) {
  std::memset(out, 0, sizeof out);
  const std::int32_t capacity = kTextChars;
  std::memcpy(out + layout.text, &textAddress, layout.pointerSize);  // little-endian: the low bytes
  std::memcpy(out + layout.capacity, &capacity, sizeof capacity);
}

}  // namespace

IDesktopListView::Items ReadRemoteListItems(HWND list, UINT timeoutMs) {
  using Answer = IDesktopListView::Answer;
  if (!list) return {Answer::kNoListView, {}};
  DWORD_PTR count = 0;
  if (!Ask(list, LVM_GETITEMCOUNT, 0, 0, timeoutMs, count)) return {Answer::kNotAnswering, {}};
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  const RemoteBuffer buffer(processId);
  if (!buffer.Ready()) return {Answer::kRefused, {}};
  const ItemLayout& layout = Is64Bit(buffer.Process()) ? kLayout64 : kLayout32;
  if (layout.pointerSize == 4 && buffer.Address(kBufferSize) > 0xFFFFFFFFu) return {Answer::kRefused, {}};

  IDesktopListView::Items read{Answer::kRead, {}};
  const int items = static_cast<int>(count < static_cast<DWORD_PTR>(kMaxItems) ? count : kMaxItems);
  read.items.reserve(static_cast<std::size_t>(items));
  unsigned char request[kPointAt];
  std::wstring text(kTextChars, L'\0');
  for (int i = 0; i < items; ++i) {
    DWORD_PTR ok = 0, length = 0;
    POINT point{};
    TextRequest(layout, buffer.Address(kTextAt), request);
    if (!buffer.Write(kItemAt, request, sizeof request)) return {Answer::kRefused, {}};
    if (!Ask(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), buffer.Address(kPointAt), timeoutMs, ok) ||
        !Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), buffer.Address(kItemAt), timeoutMs, length)) {
      return {Answer::kNotAnswering, {}};
    }
    // The list view may point pszText at its own copy of the text instead of filling ours.
    std::uint64_t textAddress = 0;
    const std::size_t chars = length < static_cast<DWORD_PTR>(kTextChars) ? length : kTextChars - 1;
    if (!buffer.ReadAt(buffer.Address(kItemAt + layout.text), &textAddress, layout.pointerSize) ||
        !buffer.ReadAt(buffer.Address(kPointAt), &point, sizeof point) ||
        (chars > 0 && !buffer.ReadAt(textAddress, text.data(), chars * sizeof(wchar_t)))) {
      return {Answer::kRefused, {}};
    }
    // An item gone since the count was read keeps its place (the indices are the list view's)
    // without a name, so nothing is saved for it or put there.
    if (!ok) {
      read.items.push_back({});
      continue;
    }
    read.items.push_back({Narrow(std::wstring_view(text.data(), chars)), static_cast<int>(point.x),
                          static_cast<int>(point.y)});
  }
  return read;
}

}  // namespace tovr::desktop::win32
