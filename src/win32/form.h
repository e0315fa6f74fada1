// TForm1: the program's one window. It holds the inputs of a conversion run
// and the button that performs it.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

#include "win32/application_window.h"
#include "win32/controls.h"
#include "win32/report_error.h"
#include "win32/settings_store.h"

namespace ferry::win32 {

// What the browse dialog opens with.
struct BrowseRequest {
  std::wstring initial_directory;  // empty: the dialog's own choice
  std::wstring file_name;
};
// Shows the dialog; the chosen path, or nothing when the user cancelled.
using BrowseDialog = std::function<std::optional<std::wstring>(HWND owner, const BrowseRequest&)>;

// The real open-file dialog: "Prohlížet", "Source files|*.sca", no
// read-only box, names that do not exist accepted.
std::optional<std::wstring> ShowBrowseDialog(HWND owner, const BrowseRequest& request);

struct FormOptions {
  std::wstring application_title;
  // Where the output document goes (UTF-8).
  std::string output_directory;
  // The settings file, as the profile functions take it, and the per-user
  // one that stands in for it when it cannot be written (SettingsStore).
  std::wstring settings_file;
  std::wstring user_settings_file;
  // The font the window asks for; its labels widen to fit the font that it
  // gets. Tests ask for a wider one.
  std::wstring font_face = kFontFace;
  int font_points = kFontPoints;
  MessageSink show_message = ShowErrorBox;
  BrowseDialog browse = ShowBrowseDialog;
};

class TForm1 {
 public:
  explicit TForm1(FormOptions options);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the application window, which owns the task-bar button, and
  // then the form, owned by it, hidden, with its starting values.
  bool Create();
  // Shows the window; the first time, the stored settings are restored
  // before it appears, and the show state comes from them.
  void Show();
  HWND hwnd() const { return hwnd_; }
  // Whether the window still exists.
  bool IsOpen() const { return hwnd_ != nullptr; }
  // Lets the dialog manager handle Tab and the like; true when it did.
  bool PreTranslate(MSG* message) const;

  void Button1Click();
  void Browse();
  void ReportError(std::string_view message, HWND owner) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void Layout(UINT dpi);
  void FitLabels(HFONT font, UINT dpi);
  void OnDropFiles(HDROP drop);
  void OnClose();
  void OnDestroy();
  void ReportSaveFailure(HWND owner);
  std::wstring ControlText(int id) const;
  bool Checked(int id) const;

  FormOptions options_;
  SettingsStore store_;
  ApplicationWindow app_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HWND last_focus_ = nullptr;
  std::wstring browse_directory_;
  bool restored_ = false;
  bool saved_ = false;
  bool save_failure_reported_ = false;
};

// Handles messages until `form` is destroyed.
void RunMessageLoop(const TForm1& form);

}  // namespace ferry::win32
