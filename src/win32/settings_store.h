// SettingsStore: the window's placement and its six input values, kept in a
// settings file of section "TForm1" through the Win32 profile functions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ferry::win32 {

class SettingsStore {
 public:
  // `file` as the profile functions take it: a name without a directory
  // lives in the Windows directory.
  explicit SettingsStore(std::wstring file) : file_(std::move(file)) {}

  // Sets the placement of `form` (still hidden) and its controls from the
  // file; returns the show state to show it with (SW_SHOWNORMAL,
  // SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED).
  int Restore(HWND form) const;
  // Writes the placement and the controls; false when the file could not be
  // written. `visible` is the value of "Visible".
  bool Save(HWND form, bool visible) const;

  // The file's name, without a directory, as failure messages give it.
  std::wstring DisplayName() const;

 private:
  std::optional<std::wstring> Read(const std::wstring& key) const;
  // The key for the present screen size first, then the plain key.
  std::optional<std::wstring> ReadPerScreen(const std::wstring& key) const;
  bool Write(const std::wstring& key, const std::wstring& value) const;
  void RestorePlacement(HWND form) const;
  void RestoreControls(HWND form) const;
  bool CreateUnicodeFile() const;

  std::wstring file_;
};

}  // namespace ferry::win32
