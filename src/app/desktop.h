// What the main window asks of the desktop around it: message boxes, the
// folder chooser, explorer, the browser, the preview window and the help
// page. The program uses the system's; tests answer for the user.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/file_dialogs.h"
#include "app/preview_window.h"

namespace pelrine {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A message box modal to `owner`; the button chosen (IDOK, IDCANCEL, ...).
  virtual int Message(HWND owner, const std::string& text, const std::string& title,
                      UINT buttons) = 0;
  // A modal input box; the text entered, or nothing when cancelled.
  virtual std::optional<std::string> Input(HWND owner, const std::string& prompt,
                                           const std::string& title,
                                           const std::string& initial) = 0;
  // An open or save file dialog; the path chosen, or nothing when cancelled.
  virtual std::optional<std::string> ChooseFile(HWND owner, const FileChoice& choice) = 0;
  virtual void ChooseFolder(HWND edit_box) = 0;
  virtual void OpenFolderInExplorer(const std::string& path) = 0;
  virtual void OpenInBrowser(const std::string& address) = 0;
  // Opens the preview window owned by `owner` on an article: its title, its
  // HTML and the directory (ending in "\") its pictures are relative to.
  virtual void ShowPreview(HWND owner, const std::string& content, const std::string& directory,
                           const std::string& title) = 0;
  virtual void ShowHelpPage(HWND owner) = 0;
};

class SystemDesktop final : public Desktop {
 public:
  // `program_directory` (without the final "\\") holds the help page's
  // temporary file.
  explicit SystemDesktop(std::string program_directory);
  int Message(HWND owner, const std::string& text, const std::string& title, UINT buttons) override;
  std::optional<std::string> Input(HWND owner, const std::string& prompt, const std::string& title,
                                   const std::string& initial) override;
  std::optional<std::string> ChooseFile(HWND owner, const FileChoice& choice) override;
  void ChooseFolder(HWND edit_box) override;
  void OpenFolderInExplorer(const std::string& path) override;
  void OpenInBrowser(const std::string& address) override;
  void ShowPreview(HWND owner, const std::string& content, const std::string& directory,
                   const std::string& title) override;
  void ShowHelpPage(HWND owner) override;

 private:
  std::string program_directory_;
  PreviewWindow preview_{SystemBrowserView()};
};

}  // namespace pelrine
