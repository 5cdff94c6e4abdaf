#include "app/shell_helpers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/tooltips.h"

namespace pelrine {
namespace {

TEST(ExplorerCommandLine, QuotesThePathOrStartsAProgram) {
  struct Case {
    std::string path, command;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"C:\\Pelrine", "explorer /n,\"C:\\Pelrine\""},
           {"C:\\My Articles\\今天", "explorer /n,\"C:\\My Articles\\今天\""},
           {"C:\\tools\\run.EXE", "\"C:\\tools\\run.EXE\""},
           {"C:\\tools\\run.exe", "\"C:\\tools\\run.exe\""},
           {"C:\\exe", "explorer /n,\"C:\\exe\""},
           {"", "explorer /n,\"\""},
           {"C:\\a\" /select,\"C:\\b", ""},  // a quote would end the quoted path early
       })
    EXPECT_EQ(ExplorerCommandLine(c.path), c.command) << c.path;
}

TEST(BrowserAddress, OpensOnlyWebAddresses) {
  struct Case {
    std::string address, opened;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"http://dwz.cn/abc", "http://dwz.cn/abc"},
           {"HTTPS://example.com/", "HTTPS://example.com/"},
           {"  http://dwz.cn/abc  ", "http://dwz.cn/abc"},
           {"dwz.cn/abc", "http://dwz.cn/abc"},
           {"127.0.0.1:8080/x", "http://127.0.0.1:8080/x"},
           {"localhost:80", "http://localhost:80"},
           {"", ""},
           {"C:\\Windows\\notepad.exe", ""},
           {"file:///C:/Windows/notepad.exe", ""},
           {"javascript:alert(1)", ""},
           {"mailto:a@b.c", ""},
           {"\\\\server\\share", ""},
       })
    EXPECT_EQ(BrowserAddress(c.address), c.opened) << c.address;
}

TEST(TranslateTooltipText, TurnsMarksIntoQuotesAndLineBreaks) {
  struct Case {
    std::string text, shown;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"默认为半角逗号<<,>>", "默认为半角逗号“,”"},
           {"一\\n二\\n三", "一\r\n二\r\n三"},
           {"说''好''", "说\"好\""},
           {"\\N stays", "\r\n stays"},  // letter case does not matter
           {"a\r\nb", "a\r\nb"},
           {"<<<", "“<"},
       })
    EXPECT_EQ(TranslateTooltipText(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace pelrine
