#include "app/desktop.h"

#include "app/input_box.h"
#include "app/shell_helpers.h"

namespace pelrine {

int SystemDesktop::Message(HWND owner, const std::string& text, const std::string& title,
                           UINT buttons) {
  return MessageBoxA(owner, text.c_str(), title.c_str(), buttons | MB_APPLMODAL);
}

std::optional<std::string> SystemDesktop::Input(HWND owner, const std::string& prompt,
                                                const std::string& title,
                                                const std::string& initial) {
  return InputBox(owner, prompt, title, initial);
}

std::optional<std::string> SystemDesktop::ChooseFile(HWND owner, const FileChoice& choice) {
  return pelrine::ChooseFile(owner, choice);
}

void SystemDesktop::ChooseFolder(HWND edit_box) { pelrine::ChooseFolder(edit_box); }

void SystemDesktop::OpenFolderInExplorer(const std::string& path) {
  pelrine::OpenFolderInExplorer(path);
}

void SystemDesktop::OpenInBrowser(const std::string& address) { pelrine::OpenInBrowser(address); }

void SystemDesktop::ShowPreview(HWND owner, const std::string& content, const std::string&,
                                const std::string& title) {
  MessageBoxA(owner, content.c_str(), title.c_str(), MB_OK | MB_APPLMODAL);
}

void SystemDesktop::ShowHelpPage(HWND owner) {
  MessageBoxA(owner, "把鼠标停在任何一个控件上，就能看到它的说明。", "操作帮助",
              MB_OK | MB_APPLMODAL);
}

}  // namespace pelrine
