#include "win32/application_window.h"

#include "win32/icon.h"
#include "win32/window_object.h"

namespace ferry::win32 {

namespace {

constexpr wchar_t kClassName[] = L"FerryApplication";
constexpr int kOffScreen = -32000;

}  // namespace

bool ApplicationWindow::Create(const std::wstring& title) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LargeIcon();
  window_class.hIconSm = SmallIcon();
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  // Visible, so that it has the button, but of no size and off the screen,
  // so that it is never seen (Wine draws an empty window as one pixel). The
  // system menu and minimise box serve the button's menu.
  CreateWindowExW(0, kClassName, title.c_str(),
                  WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kOffScreen,
                  kOffScreen, 0, 0, nullptr, nullptr, instance, this);
  return hwnd_ != nullptr;
}

void ApplicationWindow::Destroy() {
  form_ = nullptr;
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void ApplicationWindow::FormMinimized() {
  if (form_ == nullptr) return;
  ShowWindow(form_, SW_HIDE);
  if (!IsIconic(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
}

LRESULT CALLBACK ApplicationWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  ApplicationWindow* self = WindowObject(hwnd, message, lparam, &ApplicationWindow::hwnd_);
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(hwnd, message, wparam, lparam);
}

LRESULT ApplicationWindow::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      // Activated from the button or with Alt+Tab: the user means the form,
      // or the dialog that it shows.
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam) && form_ != nullptr &&
          IsWindowVisible(form_)) {
        HWND target = GetLastActivePopup(form_);
        if (!IsWindowVisible(target) || !IsWindowEnabled(target)) target = form_;
        SetActiveWindow(target);
        return 0;
      }
      break;
    case WM_SIZE:
      // Minimised or restored from the button: the form follows.
      if (form_ == nullptr) break;
      if (wparam == SIZE_MINIMIZED && !IsIconic(form_)) ShowWindow(form_, SW_SHOWMINNOACTIVE);
      if (wparam == SIZE_RESTORED && IsIconic(form_)) ShowWindow(form_, SW_RESTORE);
      return 0;
    case WM_CLOSE:
      // Closing the program from the button is closing the form.
      if (form_ == nullptr) break;
      SendMessageW(form_, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      form_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace ferry::win32
