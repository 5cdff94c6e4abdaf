// The end-to-end cases of the driver. Each drives the real program in its
// case folder, which tests/e2e/run prepared (a copy of the program and its
// settings file), checks what the window shows and leaves the files for the
// script to check.
#pragma once

#include <string>
#include <string_view>

#include "check_log.h"
#include "program_under_test.h"

namespace e2e {

struct CaseContext {
  std::string program;   // the program file in the case folder (a Windows path)
  std::string pictures;  // the folder for pictures of the windows
  CheckLog log;
};

// Starts the program and checks that its main window comes.
bool StartProgram(ProgramUnderTest& program, CaseContext& context);
// Checks that the program ends cleanly, without a message box, and that no
// copy of it stays behind.
void CheckEnded(ProgramUnderTest& program, CaseContext& context);
// Closes the main window, then CheckEnded.
void CloseProgram(ProgramUnderTest& program, CaseContext& context);
// Waits until the clicks posted so far have been handled (by toggling the
// insert-word group, which the program does on the same queue).
bool WaitForPostedClicks(const ProgramUnderTest& program);
// Saves a picture of `window` as <pictures>\<name>.bmp.
void SavePicture(const ProgramUnderTest& program, HWND window, std::string_view name,
                 CaseContext& context);

void FirstStartCase(CaseContext& context);
void SettingsKeptCase(CaseContext& context);
void SaveFailsCase(CaseContext& context);
void OddSettingsCase(CaseContext& context);
void HelpPageCase(CaseContext& context);
void PreviewRunCase(CaseContext& context);
void CollectRunCase(CaseContext& context);
void StopRunCase(CaseContext& context);
void CloseDuringRunCase(CaseContext& context);

}  // namespace e2e
