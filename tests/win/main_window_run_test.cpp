#include <initializer_list>

#include "main_window_fixture.h"

namespace pelrine {
namespace {

using enum ControlId;

class MainWindowRunTest : public MainWindowTest {
 protected:
  // A window whose save directory lies in the scratch folder, searching "裙"
  // with two shares a file.
  void OpenForRun() {
    Open();
    SetText(编辑框保存目录, folder / "out");
    SetText(编辑框搜索词, "裙");
    SetText(编辑框保存条数, "2");
    SetText(编辑框内容模板, "<p>#描述#</p>");
    SetText(编辑框标题模板, "#标题#");
  }
  std::string Article(const std::string& name) const {
    return ReadWholeFile(folder / ("out\\裙\\" + name));
  }
  bool ArticleExists(const std::string& name) const {
    return GetFileAttributesA((folder / ("out\\裙\\" + name)).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(MainWindowRunTest, CollectRunReadsTheControlsWritesArticlesAndRestoresTheButtons) {
  OpenForRun();
  shares.pages["裙"] = {{1, 2, 3}};
  Click(图形按钮图片);
  Click(图形按钮最新);
  Choose(组合框类目, 5);
  SetText(编辑框评论数, "7");
  SetText(编辑框分隔符, "、");
  bool preview_enabled_during_run = true;
  std::string caption_during_run;
  user.action = [&] {
    preview_enabled_during_run = Enabled(按钮预览效果);
    caption_during_run = Text(按钮采集保存);
  };

  Click(按钮采集保存);

  ASSERT_FALSE(shares.calls.empty());
  const ScriptedShareSource::Call& first = shares.calls[0];
  EXPECT_EQ(first.templates, "<p>#描述#</p>#标题#");
  EXPECT_EQ(first.word, "裙");
  EXPECT_EQ(first.type, 2);
  EXPECT_EQ(first.sort, 2);
  EXPECT_EQ(first.category, 5);
  EXPECT_EQ(first.comment_count, 7);
  EXPECT_EQ(first.tag_separator, "、");
  EXPECT_FALSE(preview_enabled_during_run);
  EXPECT_EQ(caption_during_run, "采集正在初始化..");

  EXPECT_EQ(Article("标题1.htm"), "<p>描述1</p>\r\n<p>描述2</p>\r\n");
  EXPECT_EQ(Article("标题3.htm"), "<p>描述3</p>\r\n");
  EXPECT_EQ(Text(按钮采集保存), "采集保存");
  EXPECT_TRUE(Enabled(按钮预览效果));
  EXPECT_EQ(Text(标签状态), "");
  EXPECT_EQ(desktop.messages,
            std::vector<std::string>{"信息：|采集完成！右击选择目录按钮‘..’可打开保存目录"});
}

TEST_F(MainWindowRunTest, SecondClickStopsTheRunAfterTheCurrentPage) {
  OpenForRun();
  shares.pages["裙"] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  std::string caption_after_stop;
  user.action = [&] {
    Click(按钮采集保存);
    caption_after_stop = Text(按钮采集保存);
  };
  Click(按钮采集保存);
  EXPECT_EQ(caption_after_stop, "采集正在停止中..");
  EXPECT_EQ(shares.calls.size(), 1u);
  EXPECT_TRUE(ArticleExists("标题1.htm"));
  EXPECT_TRUE(ArticleExists("标题3.htm")) << "the pending share is written as a last article";
  EXPECT_FALSE(ArticleExists("标题4.htm"));
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(Text(按钮采集保存), "采集保存");
}

TEST_F(MainWindowRunTest, PreviewRunHandsTheFirstArticleToThePreview) {
  OpenForRun();
  shares.pages["裙"] = {{1, 2, 3}};
  bool collect_enabled_during_run = true;
  user.action = [&] { collect_enabled_during_run = Enabled(按钮采集保存); };
  Click(按钮预览效果);
  EXPECT_FALSE(collect_enabled_during_run);
  ASSERT_EQ(desktop.previews.size(), 1u);
  EXPECT_EQ(desktop.previews[0],
            "标题1|" + folder / "out\\裙\\" + "|<p>描述1</p>\r\n<p>描述2</p>\r\n<p>描述3</p>\r\n");
  EXPECT_FALSE(ArticleExists("标题1.htm"));
  EXPECT_EQ(Text(按钮预览效果), "预览效果");
  EXPECT_TRUE(Enabled(按钮采集保存));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowRunTest, ClosingDuringARunStopsItThenSavesOnceAndEnds) {
  struct Case {
    const char* how;
    UINT message;
    LPARAM tray_event;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"close button", WM_CLOSE, 0},
           {"quit from the tray", WM_APP + 1, WM_RBUTTONUP},
       }) {
    DeleteFileA(settings.File().c_str());
    desktop.messages.clear();
    shares.calls.clear();
    OpenForRun();
    SetText(编辑框搜索词, "裙|衫");
    shares.pages["裙"] = {{1, 2, 3}, {4, 5, 6}};
    bool hidden_at_once = false, alive_during_run = false;
    user.action = [&] {
      SendMessageA(window->Window(), c.message, 1, c.tray_event);
      hidden_at_once = !IsWindowVisible(window->Window());
      alive_during_run = IsWindow(window->Window());
    };
    Click(按钮采集保存);

    EXPECT_TRUE(hidden_at_once) << c.how;
    EXPECT_TRUE(alive_during_run) << c.how;
    EXPECT_EQ(window->Window(), nullptr) << c.how << ": the window is gone after the run";
    EXPECT_EQ(shares.calls.size(), 1u) << c.how << ": no page and no word after the stop";
    EXPECT_TRUE(ArticleExists("标题3.htm")) << c.how;
    EXPECT_EQ(IniLine("搜索词"), "搜索词=裙|衫") << c.how;
    const std::vector<std::string> asked =
        c.message == WM_CLOSE ? std::vector<std::string>{}
                              : std::vector<std::string>{"信息：|确实要结束程序吗？"};
    EXPECT_EQ(desktop.messages, asked) << c.how << ": no completion message";
  }
}

}  // namespace
}  // namespace pelrine
