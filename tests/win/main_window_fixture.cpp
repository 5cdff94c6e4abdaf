#include "main_window_fixture.h"

namespace pelrine {
namespace {

// Handles what the window posted to itself and drops a quit request.
void Settle(MainWindow* window) {
  if (window && window->Window()) window->ProcessEvents();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

MainWindowTest::~MainWindowTest() {
  window.reset();
  Settle(nullptr);
}

void MainWindowTest::Open(const std::string& directory) {
  window.reset();
  Settle(nullptr);
  window = std::make_unique<MainWindow>(
      MainWindowSetup{settings,
                      directory.empty() ? folder.Path() : directory,
                      {},
                      {},
                      desktop,
                      {shares, links, pictures, files, random, sleeper}});
  user.window = window.get();
  ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr)));
  ShowWindow(window->Window(), SW_SHOW);
  SetForegroundWindow(window->Window());
  Settle(window.get());
}

void MainWindowTest::Close() {
  SendMessageA(window->Window(), WM_CLOSE, 0, 0);
  Settle(window.get());
}

void MainWindowTest::Click(ControlId id) const {
  SendMessageA(Handle(id), BM_CLICK, 0, 0);
  Settle(window.get());
}

void MainWindowTest::ClickPicture(ControlId id) const {
  SendMessageA(Handle(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(Handle(id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Settle(window.get());
}

void MainWindowTest::Choose(ControlId list, int index) const {
  SendMessageA(Handle(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(Handle(list)), WM_COMMAND,
               MAKEWPARAM(static_cast<int>(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Handle(list)));
  Settle(window.get());
}

void MainWindowTest::Focus(ControlId id) const { SetFocus(Handle(id)); }

std::string MainWindowTest::IniLine(const std::string& key) const {
  const std::string file = ReadWholeFile(settings.File());
  const size_t at = file.find("\n" + key + "=");
  if (at == std::string::npos) return "<none>";
  return file.substr(at + 1, file.find("\r\n", at + 1) - at - 1);
}

}  // namespace pelrine
