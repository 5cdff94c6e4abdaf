#include "app/main_window.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace pelrine {
namespace {

TEST(MainWindowProbe, Shows) {
  ScratchFolder folder;
  SettingsStore settings;
  settings.SetFile(folder / "pelrine.ini");
  SystemDesktop desktop;
  MainWindow window({settings, folder.Path(), {}, {}, desktop});
  ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
  EXPECT_FALSE(IsWindowVisible(window.Window()));
  SetLastError(0);
  BOOL was = ShowWindow(window.Window(), SW_SHOWNORMAL);
  printf("was=%d err=%lu style=%lx parent=%p\n", was, GetLastError(), (unsigned long)GetWindowLongPtrA(window.Window(), GWL_STYLE), (void*)GetParent(window.Window()));
  EXPECT_TRUE(IsWindowVisible(window.Window()));
  window.ProcessEvents();
  EXPECT_TRUE(IsWindowVisible(window.Window()));
}

}  // namespace
}  // namespace pelrine
