#include "app/settings.h"

#include <initializer_list>

#include "app/word_file.h"
#include "main_window_fixture.h"

namespace pelrine {
namespace {

using enum ControlId;

std::string LongTemplate() {
  std::string text;
  for (int line = 0; text.size() < 40000; ++line)
    text += "第" + std::to_string(line) + "行 #描述#<br>\r\n";
  return text;
}

TEST_F(MainWindowTest, SettingsComeBackAfterClosingAndStartingAgain) {
  struct TextCase {
    ControlId box;
    std::string text;
  };
  const std::initializer_list<TextCase> texts = {
      {编辑框评论数, "25"},
      {编辑框分隔符, " | "},
      {编辑框内容模板, LongTemplate()},
      {编辑框标题模板, " #标题# "},
      {编辑框搜索词, "风衣|连衣裙||女装"},
      {编辑框保存目录, "D:\\文章 目录"},
      {编辑框图片目录名, "pics"},
      {编辑框扩展名, "html"},
      {编辑框保存条数, "5"},
      {编辑框采集条数, "30"},
      {编辑框词1, "甲\r\n乙"},
      {编辑框词2, "丙"},
      {编辑框钥匙, "k"},
      {编辑框密码, "s"},
      {编辑框pid, "p"},
      {编辑框接口地址, "http://127.0.0.1/short?u=#网址#"},
      {编辑框POST数据, ""},
      {编辑框左边字符, "\"short\":\""},
      {编辑框右边字符, "\""},
      {编辑框欲替换, "a|b"},
      {编辑框替换为, "c"},
  };
  Open();
  for (const TextCase& c : texts) SetText(c.box, c.text);
  Click(图形按钮文章);
  Click(图形按钮最新);
  for (ControlId box : {选择框插入标题, 选择框随机互换位置, 选择框独立目录保存,
                        选择框自动下载图片到本地, 选择框转换淘宝客链接, 选择框逆向, 选择框替换})
    Click(box);
  Choose(组合框类目, 12);
  Choose(组合框标题位置, 3);
  Choose(组合框短网址选项, 2);
  Choose(组合框调用模式, 0);
  Choose(组合框URL编码, 0);
  Close();
  ASSERT_EQ(window->Window(), nullptr);

  Open();
  for (const TextCase& c : texts) EXPECT_EQ(Text(c.box), c.text) << static_cast<int>(c.box);
  EXPECT_EQ(window->ShareTypeTag(), "3");
  EXPECT_EQ(window->RankingTag(), "2");
  EXPECT_FALSE(Enabled(图形按钮文章));
  EXPECT_FALSE(Enabled(图形按钮最新));
  for (ControlId box : {选择框插入标题, 选择框随机互换位置, 选择框自动下载图片到本地,
                        选择框转换淘宝客链接, 选择框逆向})
    EXPECT_TRUE(Checked(box)) << static_cast<int>(box);
  EXPECT_FALSE(Checked(选择框独立目录保存));
  EXPECT_FALSE(Checked(选择框替换));
  EXPECT_EQ(Selection(组合框类目), 12);
  EXPECT_EQ(Selection(组合框标题位置), 3);
  EXPECT_EQ(Selection(组合框短网址选项), 2);
  EXPECT_EQ(Selection(组合框调用模式), 0);
  EXPECT_EQ(Selection(组合框URL编码), 0);
  // The loaded states apply their rules.
  EXPECT_TRUE(Enabled(组合框标题位置));
  EXPECT_TRUE(Enabled(编辑框图片目录名));
  EXPECT_TRUE(Enabled(按钮设置淘链));
  EXPECT_FALSE(Enabled(编辑框POST数据));
  EXPECT_FALSE(Enabled(编辑框欲替换));
}

TEST_F(MainWindowTest, SettingsFileHoldsTheKeysAsDocumented) {
  Open();
  SetText(编辑框标题模板, "a\r\nb");
  Close();
  struct Case {
    std::string key, line;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"分类", "分类=0"},
           {"排行", "排行=1"},
           {"类目", "类目=0"},
           {"标题模板", "标题模板=a┊*┊b"},
           {"搜索词插入到标题", "搜索词插入到标题=假"},
           {"每个搜索词独立子目录保存", "每个搜索词独立子目录保存=真"},
           {"保存目录", "保存目录=C:\\Pelrine"},
           {"标题位置", "标题位置=0"},
           {"短网址选项", "短网址选项=0"},
           {"URL编码", "URL编码=1"},
           {"替换返回结果：", "替换返回结果：=真"},
           {"欲替换", "欲替换=\\/"},
       })
    EXPECT_EQ(IniLine(c.key), c.line);
  EXPECT_EQ(ReadWholeFile(folder / "插入词2.txt"),
            "111\r\n222\r\n333\r\n444\r\n555\r\n666\r\n777\r\n一行一个词");
}

TEST_F(MainWindowTest, StoredChoicesOutsideTheirCodesFallBack) {
  struct Case {
    std::string stored;  // lines of the section
    std::string type, ranking;
    int category;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"分类=7\r\n排行=3\r\n", "0", "1", 0},
           {"分类=\" 1\"\r\n排行=\"2 \"\r\n类目=99\r\n", "0", "1", 0},
           {"分类=1\r\n排行=2\r\n类目=20\r\n", "1", "2", 20},
           {"分类=\r\n类目=abc\r\n", "0", "1", 0},
       }) {
    ASSERT_TRUE(WriteWholeFile(settings.File(), "[基本配置]\r\n" + c.stored));
    Open();
    EXPECT_EQ(window->ShareTypeTag(), c.type) << c.stored;
    EXPECT_EQ(window->RankingTag(), c.ranking) << c.stored;
    EXPECT_EQ(Selection(组合框类目), c.category) << c.stored;
    Close();
    EXPECT_EQ(IniLine("分类"), "分类=" + c.type);
    EXPECT_EQ(IniLine("排行"), "排行=" + c.ranking);
  }
}

TEST_F(MainWindowTest, RenamedCheckBoxKeyFallsBackToTheInitialState) {
  ASSERT_TRUE(WriteWholeFile(
      settings.File(), "[基本配置]\r\n每个搜索词独立子目录=假\r\n自动下载图片到本地目录=乱写\r\n"));
  Open();
  EXPECT_TRUE(Checked(选择框独立目录保存));
  EXPECT_FALSE(Checked(选择框自动下载图片到本地));
}

TEST_F(MainWindowTest, WordFilesReplaceTheListsOnlyWhenTheyHoldSomething) {
  using namespace std::string_literals;
  struct Case {
    bool exists;
    std::string content, list;
  };
  const std::string initial = "aaa\r\nbbb\r\nccc\r\nDDD\r\nEEE\r\nFFF\r\nGGG\r\n一行一个词";
  for (const Case& c : std::initializer_list<Case>{
           {false, "", initial},
           {true, "", initial},
           {true, "春\r\n夏", "春\r\n夏"},
           {true, "秋\0冬"s, "秋"},
       }) {
    DeleteFileA((folder / "插入词1.txt").c_str());
    if (c.exists) {
      ASSERT_TRUE(WriteWholeFile(folder / "插入词1.txt", c.content));
    }
    Open();
    EXPECT_EQ(Text(编辑框词1), c.list) << c.exists << c.content;
    Close();
    EXPECT_EQ(ReadWholeFile(folder / "插入词1.txt"), c.list) << "the save writes the list back";
  }
}

TEST_F(MainWindowTest, SaveBannerReportsSuccessOnlyWhenEverythingWasWritten) {
  Open();
  ClickPicture(超级链接框保存);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"信息：|保存完毕！"});
  EXPECT_EQ(IniLine("搜索词"), "搜索词=连衣裙|女装");

  const std::string missing = folder / "gone";
  settings.SetFile(missing + "\\pelrine.ini");
  Open(missing);
  desktop.messages.clear();
  ClickPicture(图片框保存);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string& text = desktop.messages[0];
  EXPECT_EQ(text.find("保存完毕"), std::string::npos);
  EXPECT_NE(text.find("保存配置失败"), std::string::npos);
  EXPECT_NE(text.find(missing + "\\pelrine.ini"), std::string::npos);
  EXPECT_NE(text.find(missing + "\\插入词1.txt"), std::string::npos);
}

TEST_F(MainWindowTest, ClosingAgainWhileClosingSavesOnce) {
  const std::string missing = folder / "gone";
  settings.SetFile(missing + "\\pelrine.ini");
  Open(missing);
  // The failed save on closing shows its message; the user closes again
  // from the tray meanwhile.
  desktop.during_message = [&] { SendMessageA(window->Window(), WM_APP + 1, 1, WM_RBUTTONUP); };
  Close();
  EXPECT_EQ(window->Window(), nullptr);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find("保存配置失败"), std::string::npos);
}

TEST_F(MainWindowTest, InterfaceExportAndImportRestoreAllTenFields) {
  Open();
  const ControlSet& controls = window->Controls();

  SettingsStore exported;
  exported.SetFile(folder / "接口.ini");
  exported.SetSection("基本配置");
  ASSERT_TRUE(WriteWholeFile(exported.File(), "[其他]\r\n留下=1\r\n"));
  controls.SetText(编辑框欲替换, "\\/|&amp;");
  controls.SetText(编辑框替换为, "/|&");
  controls.SetChecked(选择框逆向, true);
  controls.SetChecked(选择框替换, false);
  controls.Select(组合框调用模式, 0);
  ASSERT_TRUE(SaveInterfaceSettings(*window, exported));

  controls.SetText(编辑框欲替换, "x");
  controls.SetText(编辑框替换为, "y");
  controls.SetChecked(选择框逆向, false);
  controls.SetChecked(选择框替换, true);
  controls.Select(组合框调用模式, 1);
  LoadInterfaceSettings(*window, exported);
  EXPECT_EQ(controls.Text(编辑框欲替换), "\\/|&amp;");
  EXPECT_EQ(controls.Text(编辑框替换为), "/|&");
  EXPECT_TRUE(controls.Checked(选择框逆向));
  EXPECT_FALSE(controls.Checked(选择框替换));
  EXPECT_EQ(controls.Selection(组合框调用模式), 0);
  EXPECT_FALSE(controls.Enabled(编辑框POST数据));
  EXPECT_FALSE(controls.Enabled(编辑框替换为));
  EXPECT_NE(ReadWholeFile(exported.File()).find("留下=1"), std::string::npos)
      << "other sections stay";
}

TEST(ServiceHostsSection, OverridesOnlyTheKeysItNames) {
  ScratchFolder folder;
  const std::string file = folder / "pelrine.ini";
  ASSERT_TRUE(WriteWholeFile(
      file,
      "[服务地址]\r\n逛逛=127.0.0.1:8080\r\ndwz=\r\n推广链接=http://127.0.0.1:8080/p\r\n"
      "[基本配置]\r\n评论=x\r\n"));
  const ServiceHosts hosts = ReadServiceHosts(file);
  const ServiceHosts defaults;
  EXPECT_EQ(hosts.guang, "127.0.0.1:8080");
  EXPECT_EQ(hosts.promotion_link, "http://127.0.0.1:8080/p");
  EXPECT_EQ(hosts.dwz, defaults.dwz) << "a blank value keeps the built-in host";
  EXPECT_EQ(hosts.comment, defaults.comment) << "only the section 服务地址 counts";
  EXPECT_EQ(ReadServiceHosts(folder / "absent.ini").open_platform, defaults.open_platform);
}

TEST_F(MainWindowTest, ServiceHostsSectionSurvivesSaving) {
  ASSERT_TRUE(WriteWholeFile(settings.File(), "[服务地址]\r\ndwz=127.0.0.1:9\r\n"));
  Open();
  Close();
  EXPECT_EQ(ReadServiceHosts(settings.File()).dwz, "127.0.0.1:9");
}

}  // namespace
}  // namespace pelrine
