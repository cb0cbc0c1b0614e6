// Browser windows: the WebBrowser control hosted in place by a minimal OLE
// container (client site, in-place site and frame) written for it.
#include "ui/win32/browser_control.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>

#include <atomic>
#include <new>
#include <utility>

#include "platform/win32/com_util.h"
#include "ui/win32/module_class.h"

namespace ui::win32 {
namespace {

using platform::win32::com_ptr;
using platform::win32::RefCounted;
using platform::win32::unique_bstr;
using platform::win32::unique_variant;

class BrowserSite;

// The frame the control sees while in place. It shares the site's
// reference count: to COM, site and frame are one object.
class BrowserFrame final : public IOleInPlaceFrame {
 public:
  explicit BrowserFrame(BrowserSite& site) : site_(site) {}
  BrowserFrame(const BrowserFrame&) = delete;
  BrowserFrame& operator=(const BrowserFrame&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // A dialog has no room for the control's toolbars or menus.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override {
    return widths ? OLE_E_INVALIDRECT : S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  BrowserSite& site_;
};

// The container's side of one hosted control. Reference counted: the
// control may hold the site a while after the window lets it go, so the
// window detaches it and every call then fails instead of reaching a
// destroyed window.
class BrowserSite final : public RefCounted<IOleClientSite, IOleInPlaceSite> {
 public:
  explicit BrowserSite(HWND window) : window_(window), frame_(*this) {}
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;

  void Detach() { window_ = nullptr; }
  HWND window() const { return window_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
      *ppv = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite)) {
      *ppv = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) ||
               IsEqualIID(riid, IID_IOleInPlaceFrame)) {
      *ppv = static_cast<IOleInPlaceFrame*>(&frame_);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // IOleClientSite: the control is never saved into a document.
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow and IOleInPlaceSite.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return window_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO frame_info) override {
    if (frame) *frame = nullptr;
    if (doc) *doc = nullptr;
    if (!frame || !doc || !position || !clip || !frame_info) return E_POINTER;
    if (!window_) return E_FAIL;
    *frame = &frame_;
    frame_.AddRef();
    // No document window apart from the frame. The control fills the window.
    GetClientRect(window_, position);
    *clip = *position;
    frame_info->fMDIApp = FALSE;
    frame_info->hwndFrame = GetAncestor(window_, GA_ROOT);
    frame_info->haccel = nullptr;
    frame_info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  // The window decides the control's size (WM_SIZE), not the control.
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

 private:
  ~BrowserSite() = default;

  HWND window_;
  BrowserFrame frame_;
};

HRESULT BrowserFrame::QueryInterface(REFIID riid, void** ppv) {
  return site_.QueryInterface(riid, ppv);
}
ULONG BrowserFrame::AddRef() { return site_.AddRef(); }
ULONG BrowserFrame::Release() { return site_.Release(); }

HRESULT BrowserFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  // The frame is the dialog the control sits in: the owner of anything
  // modal the control shows.
  *window = site_.window() ? GetAncestor(site_.window(), GA_ROOT) : nullptr;
  return *window ? S_OK : E_FAIL;
}

// Receives the control's DWebBrowserEvents2 and passes the few the
// programs use on to their BrowserEvents. Reference counted like the site;
// the window detaches it before it goes.
class BrowserEventSink final : public RefCounted<IDispatch> {
 public:
  BrowserEventSink() = default;
  BrowserEventSink(const BrowserEventSink&) = delete;
  BrowserEventSink& operator=(const BrowserEventSink&) = delete;

  void SetEvents(BrowserEvents* events) { events_ = events; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    BrowserEvents* events = events_;
    if (!events || !params) return S_OK;
    // Nothing may be thrown back into the control.
    try {
      Dispatch(*events, id, *params);
    } catch (...) {
    }
    return S_OK;
  }

 private:
  ~BrowserEventSink() = default;

  static void Dispatch(BrowserEvents& events, DISPID id, DISPPARAMS& params) {
    // Arguments arrive last first.
    if (id == DISPID_TITLECHANGE && params.cArgs >= 1) {
      unique_variant title;
      if (SUCCEEDED(VariantChangeType(title.get(), &params.rgvarg[0], 0, VT_BSTR))) {
        events.OnTitleChange(platform::win32::BstrToAnsi(V_BSTR(title.get())));
      }
    } else if (id == DISPID_COMMANDSTATECHANGE && params.cArgs >= 2) {
      unique_variant command;
      unique_variant enabled;
      if (SUCCEEDED(VariantChangeType(command.get(), &params.rgvarg[1], 0, VT_I4)) &&
          SUCCEEDED(VariantChangeType(enabled.get(), &params.rgvarg[0], 0, VT_BOOL))) {
        const bool possible = V_BOOL(enabled.get()) != VARIANT_FALSE;
        if (V_I4(command.get()) == CSC_NAVIGATEBACK) events.OnHistoryChange(true, possible);
        if (V_I4(command.get()) == CSC_NAVIGATEFORWARD) events.OnHistoryChange(false, possible);
      }
    }
  }

  BrowserEvents* events_ = nullptr;
};

// What a browser window owns, kept in its extra window bytes from
// WM_NCCREATE to WM_NCDESTROY.
struct BrowserState {
  // OLE stays initialised until every child window of the control is gone.
  ScopedApartment apartment{true};
  com_ptr<BrowserSite> site;
  com_ptr<IOleObject> object;
  com_ptr<IOleInPlaceObject> in_place;
  com_ptr<IWebBrowser2> browser;
  com_ptr<BrowserEventSink> sink;
  com_ptr<IConnectionPoint> connection;
  DWORD cookie = 0;
  std::string location;

  ~BrowserState() { Release(); }

  // Creates the control and activates it in place; on any failure leaves
  // nothing hosted.
  void Host(HWND window) {
    if (!apartment.usable()) return;
    site = com_ptr<BrowserSite>(new (std::nothrow) BrowserSite(window));
    if (!site) return;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                object.put_void())) ||
        FAILED(object->SetClientSite(site.get()))) {
      Release();
      return;
    }
    // A new control must be initialised through its persistence interface
    // before use; the container never stores it, so it starts empty.
    com_ptr<IPersistStreamInit> persist;
    if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit, persist.put_void()))) {
      persist->InitNew();
    }
    RECT rect{};
    GetClientRect(window, &rect);
    if (FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, window, &rect)) ||
        FAILED(object->QueryInterface(IID_IOleInPlaceObject, in_place.put_void())) ||
        FAILED(object->QueryInterface(IID_IWebBrowser2, browser.put_void()))) {
      Release();
      return;
    }
    in_place->SetObjectRects(&rect, &rect);
    Listen();
  }

  // Subscribes to the control's events; a control that offers none is still
  // usable, it only never reports titles or history.
  void Listen() {
    com_ptr<IConnectionPointContainer> container;
    if (FAILED(browser->QueryInterface(IID_IConnectionPointContainer, container.put_void())) ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, connection.put()))) {
      connection.reset();
      return;
    }
    sink = com_ptr<BrowserEventSink>(new (std::nothrow) BrowserEventSink);
    if (!sink || FAILED(connection->Advise(static_cast<IDispatch*>(sink.get()), &cookie))) {
      sink.reset();
      connection.reset();
      cookie = 0;
    }
  }

  // Deactivates and closes the control and lets the site go. The pointers
  // are taken out first: the control may call back into the window while
  // it closes.
  void Release() {
    if (sink) sink->SetEvents(nullptr);
    if (connection && cookie) connection->Unadvise(cookie);
    connection.reset();
    sink.reset();
    cookie = 0;
    com_ptr<IOleInPlaceObject> active = std::move(in_place);
    com_ptr<IOleObject> closing = std::move(object);
    browser.reset();
    if (active) active->InPlaceDeactivate();
    if (closing) {
      closing->Close(OLECLOSE_NOSAVE);
      closing->SetClientSite(nullptr);
    }
    active.reset();
    closing.reset();
    if (site) site->Detach();
    site.reset();
  }
};

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The state of a browser window of this module, or null. The control is
// apartment threaded, so only the window's own thread may reach it.
BrowserState* StateOf(HWND window) {
  return static_cast<BrowserState*>(OwnWindowState(window, &BrowserWindowProc));
}

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      BrowserState* state = new (std::nothrow) BrowserState;
      if (!state) return FALSE;
      SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
      // The control's window is a child of this one; painting must not
      // cover it.
      SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_CLIPCHILDREN);
      break;
    }
    case WM_CREATE:
      // Without a control the window stays a plain empty one.
      if (BrowserState* state = StateOf(window)) state->Host(window);
      return 0;
    case WM_SIZE:
      if (BrowserState* state = StateOf(window)) {
        com_ptr<IOleInPlaceObject> active = state->in_place;
        if (active) {
          RECT rect{0, 0, LOWORD(lparam), HIWORD(lparam)};
          active->SetObjectRects(&rect, &rect);
        }
      }
      return 0;
    case WM_DESTROY:
      // The control closes while its own windows still exist.
      if (BrowserState* state = StateOf(window)) state->Release();
      return 0;
    case WM_NCDESTROY: {
      auto* state = reinterpret_cast<BrowserState*>(GetWindowLongPtrA(window, 0));
      SetWindowLongPtrA(window, 0, 0);
      delete state;
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterBrowserClass() {
  WNDCLASSEXA window_class{};
  window_class.lpfnWndProc = &BrowserWindowProc;
  window_class.cbWndExtra = sizeof(BrowserState*);
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // An empty page until the control covers the window, and for good when
  // no control could be hosted.
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  window_class.lpszClassName = kBrowserClassName;
  return RegisterModuleClass(window_class);
}

bool BrowserNavigate(HWND browser_window, const std::string& path_or_url) {
  BrowserState* state = StateOf(browser_window);
  if (!state) return false;
  try {
    state->location = path_or_url;
  } catch (const std::bad_alloc&) {
    return false;
  }
  // A reference of our own: the window may be destroyed while the control
  // runs the navigation.
  com_ptr<IWebBrowser2> browser = state->browser;
  // A location with a null inside would reach the control cut short.
  if (!browser || path_or_url.find('\0') != std::string::npos) return false;
  unique_bstr url(platform::win32::AnsiToBstr(path_or_url));
  if (!url.get()) return false;
  VARIANT none;
  VariantInit(&none);
  return SUCCEEDED(browser->Navigate(url.get(), &none, &none, &none, &none));
}

std::string BrowserLocation(HWND browser_window) {
  const BrowserState* state = StateOf(browser_window);
  return state ? state->location : std::string();
}

bool BrowserSetEvents(HWND browser_window, BrowserEvents* events) {
  BrowserState* state = StateOf(browser_window);
  if (!state || !state->browser) return false;
  if (state->sink) state->sink->SetEvents(events);
  return true;
}

bool BrowserGoBack(HWND browser_window) {
  BrowserState* state = StateOf(browser_window);
  com_ptr<IWebBrowser2> browser = state ? state->browser : com_ptr<IWebBrowser2>();
  return browser && SUCCEEDED(browser->GoBack());
}

bool BrowserGoForward(HWND browser_window) {
  BrowserState* state = StateOf(browser_window);
  com_ptr<IWebBrowser2> browser = state ? state->browser : com_ptr<IWebBrowser2>();
  return browser && SUCCEEDED(browser->GoForward());
}

bool BrowserPrint(HWND browser_window) {
  BrowserState* state = StateOf(browser_window);
  com_ptr<IWebBrowser2> browser = state ? state->browser : com_ptr<IWebBrowser2>();
  return browser &&
         SUCCEEDED(browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr));
}

bool BrowserTranslateAccelerator(HWND browser_window, MSG* message) {
  if (!message || message->message < WM_KEYFIRST || message->message > WM_KEYLAST) return false;
  if (!message->hwnd ||
      (message->hwnd != browser_window && !IsChild(browser_window, message->hwnd))) {
    return false;
  }
  BrowserState* state = StateOf(browser_window);
  com_ptr<IOleInPlaceActiveObject> active;
  if (!state || !state->object ||
      FAILED(state->object->QueryInterface(IID_IOleInPlaceActiveObject, active.put_void()))) {
    return false;
  }
  return active->TranslateAccelerator(message) == S_OK;
}

bool BrowserIsHosted(HWND browser_window) {
  const BrowserState* state = StateOf(browser_window);
  return state && state->browser;
}

}  // namespace ui::win32
