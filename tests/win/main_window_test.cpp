#include <windows.h>
// (the headers below build on windows.h)
#include <commctrl.h>

#include <cstring>
#include <initializer_list>

#include "main_window_fixture.h"

namespace pelrine {
namespace {

using enum ControlId;

BOOL CALLBACK NoteTooltipWindow(HWND candidate, LPARAM found) {
  char name[64] = {};
  GetClassNameA(candidate, name, sizeof name);
  if (std::string(name) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = candidate;
  return TRUE;
}

TEST_F(MainWindowTest, FirstStartShowsTheInitialValues) {
  Open();
  struct TextCase {
    ControlId id;
    std::string text;
  };
  for (const TextCase& c : std::initializer_list<TextCase>{
           {编辑框评论数, "10"},
           {编辑框分隔符, ","},
           {编辑框标题模板, "《#专辑#》#随机一句#"},
           {编辑框搜索词, "连衣裙|女装"},
           {编辑框保存目录, "C:\\Pelrine"},
           {编辑框扩展名, "htm"},
           {编辑框采集条数, "0"},
           {编辑框保存条数, "1"},
           {编辑框图片目录名, "img"},
           {编辑框词1, "aaa\r\nbbb\r\nccc\r\nDDD\r\nEEE\r\nFFF\r\nGGG\r\n一行一个词"},
           {编辑框词2, "111\r\n222\r\n333\r\n444\r\n555\r\n666\r\n777\r\n一行一个词"},
           {编辑框钥匙, "58316047"},
           {编辑框密码, "9f4be07c15d2a86e3b71c0d94a5e2f68"},
           {编辑框pid, "76502913"},
           {编辑框接口地址, "http://dwz.cn/create.php"},
           {编辑框POST数据, "url=#网址#&alias=&access_type=web"},
           {编辑框左边字符, "{\"tinyurl\":\""},
           {编辑框右边字符, "\""},
           {编辑框欲替换, "\\/"},
           {编辑框替换为, "/"},
           {按钮设置淘链, "设置淘链"},
           {按钮设置接口, "设置接口"},
           {按钮设置插入词, "设置插入词"},
           {按钮预览效果, "预览效果"},
           {按钮采集保存, "采集保存"},
           {标签状态, ""},
       })
    EXPECT_EQ(Text(c.id), c.text) << static_cast<int>(c.id);

  const std::string content = Text(编辑框内容模板);
  EXPECT_EQ(content.size(), 581u);
  EXPECT_EQ(content.rfind("【#昵称#】在#日期#发布了一张图片", 0), 0u);

  struct StateCase {
    ControlId id;
    bool enabled;
  };
  for (const StateCase& c : std::initializer_list<StateCase>{
           {图形按钮全部, false},
           {图形按钮宝贝, true},
           {图形按钮图片, true},
           {图形按钮文章, true},
           {图形按钮最热, false},
           {图形按钮最新, true},
           {组合框标题位置, false},
           {编辑框图片目录名, false},
           {按钮设置淘链, false},
           {编辑框POST数据, true},
           {编辑框欲替换, true},
           {编辑框替换为, true},
           {按钮采集保存, true},
           {按钮预览效果, true},
       })
    EXPECT_EQ(Enabled(c.id), c.enabled) << static_cast<int>(c.id);

  EXPECT_EQ(window->ShareTypeTag(), "0");
  EXPECT_EQ(window->RankingTag(), "1");
  EXPECT_EQ(Selection(组合框类目), 0);
  EXPECT_EQ(Selection(组合框标题位置), 0);
  EXPECT_EQ(Selection(组合框短网址选项), 0);
  EXPECT_EQ(Selection(组合框调用模式), 1);
  EXPECT_EQ(Selection(组合框URL编码), 1);
  EXPECT_TRUE(Checked(选择框独立目录保存));
  EXPECT_TRUE(Checked(选择框替换));
  for (ControlId box : {选择框插入标题, 选择框随机互换位置, 选择框自动下载图片到本地,
                        选择框转换淘宝客链接, 选择框逆向})
    EXPECT_FALSE(Checked(box)) << static_cast<int>(box);
  for (ControlId group : {分组框插入词, 分组框设置淘链, 分组框设置接口}) EXPECT_FALSE(Shown(group));
  EXPECT_EQ(GetFileAttributesA(settings.File().c_str()), INVALID_FILE_ATTRIBUTES)
      << "nothing is written at start";
}

TEST_F(MainWindowTest, CategoriesAreTheSplitListWithTheirBlanks) {
  Open();
  HWND list = Handle(组合框类目);
  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 21);
  const auto item = [&](int index) {
    char text[64] = {};
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return std::string(text);
  };
  EXPECT_EQ(item(0), "全部 ");
  EXPECT_EQ(item(8), "DIY ");
  EXPECT_EQ(item(20), "美发");
}

TEST_F(MainWindowTest, TemplateItemsGoIntoTheBoxThatHadTheFocusLast) {
  struct Case {
    const char* what;
    ControlId focused;  // None: no template box had the focus yet
    ControlId button;
    std::string content, title;  // after the click
  };
  for (const Case& c : std::initializer_list<Case>{
           {"first click goes to the content", None, 按钮图片, "a#图片#b", "xAYz"},
           {"title selection replaced", 编辑框标题模板, 按钮专辑, "ab", "x#专辑#z"},
           {"content after the title", 编辑框内容模板, 按钮插入词2, "a#插入词2#b", "xAYz"},
           {"random sentence always into the title", 编辑框内容模板, 按钮随机一句, "ab",
            "x#随机一句#z"},
       }) {
    Open();
    SetText(编辑框内容模板, "ab");
    SetText(编辑框标题模板, "xAYz");
    SendMessageA(Handle(编辑框内容模板), EM_SETSEL, 1, 1);
    SendMessageA(Handle(编辑框标题模板), EM_SETSEL, 1, 3);
    if (c.focused != None) Focus(c.focused);
    Click(c.button);
    EXPECT_EQ(Text(编辑框内容模板), c.content) << c.what;
    EXPECT_EQ(Text(编辑框标题模板), c.title) << c.what;
  }
}

TEST_F(MainWindowTest, EachTemplateButtonInsertsItsMarkerAndKeepsTheFocusThere) {
  Open();
  const std::initializer_list<std::pair<ControlId, const char*>> buttons = {
      {按钮图片, "#图片#"},      {按钮昵称, "#昵称#"}, {按钮日期, "#日期#"},
      {按钮描述, "#描述#"},      {按钮专辑, "#专辑#"}, {按钮喜欢, "#喜欢#"},
      {按钮鲜花, "#鲜花#"},      {按钮鸡蛋, "#鸡蛋#"}, {按钮标签, "#标签#"},
      {按钮页面, "#页面#"},      {按钮评论, "#评论#"}, {按钮标题, "#标题#"},
      {按钮购买, "#购买#"},      {按钮价格, "#价格#"}, {按钮插入词1, "#插入词1#"},
      {按钮插入词2, "#插入词2#"}};
  SetText(编辑框标题模板, "");
  Focus(编辑框标题模板);
  std::string want;
  for (const auto& [button, marker] : buttons) {
    SendMessageA(Handle(button), BM_CLICK, 0, 0);
    want += marker;
    EXPECT_EQ(GetFocus(), Handle(编辑框标题模板)) << marker;
  }
  EXPECT_EQ(Text(编辑框标题模板), want);
  EXPECT_EQ(window->TemplateTarget(), 编辑框标题模板);
}

TEST_F(MainWindowTest, ShareTypeAndRankingButtonsShowTheChoiceAsDisabled) {
  Open();
  Click(图形按钮图片);
  EXPECT_EQ(window->ShareTypeTag(), "2");
  for (ControlId button : {图形按钮全部, 图形按钮宝贝, 图形按钮文章}) EXPECT_TRUE(Enabled(button));
  EXPECT_FALSE(Enabled(图形按钮图片));
  Click(图形按钮最新);
  EXPECT_EQ(window->RankingTag(), "2");
  EXPECT_TRUE(Enabled(图形按钮最热));
  EXPECT_FALSE(Enabled(图形按钮最新));
}

TEST_F(MainWindowTest, CheckBoxesEnableTheirCompanions) {
  struct Case {
    ControlId check_box;
    std::initializer_list<ControlId> companions;
    bool enabled_at_start;
  };
  Open();
  for (const Case& c : std::initializer_list<Case>{
           {选择框插入标题, {组合框标题位置}, false},
           {选择框自动下载图片到本地, {编辑框图片目录名}, false},
           {选择框转换淘宝客链接, {按钮设置淘链}, false},
           {选择框替换, {编辑框欲替换, 编辑框替换为}, true},
       }) {
    for (bool enabled : {!c.enabled_at_start, c.enabled_at_start}) {
      Click(c.check_box);
      for (ControlId companion : c.companions)
        EXPECT_EQ(Enabled(companion), enabled) << static_cast<int>(companion);
    }
  }
  Choose(组合框调用模式, 0);
  EXPECT_FALSE(Enabled(编辑框POST数据));
  Choose(组合框调用模式, 1);
  EXPECT_TRUE(Enabled(编辑框POST数据));
}

TEST_F(MainWindowTest, AffiliateAndInterfaceGroupsOpenAndCloseTogether) {
  Open();
  Click(选择框转换淘宝客链接);

  // Opening with any option but the custom interface leaves its button off.
  Choose(组合框短网址选项, 1);
  Click(按钮设置淘链);
  EXPECT_TRUE(Shown(分组框设置淘链));
  EXPECT_EQ(Text(按钮设置淘链), "关闭设置");
  EXPECT_FALSE(Enabled(按钮设置接口));
  EXPECT_EQ(Text(按钮设置接口), "设置接口");

  // The custom interface enables it; switching away closes the interface group.
  Choose(组合框短网址选项, 3);
  EXPECT_TRUE(Enabled(按钮设置接口));
  Click(按钮设置接口);
  EXPECT_TRUE(Shown(分组框设置接口));
  EXPECT_EQ(Text(按钮设置接口), "关闭设置");
  Choose(组合框短网址选项, 1);
  EXPECT_FALSE(Enabled(按钮设置接口));
  EXPECT_EQ(Text(按钮设置接口), "设置接口");
  EXPECT_FALSE(Shown(分组框设置接口));

  // Unchecking the conversion closes both groups.
  Choose(组合框短网址选项, 3);
  Click(按钮设置接口);
  ASSERT_TRUE(Shown(分组框设置接口));
  Click(选择框转换淘宝客链接);
  EXPECT_FALSE(Shown(分组框设置淘链));
  EXPECT_FALSE(Shown(分组框设置接口));
  EXPECT_EQ(Text(按钮设置淘链), "设置淘链");
  EXPECT_FALSE(Enabled(按钮设置淘链));

  // Opened again with the custom option already chosen: the button is on.
  Click(选择框转换淘宝客链接);
  Click(按钮设置淘链);
  EXPECT_TRUE(Enabled(按钮设置接口));
  EXPECT_FALSE(Shown(分组框设置接口));
}

TEST_F(MainWindowTest, InsertWordGroupToggleCaptions) {
  Open();
  Click(按钮设置插入词);
  EXPECT_TRUE(Shown(分组框插入词));
  EXPECT_EQ(Text(按钮设置插入词), "关闭插入词设置");
  Click(按钮设置插入词);
  EXPECT_FALSE(Shown(分组框插入词));
  EXPECT_EQ(Text(按钮设置插入词), "设置插入词..");
}

TEST_F(MainWindowTest, PasteButtonsReplaceTheListByTheClipboardText) {
  Open();
  const auto put_on_clipboard = [&](const char* text) {
    ASSERT_TRUE(OpenClipboard(window->Window()));
    EmptyClipboard();
    if (text) {
      const size_t size = strlen(text) + 1;
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
      memcpy(GlobalLock(memory), text, size);
      GlobalUnlock(memory);
      SetClipboardData(CF_TEXT, memory);
    }
    CloseClipboard();
  };
  put_on_clipboard("红色\r\n蓝色");
  Click(按钮粘贴词1);
  EXPECT_EQ(Text(编辑框词1), "红色\r\n蓝色");
  EXPECT_EQ(Text(编辑框词2), "111\r\n222\r\n333\r\n444\r\n555\r\n666\r\n777\r\n一行一个词");
  put_on_clipboard(nullptr);
  Click(按钮粘贴词2);
  EXPECT_EQ(Text(编辑框词2), "");
}

TEST_F(MainWindowTest, BannerRowOpensTheConfiguredPages) {
  Open();
  const PublisherLinks links;
  struct Case {
    ControlId clicked;
    const char* opened;
  };
  for (const Case& c : std::initializer_list<Case>{
           {图片框官网, links.home},
           {图片框更新, links.updates},
           {超级链接框更新, links.updates},
           {图片框软件, links.products},
           {超级链接框软件, links.products},
           {图片框QQ, links.messenger},
           {超级链接框QQ, links.messenger},
           {超级链接框4, links.app_key_help},
       }) {
    desktop.opened.clear();
    ClickPicture(c.clicked);
    EXPECT_EQ(desktop.opened, std::vector<std::string>{c.opened}) << static_cast<int>(c.clicked);
  }
  ClickPicture(图片框操作);
  ClickPicture(超级链接框操作);
  EXPECT_EQ(desktop.help_pages, 2);
}

TEST_F(MainWindowTest, SaveFolderButtonChoosesOnClickAndExploresOnRightClick) {
  Open();
  SetText(编辑框保存目录, "C:\\My Articles");
  Click(按钮选择目录);
  EXPECT_EQ(desktop.chosen_for, std::vector<HWND>{Handle(编辑框保存目录)});
  SendMessageA(Handle(按钮选择目录), WM_RBUTTONDOWN, MK_RBUTTON, 0);
  SendMessageA(Handle(按钮选择目录), WM_RBUTTONUP, 0, 0);
  EXPECT_EQ(desktop.explored, std::vector<std::string>{"C:\\My Articles"});
}

TEST_F(MainWindowTest, ConversionExplanationNamesTheKeywordOrder) {
  Open();
  Click(按钮1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string& text = desktop.messages[0];
  EXPECT_EQ(text.rfind("信息：|", 0), 0u);
  EXPECT_NE(text.find("#购买#"), std::string::npos);
  EXPECT_LT(text.find("商品标题"), text.find("专辑名称"));
}

TEST_F(MainWindowTest, TrayIconTogglesTheWindowAndQuitsOnlyOnOk) {
  Open();
  const auto tray = [&](UINT mouse_message) {
    SendMessageA(window->Window(), WM_APP + 1, 1, mouse_message);
  };
  tray(WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(window->Window()));
  tray(WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsWindowVisible(window->Window()));
  tray(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window->Window()));

  desktop.answer = IDCANCEL;
  tray(WM_RBUTTONUP);
  ASSERT_EQ(desktop.messages, std::vector<std::string>{"信息：|确实要结束程序吗？"});
  EXPECT_TRUE(IsWindow(window->Window()));
  EXPECT_EQ(GetFileAttributesA(settings.File().c_str()), INVALID_FILE_ATTRIBUTES);

  desktop.answer = IDOK;
  SetText(编辑框搜索词, "风衣");
  tray(WM_RBUTTONUP);
  EXPECT_EQ(window->Window(), nullptr) << "the window is gone";
  EXPECT_EQ(IniLine("搜索词"), "搜索词=风衣");
}

TEST_F(MainWindowTest, TooltipsAreAttachedTranslated) {
  Open();
  HWND tips = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), NoteTooltipWindow, reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 22);
  char text[512] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Handle(编辑框分隔符);
  tool.lpszText = text;
  SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text,
               "当在内容模板中引用 #标签# 时，指定多个标签名之间的分隔符\r\n默认为半角逗号“,”");
}

TEST_F(MainWindowTest, TabKeyMovesAlongTheControlsPastTheHiddenGroups) {
  Open();
  struct Case {
    ControlId from, to;
  };
  for (const Case& c : std::initializer_list<Case>{
           {编辑框评论数, 编辑框分隔符},
           {编辑框标题模板, 按钮随机一句},
           {编辑框保存条数, 选择框随机互换位置},
       }) {
    Focus(c.from);
    MSG tab{Handle(c.from), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageA(window->Window(), &tab));
    EXPECT_EQ(GetFocus(), Handle(c.to)) << static_cast<int>(c.from);
  }
}

}  // namespace
}  // namespace pelrine
