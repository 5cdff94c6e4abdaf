#include "cases.h"
#include "wait_until.h"

namespace e2e {

bool StartProgram(ProgramUnderTest& program, CaseContext& context) {
  return context.log.Check(program.Start(context.program),
                           "the program starts and shows its main window");
}

void CloseProgram(ProgramUnderTest& program, CaseContext& context) {
  program.Close();
  CheckEnded(program, context);
}

void CheckEnded(ProgramUnderTest& program, CaseContext& context) {
  DWORD exit_code = 0;
  const bool ended = program.WaitForExit(60, exit_code);
  if (!ended) {
    MessageBoxSeen box;
    if (program.WaitForMessageBox(box, 0))
      context.log.Note("a message box is open: " + box.title + " " + box.text);
  }
  context.log.Check(ended, "closing the main window ends the program");
  if (ended) context.log.Check(exit_code == 0, "the program ends with exit code 0");
  context.log.Check(!ProcessRunning("pelrine.exe"), "no pelrine.exe process is left");
}

bool WaitForPostedClicks(const ProgramUnderTest& program) {
  using enum pelrine::ControlId;
  const bool at_start = program.Shown(分组框插入词);
  for (const bool shown : {!at_start, at_start}) {
    program.Click(按钮设置插入词);
    if (!WaitUntil([&] { return program.Shown(分组框插入词) == shown; }, 30)) return false;
  }
  return true;
}

void SavePicture(const ProgramUnderTest& program, HWND window, std::string_view name,
                 CaseContext& context) {
  const std::string path = context.pictures + "\\" + std::string(name) + ".bmp";
  if (!program.SaveWindowPicture(window, path)) context.log.Note("no picture saved: " + path);
}

}  // namespace e2e
