#include "links/interface_tools.h"

#include <algorithm>

namespace pelrine {

std::string InterfaceTestReport(std::string_view long_url, std::string_view short_url) {
  std::string report(long_url);
  report += "\r\n\r\n转为如下短网址：\r\n\r\n";
  report += short_url.empty() ? std::string_view("转换错误！请检查参数！") : short_url;
  report += "\r\n\r\n点击确定将在浏览器打开短网址！";
  return report;
}

std::string BatchOutputPath(std::string_view input_path) {
  return std::string(input_path) + ".自定义短网址接口转换结果.txt";
}

std::string ConvertBatch(std::string_view input,
                         const std::function<std::string(const std::string& line)>& convert,
                         EventPump& events, const std::function<bool()>& go_on) {
  std::string output;
  for (size_t start = 0; start < input.size() && go_on();) {
    const size_t end = std::min(input.find_first_of("\r\n", start), input.size());
    const std::string line(input.substr(start, end - start));
    start = end + (input.substr(end, 2) == "\r\n" ? 2 : 1);
    if (!line.empty()) output += convert(line) + "\r\n";
    events.ProcessEvents();
  }
  return output;
}

}  // namespace pelrine
