#include "ui/accessible_win.h"

#include <ole2.h>
#include <oleacc.h>

#include <new>
#include <string>
#include <utility>

#include "base/utf_win.h"
#include "ui/system/system_library_win.h"

const IID kAccessibleInterfaceId = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

namespace {

static_assert(static_cast<LONG>(TAccessibleRole::PopupMenu) == ROLE_SYSTEM_MENUPOPUP);
static_assert(static_cast<LONG>(TAccessibleRole::MenuItem) == ROLE_SYSTEM_MENUITEM);
static_assert(static_cast<LONG>(TAccessibleRole::Separator) == ROLE_SYSTEM_SEPARATOR);
static_assert(static_cast<LONG>(TAccessibleRole::Link) == ROLE_SYSTEM_LINK);
static_assert(static_cast<LONG>(TAccessibleRole::PushButton) == ROLE_SYSTEM_PUSHBUTTON);
static_assert(static_cast<LONG>(TAccessibleRole::SpinButton) == ROLE_SYSTEM_SPINBUTTON);
static_assert(accessible_state::Unavailable == STATE_SYSTEM_UNAVAILABLE);
static_assert(accessible_state::Focused == STATE_SYSTEM_FOCUSED);
static_assert(accessible_state::Pressed == STATE_SYSTEM_PRESSED);
static_assert(accessible_state::HotTracked == STATE_SYSTEM_HOTTRACKED);
static_assert(accessible_state::Default == STATE_SYSTEM_DEFAULT);
static_assert(accessible_state::Offscreen == STATE_SYSTEM_OFFSCREEN);
static_assert(accessible_state::Focusable == STATE_SYSTEM_FOCUSABLE);
static_assert(accessible_state::Linked == STATE_SYSTEM_LINKED);
static_assert(accessible_state::Traversed == STATE_SYSTEM_TRAVERSED);
static_assert(accessible_state::HasPopup == STATE_SYSTEM_HASPOPUP);

// Default actions reach the window as this message, after the caller's call returned.
UINT ActionMessage() {
  static const UINT message = RegisterWindowMessageW(L"VespermarkAccessibleAction");
  return message;
}

// No exception crosses into the screen reader.
template <class F>
HRESULT Guarded(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// Bound when the first screen reader asks for the window, not at start.
const TLateBound<decltype(&LresultFromObject)> kLresultFromObject(OleAccLibrary(), "LresultFromObject");
const TLateBound<decltype(&AccessibleObjectFromWindow)> kAccessibleObjectFromWindow(OleAccLibrary(),
                                                                                   "AccessibleObjectFromWindow");
const TLateBound<decltype(&CoDisconnectObject)> kCoDisconnectObject(Ole32Library(), "CoDisconnectObject");
// The caller frees the texts with SysFreeString: they come from its allocator.
const TLateBound<decltype(&SysAllocStringLen)> kSysAllocStringLen(OleAut32Library(), "SysAllocStringLen");

// An out VARIANT starts empty, all VariantInit does.
void ClearVariant(VARIANT* out) { out->vt = VT_EMPTY; }

HRESULT PutText(const std::string& text, BSTR* out) {
  if (text.empty()) return S_FALSE;
  const auto allocate = kSysAllocStringLen.Find();
  if (!allocate) return E_FAIL;
  const std::wstring wide = Utf8ToWide(text);
  *out = allocate(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void PutChild(VARIANT* out, int32_t child) {
  out->vt = VT_I4;
  out->lVal = child;
}

}  // namespace

class TAccessibleObject final : public IAccessible {
 public:
  TAccessibleObject(AccessibleSource& source, HWND window) : FSource(&source), FWindow(window) {}
  // The window is gone: every call answers that the object is not connected.
  void Disconnect() { FSource = nullptr; }
  HWND Window() const { return FWindow; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, kAccessibleInterfaceId)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

  // Screen readers call the methods directly; there is no type library to dispatch by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Run([&] {
      const auto fromWindow = kAccessibleObjectFromWindow.Find();
      if (!fromWindow) return E_FAIL;
      return fromWindow(FWindow, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch, reinterpret_cast<void**>(parent));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return Run([&] {
      *count = FSource->AccessibleChildCount();
      return S_OK;
    });
  }
  // The parts are simple elements: they answer through their parent.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return WithChild(child, [](int32_t) { return S_FALSE; });
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out, &TAccessibleItem::Name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, &TAccessibleItem::Value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out, &TAccessibleItem::Description);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Text(child, out, &TAccessibleItem::KeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, &TAccessibleItem::DefaultAction);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return WithChild(child, [](int32_t) { return S_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    ClearVariant(out);
    return WithChild(child, [&](int32_t id) {
      PutChild(out, static_cast<int32_t>(FSource->AccessibleItem(id).Role));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    ClearVariant(out);
    return WithChild(child, [&](int32_t id) {
      PutChild(out, static_cast<int32_t>(FSource->AccessibleItem(id).State));
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    ClearVariant(out);
    return Run([&] {
      if (GetFocus() == FWindow) {
        PutChild(out, CHILDID_SELF);
        return S_OK;
      }
      for (int32_t id = 1; id <= FSource->AccessibleChildCount(); ++id)
        if (FSource->AccessibleItem(id).State & accessible_state::Focused) {
          PutChild(out, id);
          return S_OK;
        }
      return S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    ClearVariant(out);
    return Run([] { return S_FALSE; });
  }

  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return WithChild(child, [&](int32_t id) {
      if (id != CHILDID_SELF || flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
      if (!(FSource->AccessibleItem(id).State & accessible_state::Focusable)) return E_FAIL;
      SetFocus(FWindow);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return WithChild(child, [&](int32_t id) {
      TRect r = FSource->AccessibleChildBounds(id);
      if (id == CHILDID_SELF) {
        RECT window;
        if (!GetWindowRect(FWindow, &window)) return E_FAIL;
        r = {window.left, window.top, window.right, window.bottom};
      }
      *left = r.Left;
      *top = r.Top;
      *width = r.Width();
      *height = r.Height();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    ClearVariant(end);
    return WithChild(start, [&](int32_t id) {
      const int32_t count = FSource->AccessibleChildCount();
      int32_t to = -1;
      if (id == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD && count > 0) to = 1;
        if (direction == NAVDIR_LASTCHILD && count > 0) to = count;
      } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        to = id < count ? id + 1 : -1;
      } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        to = id > 1 ? id - 1 : -1;
      }
      if (to < 0) return S_FALSE;
      PutChild(end, to);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    ClearVariant(out);
    return Run([&] {
      RECT window;
      if (!GetWindowRect(FWindow, &window) || !PtInRect(&window, POINT{x, y})) return S_FALSE;
      int32_t found = CHILDID_SELF;
      for (int32_t id = 1; id <= FSource->AccessibleChildCount() && found == CHILDID_SELF; ++id)
        if (FSource->AccessibleChildBounds(id).Contains({static_cast<int32_t>(x), static_cast<int32_t>(y)}))
          found = id;
      PutChild(out, found);
      return S_OK;
    });
  }

  // Queued, so the screen reader is not kept waiting by what the action does
  // (a message box, a menu) and the window is not re-entered from inside a call.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return WithChild(child, [&](int32_t id) {
      const TAccessibleItem item = FSource->AccessibleItem(id);
      if (item.DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
      if (item.State & accessible_state::Unavailable) return E_FAIL;
      return PostMessageW(FWindow, ActionMessage(), static_cast<WPARAM>(id), 0) ? S_OK : E_FAIL;
    });
  }

  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  template <class F>
  HRESULT Run(F&& body) noexcept {
    if (!FSource) return CO_E_OBJNOTCONNECTED;
    return Guarded(body);
  }
  // Runs `body` with the child a VARIANT names, when it is the window or one of its parts.
  template <class F>
  HRESULT WithChild(const VARIANT& child, F&& body) noexcept {
    return Run([&] {
      if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > FSource->AccessibleChildCount()) return E_INVALIDARG;
      return body(static_cast<int32_t>(child.lVal));
    });
  }
  HRESULT Text(const VARIANT& child, BSTR* out, std::string TAccessibleItem::*field) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return WithChild(child, [&](int32_t id) { return PutText(FSource->AccessibleItem(id).*field, out); });
  }

  AccessibleSource* FSource;
  HWND FWindow;
  ULONG FReferences = 1;
};

TAccessibleWindow::~TAccessibleWindow() { Disconnect(); }

bool TAccessibleWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
    // Without COM or the accessibility library the system's own answer is all there is.
    const auto fromObject = kLresultFromObject.Find();
    if (!fromObject || !EnterComApartment()) return false;
    // A window made again is a new object; the old one's callers hold a dead handle.
    if (FObject && FObject->Window() != window) Disconnect();
    if (!FObject) FObject = new TAccessibleObject(FSource, window);
    result = fromObject(kAccessibleInterfaceId, wParam, FObject);
    return true;
  }
  if (message == ActionMessage()) {
    // The state may have changed since the action was asked for.
    const auto child = static_cast<int32_t>(wParam);
    if (child >= 0 && child <= FSource.AccessibleChildCount()) {
      const TAccessibleItem item = FSource.AccessibleItem(child);
      if (!item.DefaultAction.empty() && !(item.State & accessible_state::Unavailable)) FSource.DoAccessibleAction(child);
    }
    result = 0;
    return true;
  }
  if (message == WM_DESTROY) Disconnect();
  return false;
}

void TAccessibleWindow::Notify(HWND window, DWORD event, int32_t child) {
  NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

void TAccessibleWindow::Disconnect() {
  if (!FObject) return;
  FObject->Disconnect();
  // Callers in other processes are let go now, not at their next call.
  if (const auto disconnect = kCoDisconnectObject.Find()) disconnect(FObject, 0);
  std::exchange(FObject, nullptr)->Release();
}
