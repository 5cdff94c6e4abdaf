// Cases of the window and its settings: the first start, settings kept over a
// restart, a save that fails, a damaged settings file, the help page.
#include <initializer_list>

#include "cases.h"
#include "wait_until.h"

namespace e2e {
namespace {

using enum pelrine::ControlId;

struct TextCase {
  ControlId id;
  const char* name;
  const char* text;
};

struct StateCase {
  ControlId id;
  const char* name;
  bool on;
};

void CheckTexts(const ProgramUnderTest& program, CaseContext& context,
                std::initializer_list<TextCase> cases) {
  for (const TextCase& c : cases) context.log.CheckText(c.name, program.Text(c.id), c.text);
}

void CheckChecked(const ProgramUnderTest& program, CaseContext& context,
                  std::initializer_list<StateCase> cases) {
  for (const StateCase& c : cases)
    context.log.Check(program.Checked(c.id) == c.on,
                      std::string(c.name) + (c.on ? " is checked" : " is not checked"));
}

void CheckEnabled(const ProgramUnderTest& program, CaseContext& context,
                  std::initializer_list<StateCase> cases) {
  for (const StateCase& c : cases)
    context.log.Check(program.Enabled(c.id) == c.on,
                      std::string(c.name) + (c.on ? " is enabled" : " is disabled"));
}

// The directory of the program file, without the final backslash.
std::string ProgramDirectory(const CaseContext& context) {
  return context.program.substr(0, context.program.find_last_of('\\'));
}

// What the settings-kept case types and clicks, and finds again after the
// restart. tests/e2e/run checks the same values in pelrine.ini.
constexpr TextCase kTypedTexts[] = {
    {编辑框搜索词, "搜索词", "毛衣|围巾|测试词"},
    {编辑框保存目录, "保存目录", "C:\\文章\\逛逛"},
    {编辑框扩展名, "扩展名", "html"},
    {编辑框采集条数, "采集条数", "12"},
    {编辑框保存条数, "保存条数", "3"},
    {编辑框评论数, "评论数", "5"},
    {编辑框分隔符, "分隔符", "；"},
    {编辑框内容模板, "内容模板", "<p>#标题#</p>\r\n\r\n<p>#描述#</p>"},
    {编辑框标题模板, "标题模板", "  前后空白 "},
    {编辑框图片目录名, "图片目录名", "图片"},
    {编辑框词1, "词1", "红\r\n绿"},
    {编辑框pid, "pid", "mm_1_2_3"},
    {编辑框欲替换, "欲替换", "\"引号\""},
};
constexpr ControlId kClickedBoxes[] = {选择框插入标题, 选择框随机互换位置, 选择框独立目录保存,
                                       选择框自动下载图片到本地};

}  // namespace

void FirstStartCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  context.log.Check(WindowTextOf(program.Window()) == "Pelrine v2.2 逛逛分享采集",
                    "the window title is \"Pelrine v2.2 逛逛分享采集\"");
  CheckTexts(program, context,
             {{编辑框搜索词, "搜索词", "连衣裙|女装"},
              {编辑框保存目录, "保存目录", "C:\\Pelrine"},
              {编辑框扩展名, "扩展名", "htm"},
              {编辑框采集条数, "采集条数", "0"},
              {编辑框保存条数, "保存条数", "1"},
              {编辑框评论数, "评论数", "10"},
              {编辑框分隔符, "分隔符", ","},
              {编辑框标题模板, "标题模板", "《#专辑#》#随机一句#"},
              {编辑框图片目录名, "图片目录名", "img"},
              {按钮预览效果, "预览按钮", "预览效果"},
              {按钮采集保存, "采集按钮", "采集保存"},
              {按钮设置淘链, "淘链按钮", "设置淘链"},
              {标签状态, "状态标签", ""}});
  // The short-URL interface's address comes from the dwz host of the
  // settings file's service section.
  char dwz[256] = "";
  GetPrivateProfileStringA("服务地址", "dwz", "", dwz, sizeof dwz,
                           (ProgramDirectory(context) + "\\pelrine.ini").c_str());
  context.log.CheckText("接口地址", program.Text(编辑框接口地址),
                        std::string("http://") + dwz + "/create.php");
  CheckChecked(program, context,
               {{选择框独立目录保存, "每个搜索词独立子目录保存", true},
                {选择框插入标题, "搜索词插入到标题", false},
                {选择框随机互换位置, "随机互换同类数据的内容", false},
                {选择框自动下载图片到本地, "自动下载图片到本地目录", false},
                {选择框转换淘宝客链接, "自动转换淘宝客链接", false},
                {选择框替换, "替换返回结果", true}});
  CheckEnabled(program, context,
               {{图形按钮全部, "全部 (the chosen type)", false},
                {图形按钮宝贝, "宝贝", true},
                {图形按钮最热, "最热 (the chosen ranking)", false},
                {图形按钮最新, "最新", true},
                {组合框标题位置, "标题位置", false},
                {编辑框图片目录名, "图片目录名", false},
                {按钮设置淘链, "设置淘链", false},
                {按钮预览效果, "预览效果", true},
                {按钮采集保存, "采集保存", true}});
  context.log.Check(program.Selection(组合框类目) == 0, "类目 shows its first entry");
  for (auto [id, name] : {std::pair{分组框插入词, "插入词设置"},
                          {分组框设置淘链, "设置淘链 group"},
                          {分组框设置接口, "设置接口 group"}})
    context.log.Check(!program.Shown(id), std::string(name) + " is hidden");
  SavePicture(program, program.Window(), "first-start", context);
  CloseProgram(program, context);
}

void SettingsKeptCase(CaseContext& context) {
  {
    ProgramUnderTest program;
    if (!StartProgram(program, context)) return;
    for (const TextCase& c : kTypedTexts) program.Type(c.id, c.text);
    for (ControlId box : kClickedBoxes) program.Click(box);
    program.Click(图形按钮宝贝);
    program.Click(图形按钮最新);
    program.Choose(组合框类目, 5);
    program.Choose(组合框标题位置, 2);
    program.Click(图片框保存);
    MessageBoxSeen box;
    if (context.log.Check(program.WaitForMessageBox(box, 30), "the save banner shows a message")) {
      context.log.CheckText("the save message", box.text, "保存完毕！");
      context.log.CheckText("its title", box.title, "信息：");
      context.log.Check(program.Answer(box, IDOK), "the message box closes on OK");
    }
    CloseProgram(program, context);
  }
  context.log.Note("started again");
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  for (const TextCase& c : kTypedTexts)
    context.log.CheckText(std::string(c.name) + " after the restart", program.Text(c.id), c.text);
  CheckChecked(program, context,
               {{选择框插入标题, "搜索词插入到标题", true},
                {选择框随机互换位置, "随机互换同类数据的内容", true},
                {选择框独立目录保存, "每个搜索词独立子目录保存", false},
                {选择框自动下载图片到本地, "自动下载图片到本地目录", true}});
  CheckEnabled(program, context,
               {{图形按钮全部, "全部", true},
                {图形按钮宝贝, "宝贝 (the chosen type)", false},
                {图形按钮最热, "最热", true},
                {图形按钮最新, "最新 (the chosen ranking)", false},
                {组合框标题位置, "标题位置", true},
                {编辑框图片目录名, "图片目录名", true}});
  context.log.Check(program.Selection(组合框类目) == 5, "类目 is the sixth entry again");
  context.log.Check(program.Selection(组合框标题位置) == 2, "标题位置 is the third entry again");
  CloseProgram(program, context);
}

// tests/e2e/run puts a folder where the first word list's file belongs, so
// that file cannot be written; the other settings can.
void SaveFailsCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  auto answer_failure = [&](std::string_view when) {
    MessageBoxSeen box;
    if (!context.log.Check(program.WaitForMessageBox(box, 30),
                           std::string(when) + " shows a message"))
      return;
    context.log.Check(
        box.text.starts_with("保存配置失败") && box.text.find("\\插入词1.txt") != std::string::npos,
        "it tells that 插入词1.txt could not be written: " + box.text);
    context.log.Check(program.Answer(box, IDOK), "the message box closes on OK");
  };
  program.Click(图片框保存);
  answer_failure("the save banner");
  program.Close();
  answer_failure("closing");
  CheckEnded(program, context);
}

void OddSettingsCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  // tests/e2e/run stores this template among binary junk and bad numbers.
  std::string long_template;
  for (int i = 0; i < 4000; ++i) long_template += "长值12345";
  context.log.CheckText("the long 内容模板", program.Text(编辑框内容模板), long_template);
  context.log.CheckText("采集条数 (stored as \"abc\")", program.Text(编辑框采集条数), "abc");
  const int category = program.Selection(组合框类目);
  context.log.Check(category >= 0 && category <= 20, "类目 shows one of its entries");
  context.log.Check(program.Enabled(按钮采集保存), "the window answers");
  CloseProgram(program, context);
}

void HelpPageCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  program.Click(图片框操作);
  HWND help = nullptr;
  const bool opened = WaitUntil(
      [&] {
        for (HWND window : program.WindowsOfClass("PelrinePreviewWindow"))
          if (WindowTextOf(window) == "操作帮助") help = window;
        return help != nullptr;
      },
      30);
  if (context.log.Check(opened, "the help banner opens a window titled \"操作帮助\"")) {
    const std::string text = WindowTextOf(GetDlgItem(help, 2));
    context.log.Check(text.find("【内容模板】") != std::string::npos,
                      "its text page shows the help on 内容模板");
    context.log.Check(text.find("【搜索词】") != std::string::npos, "and the help on 搜索词");
    SavePicture(program, help, "help-page", context);
    program.Click(超级链接框操作);
    context.log.Check(WaitForPostedClicks(program), "the window handles the clicks");
    context.log.Check(program.WindowsOfClass("PelrinePreviewWindow").size() == 1,
                      "the help link reuses the open window");
  }
  CloseProgram(program, context);
}

}  // namespace e2e
