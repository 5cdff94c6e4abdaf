#include "app/desktop.h"

#include <utility>

#include "app/input_box.h"
#include "app/shell_helpers.h"

namespace pelrine {

SystemDesktop::SystemDesktop(std::string program_directory)
    : program_directory_(std::move(program_directory)) {}

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

void SystemDesktop::ShowPreview(HWND owner, const std::string& content,
                                const std::string& directory, const std::string& title) {
  preview_.ShowPreview(owner, content, directory, title);
}

void SystemDesktop::ShowHelpPage(HWND owner) { preview_.ShowHelpPage(owner, program_directory_); }

}  // namespace pelrine
