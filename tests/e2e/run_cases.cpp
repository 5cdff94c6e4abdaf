// Cases of the two runs against the service simulator: a preview, a collect
// run to its end, a collect run stopped by a second click, and closing the
// window during a run. tests/e2e/run prepares the settings (search words, a
// save directory in the case folder, short templates) and checks the files.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "cases.h"
#include "wait_until.h"

namespace e2e {
namespace {

using enum pelrine::ControlId;

constexpr char kCompletionMessage[] = "采集完成！右击选择目录按钮‘..’可打开保存目录";
constexpr char kShareMarker[] = "<div class=\"share\">";  // opens each share's template

size_t CountOf(std::string_view text, std::string_view part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// The values of every src="img/..." attribute of an article.
std::vector<std::string> PicturePaths(std::string_view article) {
  constexpr std::string_view kOpening = "src=\"img/";
  std::vector<std::string> paths;
  for (size_t at = article.find(kOpening); at != std::string_view::npos;
       at = article.find(kOpening, at + 1)) {
    const size_t start = at + 5, end = article.find('"', start);
    if (end == std::string_view::npos) break;
    paths.emplace_back(article.substr(start, end - start));
  }
  return paths;
}

// The page of the first search word whose request the status label shows
// ("搜索 连衣裙(3).." or "搜索词：连衣裙 (3)..正在访问页面 ..."); 0 for none.
int PageShown(const std::string& status) {
  for (const std::string_view opening : {"连衣裙(", "连衣裙 ("}) {
    const size_t at = status.find(opening);
    if (at != std::string::npos) return std::atoi(status.c_str() + at + opening.size());
  }
  return 0;
}

// Waits for the request of page `page` or a later one of the first word: the
// pages before it are collected then. Pages may pass faster than the label is
// read, so any later page will do.
bool WaitForPage(const ProgramUnderTest& program, CaseContext& context, int page) {
  std::string what = "the status label reaches page ";
  what.append(std::to_string(page)).append(" of the first word");
  return context.log.Check(
      WaitUntil([&] { return PageShown(program.Text(标签状态)) >= page; }, 120), what);
}

// Waits for the completion message of a collect run and answers it.
void AnswerCompletion(const ProgramUnderTest& program, CaseContext& context) {
  MessageBoxSeen box;
  if (!context.log.Check(program.WaitForMessageBox(box, 240), "the run shows a message")) return;
  context.log.CheckText("the message", box.text, kCompletionMessage);
  context.log.Check(program.Answer(box, IDOK), "the message box closes on OK");
  context.log.CheckText("the collect button's caption", program.Text(按钮采集保存), "采集保存");
  context.log.Check(program.Enabled(按钮预览效果), "the preview button is enabled again");
}

}  // namespace

void PreviewRunCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  program.Click(按钮预览效果);
  // The title template is "预览：#插入词1#" and the word list holds one word.
  HWND preview = nullptr;
  const bool opened = WaitUntil(
      [&] {
        const std::vector<HWND> windows = program.WindowsOfClass("PelrinePreviewWindow");
        if (!windows.empty()) preview = windows.front();
        return preview != nullptr;
      },
      180);
  if (context.log.Check(opened, "the preview run opens the preview window")) {
    context.log.CheckText("the preview window's title", WindowTextOf(preview), "预览：甲一");
    const std::string article = WindowTextOf(GetDlgItem(preview, 2));
    const size_t shares = CountOf(article, kShareMarker);
    context.log.Check(shares >= 1 && shares <= 6, "the text page shows the first page's shares (" +
                                                      std::to_string(shares) + ")");
    const std::vector<std::string> pictures = PicturePaths(article);
    context.log.Check(pictures.size() == shares, "each share's picture is a local path");
    const std::string directory = program.Text(编辑框保存目录) + "\\连衣裙\\";
    for (std::string path : pictures) {
      for (char& c : path)
        if (c == '/') c = '\\';
      context.log.Check(GetFileAttributesA((directory + path).c_str()) != INVALID_FILE_ATTRIBUTES,
                        "the picture " + path + " is stored");
    }
    SavePicture(program, preview, "preview-run", context);
  }
  WaitUntil([&] { return program.Text(按钮预览效果) == "预览效果"; }, 60);
  context.log.CheckText("the preview button's caption", program.Text(按钮预览效果), "预览效果");
  context.log.Check(program.Enabled(按钮采集保存), "the collect button is enabled again");
  CloseProgram(program, context);
}

void CollectRunCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  program.Click(按钮采集保存);
  AnswerCompletion(program, context);
  context.log.CheckText("the status label", program.Text(标签状态), "");
  SavePicture(program, program.Window(), "collect-run", context);
  CloseProgram(program, context);
}

void StopRunCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  program.Click(按钮采集保存);
  if (WaitForPage(program, context, 3)) {
    context.log.Check(!program.Enabled(按钮预览效果), "the preview button is disabled meanwhile");
    program.Click(按钮采集保存);
    AnswerCompletion(program, context);
  }
  CloseProgram(program, context);
}

void CloseDuringRunCase(CaseContext& context) {
  ProgramUnderTest program;
  if (!StartProgram(program, context)) return;
  program.Click(按钮采集保存);
  if (WaitForPage(program, context, 2)) {
    HWND window = program.Window();
    program.Close();
    context.log.Check(WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 60),
                      "closing hides the window");
    CheckEnded(program, context);
    return;
  }
  CloseProgram(program, context);
}

}  // namespace e2e
