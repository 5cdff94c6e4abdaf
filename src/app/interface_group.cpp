// The tools of the short-URL interface group: the test, the batch
// conversion, import and export, and the explanation.
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/settings.h"
#include "links/interface_tools.h"

namespace pelrine {
namespace {

using enum ControlId;

constexpr char kInfoTitle[] = "信息：";
constexpr char kGroupCaption[] = "设置短网址接口";
constexpr char kSection[] = "基本配置";
constexpr char kIniFilter[] = "ini文件|*.ini|全部文件|*.*";

constexpr char kInterfaceExplanation[] =
    "为什么要用自定义短网址接口？\r\n"
    "直接的淘宝客链接不受搜索引擎欢迎，而公共的短网址服务又被大量滥用，"
    "用您自己的短网址服务转换推广链接更稳妥。\r\n\r\n"
    "怎样找到接口的各项参数？\r\n"
    "1. 在浏览器中打开您自己的短网址页面，并打开浏览器的开发者工具（按 F12），切换到“网络”页。\r\n"
    "2. 在页面上转换一个网址，找到页面为此发出的那条请求。\r\n"
    "3. 把请求的网址填入“接口地址”，把请求的数据填入“POST数据”，"
    "并在长网址所在的位置换成 #网址#；请求的方法（GET 或 POST）就是调用模式。\r\n"
    "4. 看请求的返回内容，把短网址左边和右边紧挨着的字符填入“返回处理”，"
    "需要时用替换把返回结果里的转义字符还原。\r\n"
    "5. 点“测试接口”检查能否得到正确的短网址。\r\n\r\n"
    "不想设置接口时，百度 dwz、CNZZ 短网址或直接的淘宝客链接仍然可用。";

}  // namespace

void MainWindow::Inform(const std::string& text) {
  setup_.desktop.Message(Window(), text, kInfoTitle, MB_OK | MB_ICONINFORMATION);
}

void MainWindow::TestInterface() {
  const std::optional<std::string> address =
      setup_.desktop.Input(Window(), "请输入一个长网址，根据当前接口测试是否能正确转换短网址：",
                           "测试接口", kInterfaceSampleAddress);
  if (!address) return;
  const std::string result =
      setup_.run.links.ShortenWithInterface(*address, ShortUrlInterfaceValues());
  if (!Window() || quitting_) return;
  if (setup_.desktop.Message(Window(), InterfaceTestReport(*address, result), "转换结果",
                             MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
    setup_.desktop.OpenInBrowser(result);
}

// The batch processes window events between lines and while each request
// waits; closing the window ends it after the line being converted.
void MainWindow::ConvertInterfaceBatch() {
  const std::optional<std::string> path =
      setup_.desktop.ChooseFile(Window(), {.title = "选择一个文本文件，内含一行一条的长网址：",
                                           .filter = "txt文件|*.txt|全部文件|*.*",
                                           .default_extension = "txt"});
  if (!path) return;
  FileSystem& files = setup_.run.files;
  const std::optional<std::string> input = files.ReadWholeFile(*path);
  if (!input) return Inform("无法读取文件，没有转换：\r\n" + *path);
  const std::string output_path = BatchOutputPath(*path);
  if (!files.WriteWholeFile(output_path, ""))
    return Inform("无法创建结果文件，没有转换：\r\n" + output_path);

  const auto open = [this] { return Window() != nullptr && !quitting_; };
  const std::string output = ConvertBatch(
      *input,
      [this](const std::string& line) {
        controls_.SetText(分组框设置接口, "正在转换 " + line);
        return setup_.run.links.ShortenWithInterface(line, ShortUrlInterfaceValues());
      },
      *this, open);
  const bool written = files.WriteWholeFile(output_path, output);
  if (!open()) return;
  controls_.SetText(分组框设置接口, kGroupCaption);
  Inform(written ? "转换完成！" : "无法写入结果文件：\r\n" + output_path);
}

void MainWindow::ImportInterface() {
  const std::optional<std::string> path =
      setup_.desktop.ChooseFile(Window(), {.filter = kIniFilter});
  if (!path) return;
  SettingsStore store;
  store.SetFile(*path);
  store.SetSection(kSection);
  if (!setup_.run.files.ReadWholeFile(*path))
    return Inform("无法读取文件，接口没有导入：\r\n" + *path);
  if (!HasInterfaceSettings(store))
    return Inform("文件中没有短网址接口的设置，接口没有导入：\r\n" + *path);
  LoadInterfaceSettings(*this, store);
  Inform("接口已导入！");
}

void MainWindow::ExportInterface() {
  const std::optional<std::string> path = setup_.desktop.ChooseFile(
      Window(), {.save = true, .filter = kIniFilter, .default_extension = "ini"});
  if (!path) return;
  SettingsStore store;
  store.SetFile(*path);
  store.SetSection(kSection);
  Inform(SaveInterfaceSettings(*this, store) ? "接口已导出！"
                                             : "无法写入文件，接口没有导出：\r\n" + *path);
}

void MainWindow::ExplainInterface() { Inform(kInterfaceExplanation); }

}  // namespace pelrine
