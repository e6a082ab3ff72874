#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Move-only owners of Windows handles, one line per kind.
namespace tavrin::win32 {

template <typename Handle, auto Release>
struct HandleDeleter {
  using pointer = Handle;
  void operator()(Handle handle) const noexcept {
    if (handle != nullptr) Release(handle);
  }
};

template <typename Handle, auto Release>
using UniqueHandle =
    std::unique_ptr<std::remove_pointer_t<Handle>,
                    HandleDeleter<Handle, Release>>;

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueRegion = UniqueHandle<HRGN, &::DeleteObject>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &::DeleteObject>;
using UniqueMemoryDc = UniqueHandle<HDC, &::DeleteDC>;
using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniquePen = UniqueHandle<HPEN, &::DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, &::UnhookWinEvent>;

}  // namespace tavrin::win32
