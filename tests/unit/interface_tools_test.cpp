#include "links/interface_tools.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pelrine {
namespace {

using namespace std::string_view_literals;

class CountingEvents final : public EventPump {
 public:
  void ProcessEvents() override { ++count; }
  int count = 0;
};

TEST(ConvertBatch, OneResultLinePerNonEmptyInputLine) {
  struct Case {
    std::string_view input, want;
    int want_events;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a\r\nb\r\n", "<a>\r\n<b>\r\n", 2},
           {"a\r\n\r\n\r\nb", "<a>\r\n<b>\r\n", 4},  // blank lines give no output line
           {"a\nb\rc", "<a>\r\n<b>\r\n<c>\r\n", 3},  // LF and a lone CR end lines too
           {"\r\n\n", "", 2},
           {"", "", 0},
           {"\xB0\r\n\xFF\xFF", "<\xB0>\r\n<\xFF\xFF>\r\n", 2},  // broken GBK goes as it is
           {"a\0b\r\n"sv, "<a\0b>\r\n"sv, 1},
       }) {
    CountingEvents events;
    const std::string output = ConvertBatch(
        c.input, [](const std::string& line) { return "<" + line + ">"; }, events,
        [] { return true; });
    EXPECT_EQ(output, c.want) << c.input;
    EXPECT_EQ(events.count, c.want_events) << c.input;
  }
}

TEST(ConvertBatch, FailedConversionsGiveEmptyLines) {
  CountingEvents events;
  EXPECT_EQ(ConvertBatch(
                "a\r\n\r\nb\r\nc", [](const std::string&) { return std::string(); }, events,
                [] { return true; }),
            "\r\n\r\n\r\n");
}

TEST(ConvertBatch, StopsWhenToldAndKeepsWhatItConverted) {
  CountingEvents events;
  int converted = 0;
  const std::string output = ConvertBatch(
      "a\nb\nc\nd",
      [&](const std::string& line) {
        ++converted;
        return line;
      },
      events, [&] { return converted < 2; });
  EXPECT_EQ(output, "a\r\nb\r\n");
}

TEST(ConvertBatch, TenThousandLongLines) {
  std::string input;
  for (int i = 0; i < 10000; ++i) input += std::string(i % 7 == 0 ? 0 : 300, 'x') + "\r\n";
  CountingEvents events;
  int converted = 0;
  const std::string output = ConvertBatch(
      input,
      [&](const std::string& line) {
        ++converted;
        return std::to_string(line.size());
      },
      events, [] { return true; });
  EXPECT_EQ(converted, 10000 - 1429);
  EXPECT_EQ(events.count, 10000);
  EXPECT_EQ(output.substr(0, 10), "300\r\n300\r\n");
}

TEST(InterfaceTools, ReportAndOutputName) {
  EXPECT_EQ(
      InterfaceTestReport("http://a/", "http://s/1"),
      "http://a/\r\n\r\n转为如下短网址：\r\n\r\nhttp://s/1\r\n\r\n点击确定将在浏览器打开短网址！");
  EXPECT_EQ(InterfaceTestReport("http://a/", ""),
            "http://a/\r\n\r\n转为如下短网址：\r\n\r\n转换错误！请检查参数！\r\n\r\n"
            "点击确定将在浏览器打开短网址！");
  EXPECT_EQ(BatchOutputPath("C:\\长网址.txt"), "C:\\长网址.txt.自定义短网址接口转换结果.txt");
}

}  // namespace
}  // namespace pelrine
