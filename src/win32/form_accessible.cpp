#include "win32/form_accessible.h"

#include <oleacc.h>

#include <new>
#include <utility>

#include "win32/accessibility_library.h"
#include "win32/accessible_object.h"
#include "win32/base/window_text.h"

namespace tavrin::win32 {
namespace {

void SetChildId(VARIANT* out, long id) {
  out->vt = VT_I4;
  out->lVal = id;
}

}  // namespace

// The client area's object: IAccessible over the window's items. Calls
// come from other programs through the thread's messages.
class FormAccessible final : public AccessibleObject {
 public:
  explicit FormAccessible(AccessibleForm& form) : form_(&form) {}
  void Disconnect() { form_ = nullptr; }

  // No type information: callers use IAccessible itself.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    *parent = nullptr;
    if (form_ == nullptr) return RPC_E_DISCONNECTED;
    return AccessibilityFunctions().createStdObject(form_->FormHandle(), OBJID_WINDOW,
                                     __uuidof(IDispatch),
                                     reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (form_ == nullptr) return RPC_E_DISCONNECTED;
    *count = static_cast<long>(form_->AccessibleItems().size());
    return S_OK;
  }
  // A system control is an object of its own; the skin's are simple
  // elements of this one.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child,
                                         IDispatch** out) override {
    *out = nullptr;
    const auto item = Item(child);
    if (!item) return Answer(child);
    if (item->window == nullptr) return S_FALSE;
    return AccessibilityFunctions().createStdObject(item->window, OBJID_WINDOW,
                                     __uuidof(IDispatch),
                                     reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    *name = nullptr;
    if (IsSelf(child)) return AccessibleText(Caption(), name);
    const auto item = Item(child);
    return item ? AccessibleText(item->name, name) : Answer(child);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    *value = nullptr;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    *text = nullptr;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    role->vt = VT_EMPTY;
    if (IsSelf(child)) {
      SetChildId(role, ROLE_SYSTEM_CLIENT);
      return S_OK;
    }
    const auto item = Item(child);
    if (!item) return Answer(child);
    SetChildId(role, item->role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child,
                                         VARIANT* state) override {
    state->vt = VT_EMPTY;
    if (IsSelf(child)) {
      const HWND window = form_->FormHandle();
      long bits = STATE_SYSTEM_FOCUSABLE;
      if (GetFocus() == window) bits |= STATE_SYSTEM_FOCUSED;
      if (!IsWindowVisible(window)) bits |= STATE_SYSTEM_INVISIBLE;
      SetChildId(state, bits);
      return S_OK;
    }
    const auto item = Item(child);
    if (!item) return Answer(child);
    SetChildId(state, item->state);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    *help = nullptr;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT,
                                             long* topic) override {
    *file = nullptr;
    *topic = 0;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT,
                                                    BSTR* keys) override {
    *keys = nullptr;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    focus->vt = VT_EMPTY;
    if (form_ == nullptr) return RPC_E_DISCONNECTED;
    const auto item = form_->AccessibleFocus();
    if (item) {
      SetChildId(focus, static_cast<long>(*item) + 1);
    } else if (GetFocus() == form_->FormHandle()) {
      SetChildId(focus, CHILDID_SELF);
    }
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    selection->vt = VT_EMPTY;
    return form_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child,
                                                 BSTR* action) override {
    *action = nullptr;
    const auto item = Item(child);
    if (!item) return IsSelf(child) ? S_FALSE : Answer(child);
    if (!item->clickable) return S_FALSE;
    if (item->role == ROLE_SYSTEM_CHECKBUTTON) {
      return AccessibleText(item->checked ? L"Uncheck" : L"Check", action);
    }
    return AccessibleText(L"Press", action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override {
    return form_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width,
                                        long* height, VARIANT child) override {
    RECT place{};
    if (IsSelf(child)) {
      GetClientRect(form_->FormHandle(), &place);
    } else if (const auto item = Item(child)) {
      place = item->place;
    } else {
      return Answer(child);
    }
    MapWindowPoints(form_->FormHandle(), nullptr,
                    reinterpret_cast<POINT*>(&place), 2);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start,
                                        VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const auto item = Item(child);
    if (!item) return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : Answer(child);
    if (!item->clickable) return DISP_E_MEMBERNOTFOUND;
    form_->PostClick(static_cast<std::size_t>(child.lVal - 1));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override {
    return E_NOTIMPL;
  }

 private:
  ~FormAccessible() override = default;

  bool IsSelf(VARIANT child) const {
    return form_ != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }
  // The item a child id names; nothing for the object itself, a bad id or
  // a window that is gone.
  std::optional<AccessibleItem> Item(VARIANT child) const {
    if (form_ == nullptr || child.vt != VT_I4 || child.lVal <= 0) return {};
    auto items = form_->AccessibleItems();
    const auto index = static_cast<std::size_t>(child.lVal - 1);
    if (index >= items.size()) return {};
    return std::move(items[index]);
  }
  // Why Item found nothing.
  HRESULT Answer(VARIANT child) const {
    if (form_ == nullptr) return RPC_E_DISCONNECTED;
    return IsSelf(child) ? S_FALSE : E_INVALIDARG;
  }
  std::wstring Caption() const { return WideWindowText(form_->FormHandle()); }

  AccessibleForm* form_;
};

// Among the items, in Tab order; from the object itself, to its first or
// last item.
HRESULT FormAccessible::accNavigate(long direction, VARIANT start,
                                    VARIANT* end) {
  end->vt = VT_EMPTY;
  if (form_ == nullptr) return RPC_E_DISCONNECTED;
  if (start.vt != VT_I4) return E_INVALIDARG;
  const long count = static_cast<long>(form_->AccessibleItems().size());
  long to = 0;
  const long from = start.lVal;
  if (from == CHILDID_SELF) {
    if (direction == NAVDIR_FIRSTCHILD) to = 1;
    if (direction == NAVDIR_LASTCHILD) to = count;
  } else if (from < 1 || from > count) {
    return E_INVALIDARG;
  } else if (direction == NAVDIR_NEXT) {
    to = from + 1;
  } else if (direction == NAVDIR_PREVIOUS) {
    to = from - 1;
  }
  if (to < 1 || to > count) return S_FALSE;
  SetChildId(end, to);
  return S_OK;
}

HRESULT FormAccessible::accHitTest(long x, long y, VARIANT* hit) {
  hit->vt = VT_EMPTY;
  if (form_ == nullptr) return RPC_E_DISCONNECTED;
  const HWND window = form_->FormHandle();
  POINT point{x, y};
  ScreenToClient(window, &point);
  RECT client{};
  GetClientRect(window, &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const auto items = form_->AccessibleItems();
  SetChildId(hit, CHILDID_SELF);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (PtInRect(&items[i].place, point)) SetChildId(hit, static_cast<long>(i) + 1);
  }
  return S_OK;
}

FormAccessibility::~FormAccessibility() {
  if (object_ == nullptr) return;
  object_->Disconnect();
  object_->Release();
}

std::optional<LRESULT> FormAccessibility::Answer(WPARAM wParam,
                                                 LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  const AccessibilityLibrary& library = AccessibilityFunctions();
  if (!library.Ready()) return std::nullopt;
  if (object_ == nullptr) object_ = new (std::nothrow) FormAccessible(form_);
  if (object_ == nullptr) return std::nullopt;
  return library.lresultFromObject(__uuidof(IAccessible), wParam, object_);
}

void FormAccessibility::FocusMoved(std::size_t item) const {
  NotifyWinEvent(EVENT_OBJECT_FOCUS, form_.FormHandle(), OBJID_CLIENT,
                 static_cast<LONG>(item) + 1);
}

void FormAccessibility::StateChanged(std::size_t item) const {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, form_.FormHandle(), OBJID_CLIENT,
                 static_cast<LONG>(item) + 1);
}

}  // namespace tavrin::win32
