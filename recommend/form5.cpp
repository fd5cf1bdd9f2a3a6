#include "recommend/form5.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleauto.h>

#include <climits>

#include "common/win/gdi.h"
#include "common/win/handles.h"

namespace nemba::recommend {

std::wstring ParagraphsText(const std::vector<std::wstring>& paragraphs) {
  std::wstring text;
  for (const auto& html : paragraphs) text += html + L"<p></p>";
  if (text.empty()) text = kErrorText;
  return text;
}

bool Completions::OnDocumentComplete(RecommendDocument* document) {
  if (count_ < INT16_MAX) ++count_;
  // Raised before the rewrite: writing may complete the document again.
  if (count_ != 1 || !document) return false;
  document->Write(ParagraphsText(document->ParagraphHtml()));
  return true;
}

namespace {

constexpr wchar_t kClassName[] = L"Nemba.Recommend.Form5";
constexpr DISPID kNavigate = 104;
constexpr DISPID kDocument = 203;

class Variant {
 public:
  Variant() { ::VariantInit(&v); }
  explicit Variant(const std::wstring& s) {
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
  }
  explicit Variant(long n) {
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
  }
  explicit Variant(bool b) {
    ::VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { ::VariantClear(&v); }
  IDispatch* dispatch() const { return v.vt == VT_DISPATCH ? v.pdispVal : nullptr; }

  VARIANT v;
};

HRESULT Invoke(IDispatch* target, DISPID id, WORD flags, Variant* arg, Variant* result) {
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{arg ? &arg->v : nullptr, nullptr, arg ? 1u : 0u, 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? &result->v : nullptr, nullptr,
                        nullptr);
}

HRESULT InvokeByName(IDispatch* target, const wchar_t* name, WORD flags, Variant* arg, Variant* result) {
  if (!target) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  return Invoke(target, id, flags, arg, result);
}

// The browser's HTML document, reached only through its automation names.
class DispatchDocument final : public RecommendDocument {
 public:
  explicit DispatchDocument(IDispatch* document) : document_(document) {}

  std::vector<std::wstring> ParagraphHtml() override {
    std::vector<std::wstring> html;
    Variant tag(std::wstring(L"p")), elements;
    if (FAILED(InvokeByName(document_, L"getElementsByTagName", DISPATCH_METHOD, &tag, &elements))) return html;
    Variant length;
    if (FAILED(InvokeByName(elements.dispatch(), L"length", DISPATCH_PROPERTYGET, nullptr, &length)) ||
        FAILED(::VariantChangeType(&length.v, &length.v, 0, VT_I4)))
      return html;
    for (long i = 0; i < length.v.lVal; ++i) {
      Variant index(i), element, inner;
      if (FAILED(InvokeByName(elements.dispatch(), L"item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &index,
                              &element)))
        continue;
      if (FAILED(InvokeByName(element.dispatch(), L"innerHTML", DISPATCH_PROPERTYGET, nullptr, &inner)) ||
          inner.v.vt != VT_BSTR)
        continue;
      html.emplace_back(inner.v.bstrVal ? inner.v.bstrVal : L"", ::SysStringLen(inner.v.bstrVal));
    }
    return html;
  }

  void Write(const std::wstring& text) override {
    Variant arg(text);
    InvokeByName(document_, L"write", DISPATCH_METHOD, &arg, nullptr);
  }

 private:
  IDispatch* document_;
};

}  // namespace

// The control's event sink: DWebBrowserEvents2 is a pure dispatch interface,
// so only Invoke does anything.
class BrowserEvents final : public IDispatch {
 public:
  explicit BrowserEvents(BrowserHost* host) : host_(host) {}
  void Detach() { host_ = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

 private:
  ULONG refs_ = 1;
  BrowserHost* host_;
};

// The container side of the browser control's in-place activation. The
// window is its own frame: no menus, tool bars or status bar are shared.
class BrowserHost final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  // The hosted, in-place active control, or null when the system has none.
  static BrowserHost* Create(Form5* form) {
    auto* host = new BrowserHost(form);
    if (!host->Start()) {
      host->Close();
      host->Release();
      return nullptr;
    }
    return host;
  }

  void Navigate(const wchar_t* address) {
    Variant url{std::wstring(address)};
    Invoke(browser_.get(), kNavigate, DISPATCH_METHOD, &url, nullptr);
  }

  void Resize() {
    if (!inPlace_) return;
    RECT rc = ClientRect();
    inPlace_->SetObjectRects(&rc, &rc);
  }

  // The document-complete event, passed on with the browser's top-level
  // document whichever frame the event named.
  void Completed() {
    if (!form_) return;
    Variant document;
    if (browser_) Invoke(browser_.get(), kDocument, DISPATCH_PROPERTYGET, nullptr, &document);
    if (IDispatch* d = document.dispatch()) {
      DispatchDocument doc(d);
      form_->DocumentComplete(&doc);
    } else {
      form_->DocumentComplete(nullptr);
    }
  }

  void Close() {
    if (point_) point_->Unadvise(cookie_);
    point_ = {};
    if (events_) {
      events_->Detach();
      events_->Release();
      events_ = nullptr;
    }
    if (inPlace_) inPlace_->InPlaceDeactivate();
    inPlace_ = {};
    browser_ = {};
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
    }
    object_ = {};
    form_ = nullptr;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for both the site and the frame
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = hwnd_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (frame) {
      *frame = this;
      AddRef();
    }
    if (doc) *doc = nullptr;
    RECT rc = ClientRect();
    if (pos) *pos = rc;
    if (clip) *clip = rc;
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = hwnd_;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT rc) override {
    if (inPlace_ && rc) inPlace_->SetObjectRects(rc, rc);
    return S_OK;
  }

  // IOleInPlaceUIWindow and IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  explicit BrowserHost(Form5* form) : form_(form), hwnd_(form->hwnd()) {}
  ~BrowserHost() = default;

  RECT ClientRect() const {
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    return rc;
  }

  bool Start() {
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  object_.put_void())))
      return false;
    if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
    ::OleSetContainedObject(object_.get(), TRUE);
    RECT rc = ClientRect();
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, hwnd_,
                               &rc)))
      return false;
    object_->QueryInterface(IID_IOleInPlaceObject, inPlace_.put_void());
    if (FAILED(object_->QueryInterface(IID_IDispatch, browser_.put_void()))) return false;
    // Script errors of the page must not stop the window with a dialog.
    Variant on(true);
    InvokeByName(browser_.get(), L"Silent", DISPATCH_PROPERTYPUT, &on, nullptr);

    win::ComPtr<IConnectionPointContainer> points;
    if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer, points.put_void())) &&
        SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, point_.put()))) {
      events_ = new BrowserEvents(this);
      if (FAILED(point_->Advise(events_, &cookie_))) point_ = {};
    }
    return true;
  }

  ULONG refs_ = 1;
  Form5* form_;
  HWND hwnd_;
  win::ComPtr<IOleObject> object_;
  win::ComPtr<IOleInPlaceObject> inPlace_;
  win::ComPtr<IDispatch> browser_;
  win::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
  BrowserEvents* events_ = nullptr;
};

STDMETHODIMP BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  if (id == DISPID_DOCUMENTCOMPLETE && host_) {
    BrowserHost* host = host_;
    host->AddRef();  // the handler may close the window
    host->Completed();
    host->Release();
  }
  return S_OK;
}

// ---- Form5 -----------------------------------------------------------------

Form5::Form5(Form5Options options) : options_(options) {}

Form5::~Form5() {
  CloseBrowser();
  DestroyNow();
}

bool Form5::Open(int show) {
  int dpi = win::ScreenDpi();
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  ClassOptions cls{kClassName, win::ProgramIcon(false), win::ProgramIcon(true)};
  RECT bounds = win::CentredWindowRect(win::Twips(6480, dpi), win::Twips(3870, dpi), style, false);
  if (!Create(cls, style, 0, kFetchingCaption, bounds, options_.owner, nullptr)) return false;
  Form_Load();
  if (!IsOpen()) return false;
  ::ShowWindow(hwnd(), show);
  ::UpdateWindow(hwnd());
  return true;
}

void Form5::Form_Load() {
  completions_.Reset();
  host_ = BrowserHost::Create(this);
  if (host_) host_->Navigate(kPageAddress);
}

std::wstring Form5::Caption() const {
  wchar_t buffer[128] = {};
  ::GetWindowTextW(hwnd(), buffer, 128);
  return buffer;
}

void Form5::DocumentComplete(RecommendDocument* document) {
  if (completions_.OnDocumentComplete(document) && IsOpen()) ::SetWindowTextW(hwnd(), kShownCaption);
}

void Form5::CloseBrowser() {
  if (!host_) return;
  BrowserHost* host = host_;
  host_ = nullptr;
  host->Close();
  host->Release();
}

LRESULT Form5::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (host_) host_->Resize();
      return 0;
    case WM_DESTROY:
      // The control goes while its parent window is still there.
      CloseBrowser();
      return 0;
    default:
      return Window::HandleMessage(msg, wp, lp);
  }
}

void Form5::OnDestroyed() {
  CloseBrowser();
  if (options_.quitOnClose) ::PostQuitMessage(0);
}

}  // namespace nemba::recommend
