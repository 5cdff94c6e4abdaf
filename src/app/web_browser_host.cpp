#include "app/web_browser_host.h"

#include <exdispid.h>

#include <utility>

namespace pelrine {

// The container side of the control: its client site, in-place site and
// frame, and the sink of its DWebBrowserEvents2. The control holds counted
// references to it; Detach() cuts it off from the host before the host goes.
class ContainerSite final : public IOleClientSite,
                            public IOleInPlaceSite,
                            public IOleInPlaceFrame,
                            public IDispatch {
 public:
  ContainerSite(HWND container, std::function<void()> document_complete)
      : container_(container), document_complete_(std::move(document_complete)) {}

  // The browser whose own document completions count; frames and other
  // documents inside it report theirs too. Not owned: the host keeps it and
  // detaches the site before letting go of it.
  void SetTopLevel(IUnknown* browser) { top_level_ = browser; }

  void Detach() {
    container_ = nullptr;
    document_complete_ = nullptr;
    top_level_ = nullptr;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
      *object = static_cast<IDispatch*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, shared by the in-place site and the frame
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = container_;
    return container_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return container_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO frame_info) override {
    if (!frame || !document || !position || !clip || !frame_info) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    GetClientRect(container_, position);
    *clip = *position;
    frame_info->fMDIApp = FALSE;
    frame_info->hwndFrame = container_;
    frame_info->haccel = nullptr;
    frame_info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, toolbars or status bar
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

  // IDispatch, as the sink of DWebBrowserEvents2
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                      EXCEPINFO*, UINT*) override {
    if (member == DISPID_DOCUMENTCOMPLETE && document_complete_ && IsTopLevel(parameters)) {
      // A copy: the callback may end this host.
      auto complete = document_complete_;
      complete();
    }
    return S_OK;
  }

 private:
  ~ContainerSite() = default;

  // DocumentComplete(pDisp, URL): the arguments come last to first, so the
  // sender is the second; it is the top-level browser when both are the
  // same object.
  bool IsTopLevel(const DISPPARAMS* parameters) const {
    if (!top_level_ || !parameters || parameters->cArgs < 2) return false;
    const VARIANT& sender = parameters->rgvarg[1];
    if (sender.vt != VT_DISPATCH || !sender.pdispVal) return false;
    com_ptr<IUnknown> identity, top_identity;
    sender.pdispVal->QueryInterface(IID_IUnknown, identity.put_void());
    top_level_->QueryInterface(IID_IUnknown, top_identity.put_void());
    return identity && identity.get() == top_identity.get();
  }

  ULONG references_ = 1;
  HWND container_;
  std::function<void()> document_complete_;
  IUnknown* top_level_ = nullptr;
};

namespace {

// The control itself starts without a document engine, so ask for one.
bool BrowserEngineInstalled() {
  CLSID html_document{};
  if (FAILED(CLSIDFromProgID(L"htmlfile", &html_document))) return false;
  com_ptr<IUnknown> document;
  return SUCCEEDED(CoCreateInstance(html_document, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                    document.put_void()));
}

}  // namespace

std::unique_ptr<WebBrowserHost> WebBrowserHost::Create(HWND container,
                                                       std::function<void()> document_complete) {
  std::unique_ptr<WebBrowserHost> host(new WebBrowserHost);
  if (!host->Start(container, std::move(document_complete))) return nullptr;
  return host;
}

bool WebBrowserHost::Start(HWND container, std::function<void()> document_complete) {
  if (!ole_.ok() || !BrowserEngineInstalled()) return false;
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              control_.put_void())))
    return false;
  site_ = com_ptr<ContainerSite>(new ContainerSite(container, std::move(document_complete)));
  if (FAILED(control_->SetClientSite(site_.get()))) return false;

  RECT area{};
  GetClientRect(container, &area);
  if (FAILED(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, container, &area)))
    return false;
  browser_ = control_.as<IWebBrowser2>();
  if (!browser_) return false;
  browser_->put_Silent(VARIANT_TRUE);
  site_->SetTopLevel(browser_.get());

  auto points = control_.as<IConnectionPointContainer>();
  if (points && SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.put())) &&
      FAILED(events_->Advise(static_cast<IDispatch*>(site_.get()), &events_cookie_)))
    events_.reset();
  return true;
}

WebBrowserHost::~WebBrowserHost() {
  if (events_) events_->Unadvise(events_cookie_);
  if (site_) site_->Detach();
  if (control_) {
    if (auto in_place = control_.as<IOleInPlaceObject>()) in_place->InPlaceDeactivate();
    control_->Close(OLECLOSE_NOSAVE);
    control_->SetClientSite(nullptr);
  }
}

void WebBrowserHost::Navigate(const std::wstring& url) {
  VARIANT address;
  VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
  if (address.bstrVal) browser_->Navigate2(&address, nullptr, nullptr, nullptr, nullptr);
  VariantClear(&address);
}

void WebBrowserHost::Resize(int width, int height) {
  if (auto in_place = control_.as<IOleInPlaceObject>()) {
    RECT area{0, 0, width, height};
    in_place->SetObjectRects(&area, &area);
  }
}

}  // namespace pelrine
