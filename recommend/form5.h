// The recommendation window: fetches the author's recommendation page in the
// system's browser control and shows only the contents of its paragraphs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/win/window.h"

namespace nemba::recommend {

inline constexpr wchar_t kPageAddress[] = L"https://blog.nemba.example.com/2010/05/recommend.html";
inline constexpr wchar_t kFetchingCaption[] = L"正在获取，请稍后...";
inline constexpr wchar_t kShownCaption[] = L"作者推荐";
inline constexpr wchar_t kErrorText[] = L"出错啦！请稍后重试！";

// The part of the loaded document the window reads and rewrites.
class RecommendDocument {
 public:
  virtual ~RecommendDocument() = default;
  // The inner HTML of every "p" element, in document order.
  virtual std::vector<std::wstring> ParagraphHtml() = 0;
  virtual void Write(const std::wstring& html) = 0;
};

// What replaces the page: each paragraph followed by an empty one, or the
// error text when the page has no paragraph.
std::wstring ParagraphsText(const std::vector<std::wstring>& paragraphs);

// Counts the browser's completions; only the first one after loading rewrites
// the document, later ones come from frames or from the rewrite itself.
class Completions {
 public:
  void Reset() { count_ = 0; }
  // True when this completion rewrote `document` (null: nothing to read).
  bool OnDocumentComplete(RecommendDocument* document);
  int16_t Count() const { return count_; }

 private:
  int16_t count_ = 0;
};

struct Form5Options {
  bool quitOnClose = false;  // the 推荐 program ends with its window
  HWND owner = nullptr;
};

class BrowserHost;

class Form5 : public win::Window {
 public:
  explicit Form5(Form5Options options);
  Form5(const Form5&) = delete;
  Form5& operator=(const Form5&) = delete;
  ~Form5() override;

  // Creates the window, starts the fetch and shows it.
  bool Open(int show = SW_SHOWNORMAL);
  // False when the system has no browser control to host.
  bool HasBrowser() const { return static_cast<bool>(host_); }
  std::wstring Caption() const;
  const Completions& Counter() const { return completions_; }

  // A completion of the browser with the document it shows now.
  void DocumentComplete(RecommendDocument* document);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() override;

 private:
  void Form_Load();
  void CloseBrowser();

  Form5Options options_;
  Completions completions_;
  BrowserHost* host_ = nullptr;  // holds a reference of its own
};

}  // namespace nemba::recommend
