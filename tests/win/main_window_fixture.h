// The main window created in the test's own process, with a desktop that
// records what the window asks of it and answers message boxes for the user.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "scratch_folder.h"

namespace pelrine {

class FakeDesktop final : public Desktop {
 public:
  int Message(HWND, const std::string& text, const std::string& title, UINT) override {
    messages.push_back(title + "|" + text);
    if (during_message) std::exchange(during_message, nullptr)();
    return answer;
  }
  void ChooseFolder(HWND edit_box) override { chosen_for.push_back(edit_box); }
  void OpenFolderInExplorer(const std::string& path) override { explored.push_back(path); }
  void OpenInBrowser(const std::string& address) override { opened.push_back(address); }
  void ShowHelpPage(HWND) override { ++help_pages; }

  int answer = IDOK;
  std::function<void()> during_message;  // what the user does while a box is open
  std::vector<std::string> messages, explored, opened;
  std::vector<HWND> chosen_for;
  int help_pages = 0;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { settings.SetFile(folder / "pelrine.ini"); }
  ~MainWindowTest() override;

  // Creates and shows the window over the program directory `directory`
  // ("" for the scratch folder).
  void Open(const std::string& directory = "");
  // Closes the window as the user does; it saves its settings.
  void Close();

  HWND Handle(ControlId id) const { return window->Controls()[id]; }
  std::string Text(ControlId id) const { return window->Controls().Text(id); }
  void SetText(ControlId id, const std::string& text) const {
    window->Controls().SetText(id, text);
  }
  bool Checked(ControlId id) const { return window->Controls().Checked(id); }
  bool Enabled(ControlId id) const { return window->Controls().Enabled(id); }
  bool Shown(ControlId id) const { return window->Controls().Shown(id); }
  int Selection(ControlId id) const { return window->Controls().Selection(id); }

  // The user's actions.
  void Click(ControlId id) const;
  void ClickPicture(ControlId id) const;  // a picture box or hyperlink
  void Choose(ControlId list, int index) const;
  void Focus(ControlId id) const;

  std::string IniLine(const std::string& key) const;

  ScratchFolder folder;
  SettingsStore settings;
  FakeDesktop desktop;
  std::unique_ptr<MainWindow> window;
};

}  // namespace pelrine
