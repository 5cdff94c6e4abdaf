#include "app/preview_window.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/help_page.h"
#include "app/win32_handles.h"
#include "app/window_text.h"
#include "scratch_folder.h"

namespace pelrine {
namespace {

constexpr char kPageName[] = "预览效果.htm";
constexpr char kArticle[] =
    "【小鹿】在2011-05-06发布了一张图片<br><img src=\"img/1001.jpg\"><br>\r\n"
    "<p>专辑《春装》，Ta说：好看</p>\r\n";

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What the preview asked of its browser view. The test decides when the view
// has read its document, as a slow or a fast browser would.
struct BrowserRecord {
  HWND window = nullptr;
  std::function<void()> loaded;
  std::vector<std::string> paths;
  std::vector<std::string> bytes_on_disk;  // the file at each navigation
};

class FakeBrowserView final : public BrowserView {
 public:
  FakeBrowserView(HWND parent, std::function<void()> loaded, BrowserRecord& record)
      : record_(record) {
    record_.window = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    record_.loaded = std::move(loaded);
  }
  ~FakeBrowserView() override {
    DestroyWindow(record_.window);
    record_.window = nullptr;
    record_.loaded = nullptr;
  }
  HWND Window() const override { return record_.window; }
  bool renders_pages() const override { return true; }
  void Navigate(const std::string& path) override {
    record_.paths.push_back(path);
    record_.bytes_on_disk.push_back(ReadWholeFile(path));
  }

 private:
  BrowserRecord& record_;
};

// An owner window and a folder for the preview's temporary page.
class PreviewFixture : public ::testing::Test {
 protected:
  PreviewFixture()
      : owner_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~PreviewFixture() override { DestroyWindow(owner_); }

  static HWND Tabs(HWND preview) {
    return FindWindowExA(preview, nullptr, WC_TABCONTROLA, nullptr);
  }
  static HWND TextView(HWND preview) { return FindWindowExA(preview, nullptr, "Edit", nullptr); }

  // As a click on a tab does: select it, then tell the window.
  static void SelectPage(HWND preview, int page) {
    HWND tabs = Tabs(preview);
    SendMessageA(tabs, TCM_SETCURSEL, page, 0);
    NMHDR notice{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), TCN_SELCHANGE};
    SendMessageA(preview, WM_NOTIFY, notice.idFrom, reinterpret_cast<LPARAM>(&notice));
  }
  static int SelectedPage(HWND preview) {
    return static_cast<int>(SendMessageA(Tabs(preview), TCM_GETCURSEL, 0, 0));
  }

  std::string Directory() const { return folder_.Path() + "\\"; }
  std::string PagePath() const { return folder_ / kPageName; }

  ScratchFolder folder_;
  HWND owner_;
};

class PreviewWindowTest : public PreviewFixture {
 protected:
  PreviewWindowTest()
      : preview_([this](HWND parent, std::function<void()> loaded) {
          return std::make_unique<FakeBrowserView>(parent, std::move(loaded), browser_);
        }) {}

  BrowserRecord browser_;
  PreviewWindow preview_;
};

TEST_F(PreviewWindowTest, OpensOwnedTitledAndNotModal) {
  preview_.ShowPreview(owner_, kArticle, Directory(), "《春装》：好看");
  HWND window = preview_.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), "《春装》：好看");
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_TRUE(IsWindowVisible(window));

  int dpi = GetDeviceCaps(window_dc(nullptr).get(), LOGPIXELSY);
  RECT place{};
  GetWindowRect(window, &place);
  EXPECT_EQ(place.left, MulDiv(50, dpi, 96));
  EXPECT_EQ(place.top, MulDiv(50, dpi, 96));
  EXPECT_EQ(place.right - place.left, MulDiv(529, dpi, 96));
  EXPECT_EQ(place.bottom - place.top, MulDiv(409, dpi, 96));

  HWND tabs = Tabs(window);
  ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  const char* captions[] = {"文本模式", "网页模式"};
  for (int page = 0; page < 2; ++page) {
    char caption[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    SendMessageA(tabs, TCM_GETITEMA, page, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, captions[page]);
  }

  // A rendering browser is shown first; the text page shows the article itself.
  EXPECT_EQ(SelectedPage(window), 1);
  SelectPage(window, 0);
  EXPECT_EQ(WindowText(TextView(window)), kArticle);
  EXPECT_TRUE(IsWindowVisible(TextView(window)));
  EXPECT_FALSE(IsWindowVisible(browser_.window));
}

TEST_F(PreviewWindowTest, ResizingKeepsBothViewsOnTopOfEachOtherBelowTheTabStrip) {
  preview_.ShowPreview(owner_, kArticle, Directory(), "t");
  HWND window = preview_.Window();
  struct Size {
    int width, height;
  };
  for (const Size& size : {Size{529, 409}, Size{300, 200}, Size{1000, 700}, Size{160, 120}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    MoveWindow(window, 50, 50, size.width, size.height, TRUE);
    RECT client{};
    GetClientRect(window, &client);
    HWND tabs = Tabs(window);
    EXPECT_TRUE(SameRect(RectInParent(tabs), client));

    RECT tab{};
    SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    RECT text = RectInParent(TextView(window));
    EXPECT_EQ(text.left, 1);
    EXPECT_EQ(text.top, tab.bottom + 4);
    EXPECT_EQ(text.right, client.right);
    EXPECT_EQ(text.bottom, client.bottom);
    EXPECT_TRUE(SameRect(RectInParent(browser_.window), text));
  }
}

// The browser page is read from a temporary file in the preview directory.
// It stays until the view has read it, however long that takes, and goes at
// the latest when the view changes, the window closes or new content comes.
TEST_F(PreviewWindowTest, TemporaryPageLivesUntilTheViewHasReadIt) {
  ScratchFolder other_folder;
  struct Case {
    const char* ending;
    std::function<void()> end;
  };
  const Case cases[] = {
      {"the view has read the document", [&] { browser_.loaded(); }},
      {"the text page is selected", [&] { SelectPage(preview_.Window(), 0); }},
      {"the window is closed", [&] { SendMessageA(preview_.Window(), WM_CLOSE, 0, 0); }},
      {"the next preview comes",
       [&] { preview_.ShowPreview(owner_, "<p>下一篇</p>", other_folder.Path() + "\\", "t"); }},
      {"the help page comes", [&] { preview_.ShowHelpPage(owner_, other_folder.Path()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ending);
    preview_.ShowPreview(owner_, kArticle, Directory(), "t");
    SelectPage(preview_.Window(), 1);
    ASSERT_FALSE(browser_.paths.empty());
    EXPECT_EQ(browser_.paths.back(), PagePath());
    EXPECT_EQ(browser_.bytes_on_disk.back(), kArticle);

    PumpMessages();
    EXPECT_EQ(ReadWholeFile(PagePath()), kArticle) << "gone before the view read it";
    c.end();
    EXPECT_FALSE(FileExists(PagePath()));
    if (preview_.Window()) SelectPage(preview_.Window(), 0);
    EXPECT_FALSE(FileExists(other_folder / kPageName));
  }
}

TEST_F(PreviewWindowTest, SwitchingPagesLeavesNoTemporaryPageBehind) {
  preview_.ShowPreview(owner_, kArticle, Directory(), "t");
  HWND window = preview_.Window();
  size_t navigations = browser_.paths.size();
  for (int page : {0, 1, 0, 1, 1, 0, 1}) {
    SelectPage(window, page);
    if (page == 1) {
      ++navigations;
      EXPECT_EQ(browser_.bytes_on_disk.back(), kArticle);
    }
  }
  EXPECT_EQ(browser_.paths.size(), navigations);
  browser_.loaded();
  EXPECT_FALSE(FileExists(PagePath()));
}

TEST_F(PreviewWindowTest, HelpPageReplacesAnOpenPreviewAndRetitlesIt) {
  preview_.ShowPreview(owner_, kArticle, Directory(), "《春装》：好看");
  HWND window = preview_.Window();
  ScratchFolder program_folder;
  preview_.ShowHelpPage(owner_, program_folder.Path());

  EXPECT_EQ(preview_.Window(), window);
  EXPECT_EQ(WindowText(window), "操作帮助");
  EXPECT_EQ(browser_.paths.back(), program_folder / kPageName);
  EXPECT_EQ(browser_.bytes_on_disk.back(), HelpPage());
  SelectPage(window, 0);
  EXPECT_EQ(WindowText(TextView(window)), HelpPage());
}

TEST_F(PreviewWindowTest, ClosedWindowIsMadeAnewForTheNextPreview) {
  preview_.ShowPreview(owner_, kArticle, Directory(), "第一篇");
  SendMessageA(preview_.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(preview_.Window(), nullptr);

  preview_.ShowPreview(owner_, "<p>第二篇</p>", Directory(), "第二篇");
  ASSERT_NE(preview_.Window(), nullptr);
  EXPECT_EQ(WindowText(preview_.Window()), "第二篇");
  EXPECT_EQ(browser_.bytes_on_disk.back(), "<p>第二篇</p>");
}

// The test prefix has no browser engine, so the system view falls back to a
// message and a button that hands the page to the default browser.
TEST_F(PreviewFixture, WithoutABrowserEngineThePageOffersTheDefaultBrowser) {
  std::vector<std::string> opened;
  std::vector<std::string> bytes_when_opened;
  PreviewWindow preview(SystemBrowserView([&](const std::string& path) {
    opened.push_back(path);
    bytes_when_opened.push_back(ReadWholeFile(path));
  }));
  preview.ShowPreview(owner_, kArticle, Directory(), "t");
  HWND window = preview.Window();
  ASSERT_NE(window, nullptr);

  EXPECT_EQ(SelectedPage(window), 0) << "a view that cannot render should not be shown first";
  EXPECT_EQ(WindowText(TextView(window)), kArticle);

  SelectPage(window, 1);
  HWND page = FindWindowExA(window, nullptr, "PelrineBrowserPage", nullptr);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(IsWindowVisible(page));
  HWND message = FindWindowExA(page, nullptr, "Static", nullptr);
  HWND button = FindWindowExA(page, nullptr, "Button", nullptr);
  ASSERT_NE(message, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(WindowText(message).empty());
  EXPECT_TRUE(SameRect(RectInParent(page), RectInParent(TextView(window))));

  SendMessageA(button, BM_CLICK, 0, 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], PagePath());
  EXPECT_EQ(bytes_when_opened[0], kArticle);

  SelectPage(window, 0);
  EXPECT_FALSE(FileExists(PagePath()));
}

TEST(HelpPage, HasTheTwelveTopicsInOrderAndNoAddress) {
  const std::string page(HelpPage());
  size_t at = 0;
  for (const char* topic :
       {"【内容模板】", "【标题模板】", "【搜索词】", "【每个搜索词采集多少条】",
        "【每个搜索词独立子目录保存】", "【多少条存到一个新文件】", "【随机互换同类数据的内容】",
        "【保存目录】", "【自动下载图片到本地目录】", "【插入搜索词到标题】", "【预览效果】",
        "【采集保存】"}) {
    std::string section = std::string("<br><hr /><br>\r\n<h3>") + topic + "</h3>";
    size_t found = page.find(section, at);
    EXPECT_NE(found, std::string::npos) << topic;
    if (found != std::string::npos) at = found + section.size();
  }
  for (const char* address : {"http:", "https:", "www.", "://", ".com"})
    EXPECT_EQ(page.find(address), std::string::npos) << address;
}

}  // namespace
}  // namespace pelrine
