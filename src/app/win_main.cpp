// Program entry: binds the settings file in the program directory, creates
// the main window with everything a run talks to, and runs the message loop
// until the window is closed.
#include <windows.h>
// (the headers below build on windows.h)
#include <commctrl.h>

#include <string>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/settings.h"
#include "app/win32_handles.h"
#include "guang/guang_client.h"
#include "net/file_system_win32.h"
#include "net/wininet_transport.h"

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

// The link services of a build without them: every buy link becomes the
// fallback promotion link, and no shortening succeeds.
class FallbackLinks final : public pelrine::LinkConverter {
 public:
  explicit FallbackLinks(std::string fallback) : fallback_(std::move(fallback)) {}
  std::string AffiliateLink(std::string_view, std::string_view, std::string_view, std::string_view,
                            std::string_view, std::string_view) override {
    return fallback_;
  }
  std::string ShortenWithDwz(std::string_view) override { return ""; }
  std::string ShortenWithCnzz(std::string_view) override { return ""; }
  std::string ShortenWithInterface(std::string_view, const pelrine::ShortUrlInterface&) override {
    return "";
  }

 private:
  std::string fallback_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const pelrine::ole_session ole;  // the folder chooser's dialog style needs it
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);

  const std::string directory = ProgramDirectory();
  pelrine::SettingsStore settings;
  settings.SetFile(pelrine::SettingsFilePath(directory));
  const pelrine::ServiceHosts hosts = pelrine::ReadServiceHosts(settings.File());

  pelrine::MessagePump events;
  pelrine::WinInetTransport transport(events);
  pelrine::PagePictureFetch pictures(transport);
  pelrine::AnsiFileSystem files;
  pelrine::SeededRandom random(pelrine::ClockSeed());
  pelrine::ThreadSleeper sleeper;
  pelrine::GuangClient shares(transport, hosts, random);
  FallbackLinks links(hosts.promotion_link);

  pelrine::SystemDesktop desktop(directory);
  pelrine::MainWindow window(
      {settings, directory, hosts, {}, desktop, {shares, links, pictures, files, random, sleeper}});
  if (!window.Create(instance)) return 1;
  events.SetDialog(window.Window());
  ShowWindow(window.Window(), show);
  UpdateWindow(window.Window());
  return pelrine::RunMessageLoop(window.Window());
}
