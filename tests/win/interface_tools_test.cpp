#include <initializer_list>
#include <string>

#include "app/settings.h"
#include "main_window_fixture.h"

namespace pelrine {
namespace {

using enum ControlId;

class InterfaceToolsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    Open();
    Choose(组合框短网址选项, 3);
    Click(按钮设置淘链);
    Click(按钮设置接口);
  }
  // The ten fields at values unlike the initial ones.
  void SetInterface(const std::string& address) const {
    Choose(组合框调用模式, 0);
    Choose(组合框URL编码, 0);
    SetText(编辑框接口地址, address);
    SetText(编辑框POST数据, "longurl=#网址#&k=v");
    SetText(编辑框左边字符, "<short_url>");
    SetText(编辑框右边字符, "</short_url>");
    SetText(编辑框欲替换, "a|b|\\/");
    SetText(编辑框替换为, "x||/");
    Click(选择框逆向);
    Click(选择框替换);
  }
};

TEST_F(InterfaceToolsTest, TestConvertsTheEnteredAddressAndOffersTheBrowser) {
  struct Case {
    const char* what;
    std::optional<std::string> entered;
    std::string result;
    int answer;
    std::vector<std::string> want_opened;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"cancel ends the test", std::nullopt, "http://s/1", IDOK, {}},
           {"OK opens the short address", "http://long/1", "http://s/1", IDOK, {"http://s/1"}},
           {"cancel in the result box opens nothing", "http://long/1", "http://s/1", IDCANCEL, {}},
           {"an empty result still offers the browser", "http://long/1", "", IDOK, {""}},
       }) {
    desktop.inputs.clear();
    desktop.messages.clear();
    desktop.opened.clear();
    links.calls.clear();
    desktop.input_answer = c.entered;
    desktop.answer = c.answer;
    links.interface_answer = [&](std::string_view) { return c.result; };
    SetText(编辑框接口地址, "http://api.test/?u=#网址#");

    Click(按钮5);

    ASSERT_EQ(desktop.inputs.size(), 1u) << c.what;
    EXPECT_EQ(desktop.inputs[0],
              "测试接口|请输入一个长网址，根据当前接口测试是否能正确转换短网址：|"
              "http://www.taobao.com/?abcdefghijklmnopqrstuvwxyz")
        << c.what;
    EXPECT_EQ(desktop.opened, c.want_opened) << c.what;
    if (!c.entered) {
      EXPECT_TRUE(links.calls.empty() && desktop.messages.empty()) << c.what;
      continue;
    }
    EXPECT_EQ(links.calls,
              std::vector<std::string>{"interface " + *c.entered + " http://api.test/?u=#网址#"})
        << c.what;
    EXPECT_EQ(
        desktop.messages,
        std::vector<std::string>{"转换结果|" + *c.entered + "\r\n\r\n转为如下短网址：\r\n\r\n" +
                                 (c.result.empty() ? "转换错误！请检查参数！" : c.result) +
                                 "\r\n\r\n点击确定将在浏览器打开短网址！"})
        << c.what;
  }
}

TEST_F(InterfaceToolsTest, BatchWritesOneLinePerAddressAndKeepsTheWindowResponsive) {
  const std::string input = folder / "长网址.txt";
  ASSERT_TRUE(WriteWholeFile(input, "http://a/1\r\n\r\nhttp://a/2\r\n\r\n\r\nfail\r\nhttp://a/3"));
  desktop.file_answer = input;
  std::vector<std::string> captions;
  std::vector<bool> insert_group_shown;
  links.interface_answer = [&](std::string_view url) {
    captions.push_back(Text(分组框设置接口));
    insert_group_shown.push_back(Shown(分组框插入词));
    // A click that only the events processed between lines can handle.
    PostMessageA(Handle(按钮设置插入词), BM_CLICK, 0, 0);
    return url == "fail" ? std::string() : "http://s/" + std::string(url.substr(9));
  };

  Click(按钮接口批处理);

  EXPECT_EQ(desktop.file_choices,
            std::vector<std::string>{
                "open|选择一个文本文件，内含一行一条的长网址：|txt文件|*.txt|全部文件|*.*|txt"});
  EXPECT_EQ(ReadWholeFile(input + ".自定义短网址接口转换结果.txt"),
            "http://s/1\r\nhttp://s/2\r\n\r\nhttp://s/3\r\n");
  EXPECT_EQ(captions, (std::vector<std::string>{"正在转换 http://a/1", "正在转换 http://a/2",
                                                "正在转换 fail", "正在转换 http://a/3"}));
  EXPECT_EQ(insert_group_shown, (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(Text(分组框设置接口), "设置短网址接口");
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"信息：|转换完成！"});
}

TEST_F(InterfaceToolsTest, BatchReportsAnUnreadableInputAndCancelDoesNothing) {
  Click(按钮接口批处理);
  EXPECT_TRUE(desktop.messages.empty());

  desktop.file_answer = folder / "missing.txt";
  Click(按钮接口批处理);
  EXPECT_TRUE(links.calls.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].find("信息：|无法读取文件"), 0u) << desktop.messages[0];
  EXPECT_EQ(ReadWholeFile(folder / "missing.txt.自定义短网址接口转换结果.txt"), "");
}

TEST_F(InterfaceToolsTest, ExportThenImportRestoresAllTenFields) {
  SetInterface("http://api.test/shorten?u=#网址#");
  const std::string file = folder / "接口.ini";
  desktop.file_answer = file;
  Click(按钮导出接口);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"信息：|接口已导出！"});
  EXPECT_EQ(desktop.file_choices, std::vector<std::string>{"save||ini文件|*.ini|全部文件|*.*|ini"});

  // Back to the initial values, then import.
  Open();
  ASSERT_EQ(Selection(组合框调用模式), 1);
  desktop.messages.clear();
  Click(按钮导入接口);

  EXPECT_EQ(desktop.messages, std::vector<std::string>{"信息：|接口已导入！"});
  EXPECT_EQ(Selection(组合框调用模式), 0);
  EXPECT_EQ(Selection(组合框URL编码), 0);
  EXPECT_EQ(Text(编辑框接口地址), "http://api.test/shorten?u=#网址#");
  EXPECT_EQ(Text(编辑框POST数据), "longurl=#网址#&k=v");
  EXPECT_EQ(Text(编辑框左边字符), "<short_url>");
  EXPECT_EQ(Text(编辑框右边字符), "</short_url>");
  EXPECT_EQ(Text(编辑框欲替换), "a|b|\\/");
  EXPECT_EQ(Text(编辑框替换为), "x||/");
  EXPECT_TRUE(Checked(选择框逆向));
  EXPECT_FALSE(Checked(选择框替换));
  // The enable rules follow the imported values.
  EXPECT_FALSE(Enabled(编辑框POST数据));
  EXPECT_FALSE(Enabled(编辑框欲替换));
}

TEST_F(InterfaceToolsTest, ImportsTheProgramsOwnSettingsFile) {
  SetInterface("http://saved.test/?u=#网址#");
  Close();
  Open();
  ASSERT_EQ(Text(编辑框接口地址), "http://saved.test/?u=#网址#");
  SetText(编辑框接口地址, "http://changed.test/");
  desktop.file_answer = settings.File();
  Click(按钮导入接口);
  EXPECT_EQ(Text(编辑框接口地址), "http://saved.test/?u=#网址#");
  EXPECT_EQ(desktop.messages.back(), "信息：|接口已导入！");
}

TEST_F(InterfaceToolsTest, ImportAndExportReportFailureNeverSuccess) {
  const std::string unchanged = Text(编辑框接口地址);
  const std::string no_keys = folder / "other.ini";
  ASSERT_TRUE(
      WriteWholeFile(no_keys, "[基本配置]\r\n搜索词=裙\r\n[接口]\r\n接口地址=http://x/\r\n"));
  struct Case {
    ControlId button;
    std::string file, want_message_start;
  };
  for (const Case& c : std::initializer_list<Case>{
           {按钮导入接口, folder / "missing.ini", "信息：|无法读取文件，接口没有导入"},
           {按钮导入接口, no_keys, "信息：|文件中没有短网址接口的设置，接口没有导入"},
           {按钮导出接口, folder / "no such folder\\接口.ini", "信息：|无法写入文件，接口没有导出"},
       }) {
    desktop.messages.clear();
    desktop.file_answer = c.file;
    Click(c.button);
    ASSERT_EQ(desktop.messages.size(), 1u) << c.file;
    EXPECT_EQ(desktop.messages[0].find(c.want_message_start), 0u) << desktop.messages[0];
    EXPECT_EQ(Text(编辑框接口地址), unchanged) << c.file;
  }
}

TEST_F(InterfaceToolsTest, CancelledFileChoicesDoNothingAndTheExplanationShows) {
  for (ControlId button : {按钮导入接口, 按钮导出接口}) Click(button);
  EXPECT_TRUE(desktop.messages.empty());
  Click(按钮2);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].find("信息：|"), 0u);
  EXPECT_NE(desktop.messages[0].find("#网址#"), std::string::npos);
}

}  // namespace
}  // namespace pelrine
