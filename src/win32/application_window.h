// ApplicationWindow: the window that names the program on the task bar.
//
// The task bar labels a program's button with the caption of the top-level
// window that owns the button. The form keeps the caption "Form1", so it is
// owned by this window instead, whose caption is the application title: an
// owned window gets no button of its own. This window has no size, lies off
// the screen and is never seen; it passes activation on to the form, and the
// two minimise and restore together.
#pragma once

#include <windows.h>

#include <string>

namespace ferry::win32 {

class ApplicationWindow {
 public:
  ApplicationWindow() = default;
  ~ApplicationWindow() { Destroy(); }
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  // Creates the window, shown, with `title` as its caption.
  bool Create(const std::wstring& title);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

  // The form that this window owns and stands for.
  void SetForm(HWND form) { form_ = form; }
  // To be called when the form has been minimised: the form hides, and the
  // button shows the program minimised until it is restored.
  void FormMinimized();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  HWND form_ = nullptr;
};

}  // namespace ferry::win32
