// Ferry.exe: the window program. It reads no command line.
#include <windows.h>

#include <commctrl.h>

#include "platform/file.h"
#include "platform/paths.h"
#include "platform/win32_text.h"
#include "win32/form.h"
#include "window/window_rules.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::string program = ferry::platform::ProgramPath();
  const std::string file_name(ferry::NamePart(program));
  ferry::win32::FormOptions options;
  options.application_title = ferry::platform::Widen(ferry::ApplicationTitle(file_name));
  options.output_directory = ferry::platform::DirectoryOf(program);
  options.settings_file = ferry::platform::Widen(ferry::SettingsFileName(file_name));
  options.user_settings_file = ferry::win32::UserSettingsFile(options.settings_file);

  ferry::win32::TForm1 form(std::move(options));
  if (!form.Create()) return 1;
  form.Show();
  ferry::win32::RunMessageLoop(form);
  return 0;
}
