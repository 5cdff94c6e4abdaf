// Program entry: binds the settings file in the program directory, creates
// the main window and runs the message loop until the window is closed.
#include <windows.h>
// (the headers below build on windows.h)
#include <commctrl.h>

#include <string>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/settings.h"
#include "app/win32_handles.h"

namespace {

// The directory of the program file, without a trailing backslash.
std::string ProgramDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const pelrine::ole_session ole;  // the folder chooser's dialog style needs it
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);

  const std::string directory = ProgramDirectory();
  pelrine::SettingsStore settings;
  settings.SetFile(pelrine::SettingsFilePath(directory));
  pelrine::SystemDesktop desktop;
  pelrine::MainWindow window(
      {settings, directory, pelrine::ReadServiceHosts(settings.File()), {}, desktop});
  if (!window.Create(instance)) return 1;
  ShowWindow(window.Window(), show);
  UpdateWindow(window.Window());
  return pelrine::RunMessageLoop(window.Window());
}
