// The main window created in the test's own process, with a desktop that
// records what the window asks of it and answers message boxes for the user,
// and scripted stand-ins for what a run talks to (articles are written to
// real files).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "guang/random_source.h"
#include "net/file_system_win32.h"
#include "scratch_folder.h"
#include "unit/run_fakes.h"

namespace pelrine {

class FakeDesktop final : public Desktop {
 public:
  int Message(HWND, const std::string& text, const std::string& title, UINT) override {
    messages.push_back(title + "|" + text);
    if (during_message) std::exchange(during_message, nullptr)();
    return answer;
  }
  std::optional<std::string> Input(HWND, const std::string& prompt, const std::string& title,
                                   const std::string& initial) override {
    inputs.push_back(title + "|" + prompt + "|" + initial);
    return input_answer;
  }
  std::optional<std::string> ChooseFile(HWND, const FileChoice& choice) override {
    file_choices.push_back((choice.save ? "save|" : "open|") + choice.title + "|" + choice.filter +
                           "|" + choice.default_extension);
    return file_answer;
  }
  void ChooseFolder(HWND edit_box) override { chosen_for.push_back(edit_box); }
  void OpenFolderInExplorer(const std::string& path) override { explored.push_back(path); }
  void OpenInBrowser(const std::string& address) override { opened.push_back(address); }
  void ShowPreview(HWND, const std::string& content, const std::string& directory,
                   const std::string& title) override {
    previews.push_back(title + "|" + directory + "|" + content);
  }
  void ShowHelpPage(HWND) override { ++help_pages; }

  int answer = IDOK;
  std::function<void()> during_message;                  // what the user does while a box is open
  std::optional<std::string> input_answer, file_answer;  // nothing: the user cancels
  std::vector<std::string> messages, explored, opened, previews, inputs, file_choices;
  std::vector<HWND> chosen_for;
  int help_pages = 0;
};

// The window's events, and what the user does while a run waits for them.
class UserDuringRun final : public EventPump {
 public:
  void ProcessEvents() override {
    if (window && window->Window()) window->ProcessEvents();
    if (action) std::exchange(action, nullptr)();
  }
  MainWindow* window = nullptr;
  std::function<void()> action;  // done once, at the next wait
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

  // The user's actions. Where a test looks at the keyboard focus, it does so
  // before the window's events are handled: another test's window may take
  // the focus away at any moment in between.
  void Click(ControlId id) const;
  void ClickPicture(ControlId id) const;  // a picture box or hyperlink
  void Choose(ControlId list, int index) const;
  void Focus(ControlId id) const;  // handles no events

  std::string IniLine(const std::string& key) const;

  ScratchFolder folder;
  SettingsStore settings;
  FakeDesktop desktop;
  UserDuringRun user;
  SeededRandom random{7};
  ScriptedShareSource shares{user, random};
  FakeLinks links;
  FakePictures pictures;
  AnsiFileSystem files;
  CountingSleeper sleeper;
  std::unique_ptr<MainWindow> window;
};

}  // namespace pelrine
