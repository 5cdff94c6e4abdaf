#include "run/run_buttons.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"
#include "run_fakes.h"

namespace pelrine {
namespace {

class RunButtonsTest : public ::testing::Test, protected FakeRunParts {
 protected:
  RunButtonsTest() { files.directories = {"C:\\out"}; }

  RunButtons buttons{Services()};
};

TEST_F(RunButtonsTest, CollectDisablesPreviewForItsDuration) {
  bool running = false;
  window.on_events = [&] { running = buttons.Running(); };
  buttons.OnCollectClick();
  EXPECT_TRUE(running);
  EXPECT_FALSE(buttons.Running());
  EXPECT_EQ(window.preview_enabled, (std::vector<bool>{false, true}));
  EXPECT_TRUE(window.collect_enabled.empty());
  EXPECT_EQ(window.messages.size(), 1u);  // also when nothing was found
}

TEST_F(RunButtonsTest, SecondPreviewClickStopsThePreview) {
  window.search_words = "a|b";
  window.on_events = [&] {
    if (source.calls.size() == 1 && window.preview_caption != "停止中..") buttons.OnPreviewClick();
  };
  buttons.OnPreviewClick();
  EXPECT_EQ(source.calls.size(), 3u);  // page 1 of "a" with its attempts, then the stop
  EXPECT_EQ(window.preview_captions,
            (std::vector<std::string>{"初始化..", "停止中..", "预览效果"}));
  EXPECT_EQ(window.collect_enabled, (std::vector<bool>{false, true}));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunButtonsTest, RequestStopEndsTheRunAtItsNextCheck) {
  source.pages = {{"w", {{1, 2}, {3, 4}}}};
  window.on_events = [&] { buttons.RequestStop(); };
  buttons.OnCollectClick();
  EXPECT_EQ(source.calls.size(), 1u);
  EXPECT_EQ(files.files.count("C:\\out\\标题1.htm"), 1u);  // the pending shares are written
  EXPECT_EQ(window.collect_caption, "采集保存");
}

TEST_F(RunButtonsTest, ANewRunClearsAnEarlierStop) {
  source.pages = {{"w", {{1, 2}}}};
  window.on_events = [&] { buttons.RequestStop(); };
  buttons.OnCollectClick();
  window.on_events = nullptr;
  files.files.clear();
  buttons.OnCollectClick();
  EXPECT_EQ(files.files.count("C:\\out\\标题1.htm"), 1u);
}

}  // namespace
}  // namespace pelrine
