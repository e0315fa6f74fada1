// SettingsStore: the window's placement and its six input values, kept in a
// settings file of section "TForm1" through the Win32 profile functions.
//
// The settings file is named without a directory, so the profile functions
// keep it in the Windows directory, where a program run without elevation
// may not write on any current Windows. So there is a second, per-user file,
// %APPDATA%\Ferry\NAME.INI: it is read when it exists, and written when the
// Windows-directory file cannot be. Both hold the same section, keys and values.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ferry::win32 {

// The per-user settings file for a settings file named `file_name`:
// ROAMING_APP_DATA\Ferry\FILE_NAME; empty when Windows names no such folder.
std::wstring UserSettingsFile(const std::wstring& file_name);

class SettingsStore {
 public:
  // `file` as the profile functions take it: a name without a directory
  // lives in the Windows directory. `user_file`: the per-user file, a full
  // path, or empty for none.
  SettingsStore(std::wstring file, std::wstring user_file)
      : file_(std::move(file)), user_file_(std::move(user_file)) {}

  // Sets the placement of `form` (still hidden) and its controls from the
  // per-user file when it exists, else from the Windows-directory file; returns the
  // show state to show it with (SW_SHOWNORMAL, SW_SHOWMINIMIZED or
  // SW_SHOWMAXIMIZED).
  int Restore(HWND form) const;
  // Writes the placement and the controls to the Windows-directory file; when that
  // fails, to the per-user file, creating its folder. After a write to the
  // Windows-directory file an existing per-user file is written too, so that it never
  // restores older values. False when neither file could be written.
  // `visible` is the value of "Visible".
  bool Save(HWND form, bool visible) const;

  // The file a failed save names: the per-user file's full path, or the
  // Windows-directory file name when there is no per-user file.
  std::wstring FailureName() const;

 private:
  std::wstring file_;
  std::wstring user_file_;
};

}  // namespace ferry::win32
