#pragma once

#include <windows.h>
#include <oleacc.h>

namespace tavrin::win32 {

// What every accessible object of the program shares: one reference held
// by its maker at first, and its identity as IUnknown, IDispatch and
// IAccessible. Other interfaces are the subclass's to give.
class AccessibleObject : public IAccessible {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) final {
    if (out == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) ||
        id == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return OtherInterface(id, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() final {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  AccessibleObject() = default;
  virtual ~AccessibleObject() = default;
  virtual HRESULT OtherInterface(REFIID, void** out) {
    *out = nullptr;
    return E_NOINTERFACE;
  }

 private:
  ULONG references_ = 1;
};

}  // namespace tavrin::win32
