// A window procedure reaches its C++ object through GWLP_USERDATA, which is
// set from the create parameter when the window is first created.
#pragma once

#include <windows.h>

namespace ferry::win32 {

// The object of `hwnd`, attached at WM_NCCREATE (its `handle` member set to
// the window); null for the few messages that come before.
template <typename T>
T* WindowObject(HWND hwnd, UINT message, LPARAM lparam, HWND T::*handle) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    object->*handle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace ferry::win32
