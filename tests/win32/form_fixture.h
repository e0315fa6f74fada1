// A TForm1 in the test's own process, with its messages recorded, its
// browse dialog answered by the test, and its settings file and output
// directory in a temporary directory.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "win32/controls.h"
#include "win32/form.h"

namespace ferry::win32 {

struct ShownMessage {
  std::wstring title;
  std::wstring text;
  bool operator==(const ShownMessage&) const = default;
};
void PrintTo(const ShownMessage& message, std::ostream* out);

class FormTest : public ::testing::Test {
 protected:
  void TearDown() override { form_.reset(); }

  // Creates and shows the window, which restores the settings file.
  void Open();
  HWND Form() const { return form_->hwnd(); }
  HWND Control(int id) const { return GetDlgItem(Form(), id); }
  bool IsOpen() const { return form_->IsOpen(); }

  void SetText(int id, const std::string& utf8);
  std::string Text(int id) const;
  bool Checked(int id) const { return IsDlgButtonChecked(Form(), id) == BST_CHECKED; }
  void SetChecked(int id, bool on) { CheckDlgButton(Form(), id, on ? BST_CHECKED : BST_UNCHECKED); }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  void Close() { SendMessageW(Form(), WM_CLOSE, 0, 0); }
  // Handles what is queued, as the program's loop does.
  void Pump();

  // A settings file's lines, whatever its encoding (the Windows-directory file by
  // default).
  std::vector<std::string> SettingsLines() const { return SettingsLines(settings_); }
  std::vector<std::string> SettingsLines(const std::string& file) const;
  void WriteSettings(const std::string& bytes) const { testing::WriteFile(settings_, bytes); }

  testing::TempDir dir_;
  // The Windows-directory settings file, in the test's stand-in for the Windows
  // directory, and the per-user one, whose folder does not exist yet.
  std::string settings_ = dir_.File("Ferry.INI");
  std::string user_settings_ = dir_.File("AppData\\Ferry\\Ferry.INI");
  std::wstring font_face_ = kFontFace;
  int font_points_ = kFontPoints;
  std::vector<ShownMessage> messages_;
  std::vector<BrowseRequest> browse_requests_;
  std::optional<std::wstring> browse_answer_;
  std::unique_ptr<TForm1> form_;
};

// "(1280x1024)": the suffix of per-screen keys on this display.
std::string ScreenSuffix();
RECT WindowRect(HWND hwnd);
// A control's rectangle inside the window's client area.
RECT RectInForm(HWND form, HWND control);

}  // namespace ferry::win32
