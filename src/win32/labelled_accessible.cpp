#include "win32/labelled_accessible.h"

#include <new>
#include <utility>

#include "win32/accessibility_library.h"
#include "win32/accessible_object.h"

namespace tavrin::win32 {
namespace {

// A system control's standard object with the name the user knows the
// control by: the skin letters its label, which the system cannot see.
// Everything else is the standard object's.
class LabelledAccessible final : public AccessibleObject {
 public:
  LabelledAccessible(IAccessible* standard, std::wstring name)
      : standard_(standard), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT a, LCID b, ITypeInfo** c) override {
    return standard_->GetTypeInfo(a, b, c);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID a, LPOLESTR* b, UINT c, LCID d,
                                          DISPID* e) override {
    return standard_->GetIDsOfNames(a, b, c, d, e);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID a, REFIID b, LCID c, WORD d,
                                   DISPPARAMS* e, VARIANT* f, EXCEPINFO* g,
                                   UINT* h) override {
    return standard_->Invoke(a, b, c, d, e, f, g, h);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) return AccessibleText(name_, name);
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** a) override {
    return standard_->get_accParent(a);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* a) override {
    return standard_->get_accChildCount(a);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT a, IDispatch** b) override {
    return standard_->get_accChild(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT a, BSTR* b) override {
    return standard_->get_accValue(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT a, BSTR* b) override {
    return standard_->get_accDescription(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT a, VARIANT* b) override {
    return standard_->get_accRole(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT a, VARIANT* b) override {
    return standard_->get_accState(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT a, BSTR* b) override {
    return standard_->get_accHelp(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* a, VARIANT b, long* c) override {
    return standard_->get_accHelpTopic(a, b, c);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT a, BSTR* b) override {
    return standard_->get_accKeyboardShortcut(a, b);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* a) override {
    return standard_->get_accFocus(a);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* a) override {
    return standard_->get_accSelection(a);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT a, BSTR* b) override {
    return standard_->get_accDefaultAction(a, b);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long a, VARIANT b) override {
    return standard_->accSelect(a, b);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* a, long* b, long* c, long* d,
                                        VARIANT e) override {
    return standard_->accLocation(a, b, c, d, e);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long a, VARIANT b, VARIANT* c) override {
    return standard_->accNavigate(a, b, c);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long a, long b, VARIANT* c) override {
    return standard_->accHitTest(a, b, c);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT a) override {
    return standard_->accDoDefaultAction(a);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT a, BSTR b) override {
    return standard_->put_accName(a, b);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT a, BSTR b) override {
    return standard_->put_accValue(a, b);
  }

 private:
  ~LabelledAccessible() override { standard_->Release(); }
  // The standard object's other interfaces (window, enumeration of items).
  HRESULT OtherInterface(REFIID id, void** out) override {
    return standard_->QueryInterface(id, out);
  }

  IAccessible* standard_;  // one reference held
  std::wstring name_;
};

}  // namespace

std::optional<LRESULT> AnswerForSystemControl(HWND control,
                                              const std::wstring& name,
                                              WPARAM wParam,
                                              LPARAM lParam) noexcept try {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  const AccessibilityLibrary& library = AccessibilityFunctions();
  if (!library.Ready()) return std::nullopt;
  std::wstring ownName = name;
  IAccessible* standard = nullptr;
  if (FAILED(library.createStdObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return std::nullopt;
  }
  auto* labelled =
      new (std::nothrow) LabelledAccessible(standard, std::move(ownName));
  if (labelled == nullptr) {
    standard->Release();
    return std::nullopt;
  }
  const LRESULT answer =
      library.lresultFromObject(__uuidof(IAccessible), wParam, labelled);
  labelled->Release();
  return answer;
} catch (...) {
  return std::nullopt;
}

}  // namespace tavrin::win32