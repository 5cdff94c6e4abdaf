#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "scratch_folder.h"

namespace pelrine {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    store.SetFile(folder / "settings.ini");
    store.SetSection("基本配置");
  }
  // The line the platform wrote for `key`, without its line break.
  std::string StoredLine(const std::string& key) const {
    const std::string file = ReadWholeFile(store.File());
    const size_t at = file.find("\n" + key + "=");
    if (at == std::string::npos) return "<none>";
    const size_t end = file.find("\r\n", at + 1);
    return file.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
  }

  ScratchFolder folder;
  SettingsStore store;
};

// Equality of two texts that may be long; a failure shows where they part.
::testing::AssertionResult SameText(const std::string& got, const std::string& want) {
  if (got == want) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  return ::testing::AssertionFailure()
         << "got " << got.size() << " bytes, want " << want.size() << ", first difference at " << at
         << ": \"" << got.substr(at, 20) << "\" vs \"" << want.substr(at, 20) << "\"";
}

std::string LongGbkText(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += (text.size() % 7 == 0) ? "a" : "模";
  return text;
}

TEST_F(SettingsStoreTest, TextComesBackAsItWasWritten) {
  for (const std::string& text : std::initializer_list<std::string>{
           "",
           "plain",
           "第一行\r\n第二行\r\n",
           "\r\n\r\n",
           " blank at the start",
           "blank at the end ",
           "\ttab\t",
           "\"quoted whole\"",
           "'single quoted'",
           "\"one\" and 'two'",
           "'mixed\"",
           "\"",
           "{\"tinyurl\":\"",
           "\\/",
           "a=b;c[d]",
           LongGbkText(10239),
           LongGbkText(10240),
           LongGbkText(70001),
       }) {
    ASSERT_TRUE(store.WriteText("内容模板", text));
    EXPECT_TRUE(SameText(store.ReadText("内容模板", "fallback"), text)) << text.substr(0, 40);
  }
}

TEST_F(SettingsStoreTest, LineBreaksAreStoredOnOneLine) {
  struct Case {
    std::string text, line;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a\r\nb", "标题模板=a┊*┊b"},
           {"a\nb\rc", "标题模板=a┊*┊b┊*┊c"},  // lone breaks never split the line
           {"\r\n", "标题模板=┊*┊"},
           {" x ", "标题模板=\" x \""},
           {"\"", "标题模板=\"\"\""},
           {"'a'", "标题模板=\"'a'\""},
           {"{\"tinyurl\":\"", "标题模板={\"tinyurl\":\""},  // one quote at an end is kept as it is
       }) {
    ASSERT_TRUE(store.WriteText("标题模板", c.text));
    EXPECT_EQ(StoredLine("标题模板"), c.line) << c.text;
  }
}

TEST_F(SettingsStoreTest, StoredMarkersAndLoneBreaksReadAsLineBreaks) {
  struct Case {
    std::string stored, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a┊*┊b", "a\r\nb"},
           {"┊*┊┊*┊", "\r\n\r\n"},
           {"┊*", "┊*"},
       }) {
    ASSERT_TRUE(WriteWholeFile(store.File(), "[基本配置]\r\n搜索词=" + c.stored + "\r\n"));
    EXPECT_EQ(store.ReadText("搜索词", ""), c.want) << c.stored;
  }
}

TEST_F(SettingsStoreTest, MissingKeysGiveTheFallbackUnchanged) {
  ASSERT_TRUE(store.WriteText("其他", "x"));
  EXPECT_EQ(store.ReadText("搜索词", "连衣裙|女装"), "连衣裙|女装");
  EXPECT_EQ(store.ReadText("内容模板", " a\r\nb "), " a\r\nb ");
  EXPECT_EQ(store.ReadText("右边字符", "\""), "\"");
  EXPECT_EQ(store.ReadNumber("类目", -1), -1);
  EXPECT_TRUE(store.ReadLogical("每个搜索词独立子目录保存", true));
  EXPECT_FALSE(store.ReadLogical("每个搜索词独立子目录保存", false));

  SettingsStore missing_file;
  missing_file.SetFile(folder / "absent.ini");
  missing_file.SetSection("基本配置");
  EXPECT_EQ(missing_file.ReadText("钥匙", "58316047"), "58316047");
}

TEST_F(SettingsStoreTest, LogicalValuesAreTrueOnlyForTheTrueMark) {
  struct Case {
    std::string stored;
    bool fallback, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"真", false, true},
           {"假", true, false},
           {"", true, false},
           {"1", true, false},
           {"true", true, false},
           {"真 ", false, true},  // the platform drops blanks at the ends
           {"真真", false, false},
       }) {
    ASSERT_TRUE(WriteWholeFile(store.File(), "[基本配置]\r\n替换返回结果：=" + c.stored + "\r\n"));
    EXPECT_EQ(store.ReadLogical("替换返回结果：", c.fallback), c.want) << c.stored;
  }
  ASSERT_TRUE(store.WriteLogical("选择", true));
  EXPECT_EQ(StoredLine("选择"), "选择=真");
  ASSERT_TRUE(store.WriteLogical("选择", false));
  EXPECT_EQ(StoredLine("选择"), "选择=假");
}

TEST_F(SettingsStoreTest, NumbersAreWrittenWithoutFractionAndReadLeniently) {
  struct Written {
    double value;
    std::string line;
  };
  for (const Written& c : std::initializer_list<Written>{{0, "类目=0"},
                                                         {3, "类目=3"},
                                                         {-1, "类目=-1"},
                                                         {1234567890123.0, "类目=1234567890123"}}) {
    ASSERT_TRUE(store.WriteNumber("类目", c.value));
    EXPECT_EQ(StoredLine("类目"), c.line);
    EXPECT_EQ(store.ReadNumber("类目", 99), c.value);
  }
  struct Read {
    std::string stored;
    double want;
  };
  for (const Read& c : std::initializer_list<Read>{
           {"abc", 0}, {"", 0}, {"12abc", 12}, {" 7", 7}, {"nan", 0}, {"1e999", 0}}) {
    ASSERT_TRUE(WriteWholeFile(store.File(), "[基本配置]\r\n类目=" + c.stored + "\r\n"));
    EXPECT_EQ(store.ReadNumber("类目", 5), c.want) << c.stored;
  }
}

TEST_F(SettingsStoreTest, WritesIntoAMissingDirectoryFail) {
  store.SetFile(folder / "no such folder\\settings.ini");
  EXPECT_FALSE(store.WriteText("搜索词", "x"));
  EXPECT_FALSE(store.WriteNumber("类目", 1));
  EXPECT_FALSE(store.WriteLogical("选择", true));
}

TEST_F(SettingsStoreTest, CheckBoxesAreStoredUnderTheirCaption) {
  HWND box = CreateWindowExA(0, "BUTTON", "自动下载图片到本地目录", WS_POPUP | BS_AUTOCHECKBOX, 0,
                             0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(store.SaveCheckBox(box));
  EXPECT_EQ(StoredLine("自动下载图片到本地目录"), "自动下载图片到本地目录=真");

  ASSERT_TRUE(store.WriteLogical("自动下载图片到本地目录", false));
  store.LoadCheckBox(box);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  SetWindowTextA(box, "改了名的选择框");  // a renamed caption finds no value: the state stays
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  store.LoadCheckBox(box);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  DestroyWindow(box);
}

}  // namespace
}  // namespace pelrine
