#include "common/win/clipboard.h"

#include <cstring>

#include "common/win/handles.h"

namespace nemba::win {
namespace {

// Another program may hold the clipboard for a moment: try a few times.
bool OpenClipboardRetrying(HWND owner) {
  for (int i = 0; i < 10; ++i) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboardRetrying(owner)) {}
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::optional<std::wstring> GetClipboardText(HWND owner) {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  ClipboardScope clip(owner);
  if (!clip.open()) return std::nullopt;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  GlobalLock<const wchar_t> lock(data);
  if (!lock.get()) return std::nullopt;
  // The text ends at its NUL, or at the end of the block if it has none.
  size_t max = ::GlobalSize(data) / sizeof(wchar_t);
  size_t n = 0;
  while (n < max && lock.get()[n]) ++n;
  return std::wstring(lock.get(), n);
}

bool SetClipboardText(HWND owner, const std::wstring& text) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!block) return false;
  {
    GlobalLock<wchar_t> lock(block.get());
    if (!lock.get()) return false;
    std::memcpy(lock.get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  ClipboardScope clip(owner);
  if (!clip.open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, block.get())) return false;
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace nemba::win
