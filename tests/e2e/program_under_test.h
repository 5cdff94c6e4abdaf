// The real program, started by the driver as a process of its own: its main
// window and controls found by their ids, texts typed and read, clicks and
// message boxes answered, all through messages between the processes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/control_ids.h"
#include "net/handles_win32.h"

namespace e2e {

using pelrine::ControlId;

// A message box of the program: its window, title and message text.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title, text;
};

class ProgramUnderTest {
 public:
  // Ends the program if a case left it running.
  ~ProgramUnderTest();

  // Starts `path` in its own directory and waits for its main window (title
  // beginning "Pelrine v2.2"); false when it does not come.
  bool Start(const std::string& path);
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_id_; }

  HWND Control(ControlId id) const;
  std::string Text(ControlId id) const;
  // Replaces the control's text, as typing it would leave it.
  void Type(ControlId id, std::string_view text) const;
  // A click as the user makes it; posted, so that a run it starts does not
  // hold the driver.
  void Click(ControlId id) const;
  // Selects the entry of a drop-down list and tells its owner.
  void Choose(ControlId id, int index) const;
  bool Checked(ControlId id) const;
  bool Enabled(ControlId id) const;
  bool Shown(ControlId id) const;  // the control's own visibility
  int Selection(ControlId id) const;

  // The program's visible top-level windows of a window class.
  std::vector<HWND> WindowsOfClass(const char* class_name) const;
  // Waits for a message box of the program.
  bool WaitForMessageBox(MessageBoxSeen& seen, int seconds) const;
  // Presses a message box's button (IDOK, IDCANCEL, ...) and waits for it to go.
  bool Answer(const MessageBoxSeen& box, int button) const;

  // Asks the main window to close, as its close box does.
  void Close() const;
  // Waits for the process to end; its exit code in `exit_code`.
  bool WaitForExit(int seconds, DWORD& exit_code);
  // Saves a picture of the window as it is on the screen (a 24-bit BMP).
  bool SaveWindowPicture(HWND window, const std::string& path) const;

 private:
  pelrine::UniqueHandle process_;
  DWORD process_id_ = 0;
  HWND window_ = nullptr;
};

// The text of a window of any process (WM_GETTEXT); "" when it does not answer.
std::string WindowTextOf(HWND window);
// Whether a process whose program file is named `name` is running.
bool ProcessRunning(const char* name);

}  // namespace e2e
