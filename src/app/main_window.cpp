#include "app/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ranges>

#include "app/control_table.h"
#include "app/message_loop.h"
#include "app/pictures.h"
#include "app/settings.h"
#include "app/shell_helpers.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

using enum ControlId;

constexpr char kWindowClass[] = "PelrineMainWindow";
constexpr char kWindowTitle[] = "Pelrine v2.2 逛逛分享采集";
constexpr char kTrayTip[] = "Quorvel·Pelrine";
constexpr char kInfoTitle[] = "信息：";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kForwardingId = 1;
constexpr UINT_PTR kRightClickId = 2;

// The client area that holds every control, in pixels at 96 DPI.
constexpr int kClientWidth = 894;
constexpr int kClientHeight = 548;

constexpr char kConversionExplanation[] =
    "内容模板里的 #购买# 是分享所关联的淘宝商品的购买链接。\r\n\r\n"
    "勾选“自动转换淘宝客链接”后，程序通过淘宝开放平台的淘宝客商品搜索，"
    "用您的 App Key、App Secret 和淘客 PID 把它换成您自己的淘宝客推广链接。\r\n\r\n"
    "搜索的关键词依次为：完整的商品标题；按空格拆开的商品标题的各段；完整的标签文字；"
    "按标签分隔符拆开的各个标签；专辑名称。哪个关键词先搜到商品，就用哪个商品的推广链接。\r\n\r\n"
    "都搜不到时（也可能是该商品没有参加淘宝客推广），使用一个固定的推广链接。";

struct TemplateItemButton {
  ControlId button;
  const char* item;
};
constexpr TemplateItemButton kTemplateItemButtons[] = {
    {按钮图片, "图片"}, {按钮昵称, "昵称"}, {按钮日期, "日期"},       {按钮描述, "描述"},
    {按钮专辑, "专辑"}, {按钮喜欢, "喜欢"}, {按钮鲜花, "鲜花"},       {按钮鸡蛋, "鸡蛋"},
    {按钮标签, "标签"}, {按钮页面, "页面"}, {按钮评论, "评论"},       {按钮标题, "标题"},
    {按钮购买, "购买"}, {按钮价格, "价格"}, {按钮插入词1, "插入词1"}, {按钮插入词2, "插入词2"},
};

struct Choice {
  ControlId button;
  const char* code;
};
constexpr std::array<Choice, 4> kShareTypes = {
    {{图形按钮全部, "0"}, {图形按钮宝贝, "1"}, {图形按钮图片, "2"}, {图形按钮文章, "3"}}};
constexpr std::array<Choice, 2> kRankings = {{{图形按钮最热, "1"}, {图形按钮最新, "2"}}};

constexpr ControlId kRowLabels[] = {标签分类, 标签排行, 标签类目, 标签评论, 标签标签};

struct TileSpec {
  ControlId picture;
  Tile tile;
};
constexpr TileSpec kTiles[] = {{图片框保存, Tile::Save},
                               {图片框更新, Tile::Update},
                               {图片框操作, Tile::Help},
                               {图片框软件, Tile::Software},
                               {图片框QQ, Tile::Messenger}};

ControlId IdOf(HWND control) { return static_cast<ControlId>(GetDlgCtrlID(control)); }

bool IsKind(ControlId id, ControlKind kind) {
  const ControlSpec* entry = FindSpec(id);
  return entry && entry->kind == kind;
}

int CALLBACK NoteFontFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The first installed face of a few that hold the Chinese characters well;
// the system's message font when none is there.
gdi_object<HFONT> CreateDialogFont(int dpi) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTA font = metrics.lfMessageFont;
  const window_dc screen(nullptr);
  for (const char* face : {"Microsoft YaHei", "SimSun", "WenQuanYi Micro Hei"}) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(screen.get(), &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    if (found) {
      lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
      font.lfCharSet = DEFAULT_CHARSET;
      break;
    }
  }
  font.lfHeight = -MulDiv(9, dpi, 72);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfQuality = CLEARTYPE_QUALITY;
  return gdi_object<HFONT>(CreateFontIndirectA(&font));
}

// The hyperlink font: underlined, and a pixel smaller, so that "呼叫Quorvel"
// fits the width of its tile.
gdi_object<HFONT> LinkFont(HFONT base, int dpi) {
  LOGFONTA font{};
  GetObjectA(base, sizeof font, &font);
  font.lfUnderline = TRUE;
  font.lfHeight = -MulDiv(11, dpi, 96);
  return gdi_object<HFONT>(CreateFontIndirectA(&font));
}

// The text on the clipboard, "" when it holds none; nothing when another
// program keeps the clipboard open.
std::optional<std::string> ClipboardText(HWND owner) {
  if (!OpenClipboard(owner)) return std::nullopt;
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      const size_t size = GlobalSize(data);
      text.assign(bytes, std::find(bytes, bytes + size, '\0'));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : setup_(std::move(setup)),
      run_buttons_(RunServices{setup_.run, *this}) {}

MainWindow::~MainWindow() {
  if (Window()) DestroyWindow(Window());
}

bool MainWindow::Create(HINSTANCE instance) {
  {
    const window_dc screen(nullptr);
    dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  return CreateAs(kWindowClass, kWindowTitle, kStyle, 50, 50, frame.right - frame.left,
                  frame.bottom - frame.top, instance);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = Window();
  switch (message) {
    case WM_CREATE:
      font_ = CreateDialogFont(dpi_);
      link_font_ = LinkFont(font_.get(), dpi_);
      row_brush_.reset(CreateSolidBrush(kRowBackground));
      tile_brush_.reset(CreateSolidBrush(kTileBackground));
      big_icon_ = CreateProgramIcon(GetSystemMetrics(SM_CXICON));
      small_icon_ = CreateProgramIcon(GetSystemMetrics(SM_CXSMICON));
      SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
      SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
      taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
      CreateControls();
      SetInitialValues();
      template_target_ = 编辑框内容模板;
      LoadSettings(*this, setup_.settings);
      AttachTooltips();
      return 0;
    case WM_SHOWWINDOW:
      if (wparam && !tray_)
        tray_ = std::make_unique<TrayIcon>(window, kTrayMessage, small_icon_.get(), kTrayTip);
      break;
    case WM_COMMAND:
      if (lparam) OnCommand(static_cast<ControlId>(LOWORD(wparam)), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) return TRUE;
      break;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case kTrayMessage:
      OnTrayEvent(LOWORD(lparam));
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      tray_.reset();
      PostQuitMessage(0);
      return 0;
    default:
      if (message == taskbar_created_ && taskbar_created_ != 0 && tray_) tray_->Restore();
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void MainWindow::CreateControls() {
  for (const ControlSpec& entry : MainWindowControls())
    controls_.Add(entry.id, CreateControl(entry));
  // Labels lie below everything else: some of them are the background of a
  // row of other controls. The first label of the table lies lowest.
  for (const ControlSpec& entry : MainWindowControls() | std::views::reverse)
    if (entry.kind == ControlKind::Label || entry.kind == ControlKind::Line)
      SetWindowPos(controls_[entry.id], HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The picture folder's box begins inside the width of its check box, whose
  // caption ends before it: the box lies above, so none of it is hidden.
  SetWindowPos(controls_[选择框自动下载图片到本地], controls_[编辑框图片目录名], 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowSubclass(controls_[按钮选择目录], ForwardingProc, kRightClickId,
                    reinterpret_cast<DWORD_PTR>(this));
}

HWND MainWindow::CreateControl(const ControlSpec& entry) {
  const char* window_class = WC_STATICA;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  DWORD extended = 0;
  int height = Scale(entry.height);
  switch (entry.kind) {
    case ControlKind::Label:
      style |= SS_NOPREFIX | SS_CENTERIMAGE | (entry.id == 标签排行 ? SS_RIGHT : SS_LEFT);
      if (entry.id == 标签状态) style |= SS_ENDELLIPSIS;
      break;
    case ControlKind::Line:
      style |= SS_ETCHEDHORZ;
      break;
    case ControlKind::Edit:
      window_class = WC_EDITA;
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::MultiLineEdit:
      window_class = WC_EDITA;
      style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      window_class = WC_BUTTONA;
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::CheckBox:
      window_class = WC_BUTTONA;
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::DropDown:
      window_class = WC_COMBOBOXA;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      height = Scale(entry.height + 300);  // the height of the open list
      break;
    case ControlKind::GroupBox:
      window_class = WC_BUTTONA;
      style = (style & ~WS_VISIBLE) | WS_CLIPCHILDREN | BS_GROUPBOX;
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::PictureBox:
      style |= WS_CLIPCHILDREN | SS_OWNERDRAW | SS_NOTIFY;
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::PictureButton:
      window_class = WC_BUTTONA;
      style |= WS_TABSTOP | BS_OWNERDRAW;
      break;
    case ControlKind::Hyperlink:
      style |= SS_NOPREFIX | SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE;
      break;
  }
  HWND parent = entry.parent == None ? Window() : controls_[entry.parent];
  HWND control = CreateWindowExA(extended, window_class, entry.text, style, Scale(entry.left),
                                 Scale(entry.top), Scale(entry.width), height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                 GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(entry.kind == ControlKind::Hyperlink ? link_font_.get()
                                                                             : font_.get()),
               FALSE);
  if (entry.kind == ControlKind::Edit || entry.kind == ControlKind::MultiLineEdit)
    SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
  // Controls that hold others pass their children's notifications on.
  if (entry.kind == ControlKind::GroupBox || entry.kind == ControlKind::PictureBox)
    SetWindowSubclass(control, ForwardingProc, kForwardingId, reinterpret_cast<DWORD_PTR>(this));
  return control;
}

void MainWindow::SetInitialValues() const {
  const auto fill = [&](ControlId list, const std::vector<std::string>& items, int selected) {
    SendMessageA(controls_[list], CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      SendMessageA(controls_[list], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    controls_.Select(list, selected);
  };
  fill(组合框类目, SplitText(kCategoryList, kCategorySeparator), -1);
  fill(组合框标题位置, {"随机位置", "标题左", "标题右", "标题左或右"}, 0);
  fill(组合框短网址选项,
       {"直接淘宝客链接", "转为百度的" + setup_.hosts.dwz, "转为CNZZ的" + setup_.hosts.cnzz,
        "自定义短网址接口"},
       0);
  fill(组合框调用模式, {"GET", "POST"}, 1);
  fill(组合框URL编码, {"GBK", "UTF-8"}, 1);
  controls_.SetText(编辑框接口地址, "http://" + setup_.hosts.dwz + "/create.php");
  controls_.SetChecked(选择框独立目录保存, true);
  controls_.SetChecked(选择框替换, true);
}

void MainWindow::AttachTooltips() {
  tooltips_.Create(Window());
  for (const TooltipSpec& tip : MainWindowTooltips())
    tooltips_.AttachTooltip(controls_[tip.id], tip.text);
}

void MainWindow::SelectShareType(ShareTypeChoice type) {
  const Choice& chosen = kShareTypes[static_cast<size_t>(type)];
  for (const Choice& choice : kShareTypes)
    controls_.Enable(choice.button, choice.button != chosen.button);
  share_type_tag_ = chosen.code;
}

void MainWindow::SelectRanking(RankingChoice ranking) {
  const Choice& chosen = kRankings[static_cast<size_t>(ranking)];
  for (const Choice& choice : kRankings)
    controls_.Enable(choice.button, choice.button != chosen.button);
  ranking_tag_ = chosen.code;
}

void MainWindow::InsertInto(ControlId box, std::string_view text) const {
  const std::string marker(text);
  SendMessageA(controls_[box], EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(marker.c_str()));
  SetFocus(controls_[box]);
}

void MainWindow::InsertTemplateItem(std::string_view item) {
  std::string marker = "#";
  marker.append(item).append("#");
  InsertInto(template_target_, marker);
}

void MainWindow::ApplyInsertTitleRule() const {
  controls_.Enable(组合框标题位置, controls_.Checked(选择框插入标题));
}

void MainWindow::ApplyPictureDownloadRule() const {
  controls_.Enable(编辑框图片目录名, controls_.Checked(选择框自动下载图片到本地));
}

void MainWindow::ApplyAffiliateRule() const {
  const bool on = controls_.Checked(选择框转换淘宝客链接);
  controls_.Enable(按钮设置淘链, on);
  if (!on && controls_.Text(按钮设置淘链) == "关闭设置") ToggleAffiliateGroup();
}

void MainWindow::ToggleAffiliateGroup() const {
  const bool open = controls_.Text(按钮设置淘链) == "设置淘链";
  controls_.SetText(按钮设置淘链, open ? "关闭设置" : "设置淘链");
  controls_.Show(分组框设置淘链, open);
  UpdateInterfaceButton();
}

void MainWindow::UpdateInterfaceButton() const {
  const bool enabled =
      controls_.Selection(组合框短网址选项) == 3 && controls_.Shown(分组框设置淘链);
  controls_.Enable(按钮设置接口, enabled);
  if (!enabled) controls_.SetText(按钮设置接口, "设置接口");
  if (controls_.Text(按钮设置接口) == "设置接口") controls_.Show(分组框设置接口, false);
}

void MainWindow::ToggleInterfaceGroup() const {
  const bool open = controls_.Text(按钮设置接口) == "设置接口";
  controls_.SetText(按钮设置接口, open ? "关闭设置" : "设置接口");
  controls_.Show(分组框设置接口, open);
}

void MainWindow::ToggleInsertWordGroup() const {
  const bool open = !controls_.Shown(分组框插入词);
  controls_.Show(分组框插入词, open);
  controls_.SetText(按钮设置插入词, open ? "关闭插入词设置" : "设置插入词..");
}

void MainWindow::ApplyCallModeRule() const {
  controls_.Enable(编辑框POST数据, controls_.Selection(组合框调用模式) != 0);
}

void MainWindow::ApplyReplaceRule() const {
  const bool on = controls_.Checked(选择框替换);
  controls_.Enable(编辑框欲替换, on);
  controls_.Enable(编辑框替换为, on);
}

void MainWindow::ProcessEvents() { ProcessPendingMessages(Window()); }

std::string MainWindow::InsertWords1() { return controls_.Text(编辑框词1); }
std::string MainWindow::InsertWords2() { return controls_.Text(编辑框词2); }
std::string MainWindow::SearchWords() { return controls_.Text(编辑框搜索词); }
std::string MainWindow::SaveDirectory() { return controls_.Text(编辑框保存目录); }
std::string MainWindow::Extension() { return controls_.Text(编辑框扩展名); }
std::string MainWindow::PerWordLimit() { return controls_.Text(编辑框采集条数); }
std::string MainWindow::ContentTemplates() { return controls_.Text(编辑框内容模板); }
std::string MainWindow::TitleTemplate() { return controls_.Text(编辑框标题模板); }
std::string MainWindow::SharesPerFile() { return controls_.Text(编辑框保存条数); }
bool MainWindow::PerWordSubdirectory() { return controls_.Checked(选择框独立目录保存); }
int MainWindow::ShareType() { return static_cast<int>(LeadingInteger(share_type_tag_)); }
int MainWindow::Ranking() { return static_cast<int>(LeadingInteger(ranking_tag_)); }
int MainWindow::Category() { return controls_.Selection(组合框类目); }
std::string MainWindow::CommentCount() { return controls_.Text(编辑框评论数); }
std::string MainWindow::TagSeparator() { return controls_.Text(编辑框分隔符); }
bool MainWindow::SwapSameKind() { return controls_.Checked(选择框随机互换位置); }
bool MainWindow::InsertSearchWordIntoTitle() { return controls_.Checked(选择框插入标题); }
int MainWindow::TitlePosition() { return controls_.Selection(组合框标题位置); }
bool MainWindow::DownloadPictures() { return controls_.Checked(选择框自动下载图片到本地); }
std::string MainWindow::PictureDirectoryName() { return controls_.Text(编辑框图片目录名); }
bool MainWindow::ConvertAffiliateLinks() { return controls_.Checked(选择框转换淘宝客链接); }
std::string MainWindow::AppKey() { return controls_.Text(编辑框钥匙); }
std::string MainWindow::AppSecret() { return controls_.Text(编辑框密码); }
std::string MainWindow::Pid() { return controls_.Text(编辑框pid); }
int MainWindow::ShortUrlOption() { return controls_.Selection(组合框短网址选项); }

ShortUrlInterface MainWindow::ShortUrlInterfaceValues() {
  return ShortUrlInterface{.method = controls_.Selection(组合框调用模式),
                           .url_encoding = controls_.Selection(组合框URL编码),
                           .address = controls_.Text(编辑框接口地址),
                           .post_data = controls_.Text(编辑框POST数据),
                           .left_marker = controls_.Text(编辑框左边字符),
                           .right_marker = controls_.Text(编辑框右边字符),
                           .reverse = controls_.Checked(选择框逆向),
                           .replace = controls_.Checked(选择框替换),
                           .find_list = controls_.Text(编辑框欲替换),
                           .replacement_list = controls_.Text(编辑框替换为)};
}

std::string MainWindow::PreviewCaption() { return controls_.Text(按钮预览效果); }
void MainWindow::SetPreviewCaption(std::string_view caption) {
  controls_.SetText(按钮预览效果, caption);
}
void MainWindow::EnablePreviewButton(bool enabled) { controls_.Enable(按钮预览效果, enabled); }
std::string MainWindow::CollectCaption() { return controls_.Text(按钮采集保存); }
void MainWindow::SetCollectCaption(std::string_view caption) {
  controls_.SetText(按钮采集保存, caption);
}
void MainWindow::EnableCollectButton(bool enabled) { controls_.Enable(按钮采集保存, enabled); }
void MainWindow::SetStatusText(std::string_view text) { controls_.SetText(标签状态, text); }

// A window closed during the run shows neither the completion message nor a
// preview.
void MainWindow::ShowMessage(std::string_view text) {
  if (!close_pending_) setup_.desktop.Message(Window(), std::string(text), kInfoTitle, MB_OK);
}

void MainWindow::ShowPreview(std::string_view content, std::string_view directory,
                             std::string_view title) {
  if (!close_pending_)
    setup_.desktop.ShowPreview(Window(), std::string(content), std::string(directory),
                               std::string(title));
}

void MainWindow::OnCommand(ControlId id, int notification) {
  switch (notification) {
    case BN_CLICKED:  // also STN_CLICKED
      OnClick(id);
      break;
    case EN_SETFOCUS:
      if (id == 编辑框内容模板 || id == 编辑框标题模板) template_target_ = id;
      break;
    case CBN_SELCHANGE:
      if (id == 组合框短网址选项) UpdateInterfaceButton();
      if (id == 组合框调用模式) ApplyCallModeRule();
      break;
  }
}

void MainWindow::OnClick(ControlId id) {
  for (const TemplateItemButton& button : kTemplateItemButtons)
    if (button.button == id) return InsertTemplateItem(button.item);
  for (size_t i = 0; i < kShareTypes.size(); ++i)
    if (kShareTypes[i].button == id) return SelectShareType(static_cast<ShareTypeChoice>(i));
  for (size_t i = 0; i < kRankings.size(); ++i)
    if (kRankings[i].button == id) return SelectRanking(static_cast<RankingChoice>(i));
  const PublisherLinks& links = setup_.links;
  switch (id) {
    case 按钮随机一句:
      return InsertInto(编辑框标题模板, "#随机一句#");
    case 按钮预览效果:
    case 按钮采集保存:
      return StartOrStopRun(id);
    case 选择框插入标题:
      return ApplyInsertTitleRule();
    case 选择框自动下载图片到本地:
      return ApplyPictureDownloadRule();
    case 选择框转换淘宝客链接:
      return ApplyAffiliateRule();
    case 选择框替换:
      return ApplyReplaceRule();
    case 按钮设置淘链:
      return ToggleAffiliateGroup();
    case 按钮设置接口:
      return ToggleInterfaceGroup();
    case 按钮设置插入词:
      return ToggleInsertWordGroup();
    case 按钮粘贴词1:
      return PasteWords(编辑框词1);
    case 按钮粘贴词2:
      return PasteWords(编辑框词2);
    case 按钮选择目录:
      return setup_.desktop.ChooseFolder(controls_[编辑框保存目录]);
    case 按钮5:
      return TestInterface();
    case 按钮接口批处理:
      return ConvertInterfaceBatch();
    case 按钮导入接口:
      return ImportInterface();
    case 按钮导出接口:
      return ExportInterface();
    case 按钮2:
      return ExplainInterface();
    case 按钮1:
      setup_.desktop.Message(Window(), kConversionExplanation, kInfoTitle,
                             MB_OK | MB_ICONINFORMATION);
      return;
    case 图片框官网:
      return setup_.desktop.OpenInBrowser(links.home);
    case 图片框保存:
    case 超级链接框保存:
      return SaveAndReport(true);
    case 图片框更新:
    case 超级链接框更新:
      return setup_.desktop.OpenInBrowser(links.updates);
    case 图片框操作:
    case 超级链接框操作:
      return setup_.desktop.ShowHelpPage(Window());
    case 图片框软件:
    case 超级链接框软件:
      return setup_.desktop.OpenInBrowser(links.products);
    case 图片框QQ:
    case 超级链接框QQ:
      return setup_.desktop.OpenInBrowser(links.messenger);
    case 超级链接框4:
      return setup_.desktop.OpenInBrowser(links.app_key_help);
    default:
      return;
  }
}

void MainWindow::PasteWords(ControlId list) const {
  if (const std::optional<std::string> text = ClipboardText(Window()))
    controls_.SetText(list, *text);
}

void MainWindow::OnSaveFolderRightClick() {
  setup_.desktop.OpenFolderInExplorer(controls_.Text(编辑框保存目录));
}

LRESULT MainWindow::OnControlColor(HDC dc, HWND control) {
  const ControlId id = IdOf(control);
  if (std::ranges::find(kRowLabels, id) != std::end(kRowLabels)) {
    SetBkColor(dc, kRowBackground);
    return reinterpret_cast<LRESULT>(row_brush_.get());
  }
  if (IsKind(id, ControlKind::Hyperlink)) {
    SetTextColor(dc, RGB(0, 102, 204));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(id == 超级链接框4 ? GetSysColorBrush(COLOR_BTNFACE)
                                                       : tile_brush_.get());
  }
  return DefWindowProcA(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

bool MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  const ControlId id = static_cast<ControlId>(item.CtlID);
  if (id == 图片框官网) {
    DrawBanner(item.hDC, item.rcItem, font_.get());
    return true;
  }
  for (const TileSpec& tile : kTiles) {
    if (tile.picture == id) {
      DrawTile(item.hDC, item.rcItem, item.rcItem.top + Scale(63), tile.tile);
      return true;
    }
  }
  if (!IsKind(id, ControlKind::PictureButton)) return false;
  DrawChoiceButton(item.hDC, item.rcItem, FindSpec(id)->text, (item.itemState & ODS_DISABLED) != 0,
                   (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0,
                   font_.get());
  return true;
}

bool MainWindow::OnSetCursor(HWND control) const {
  const ControlId id = IdOf(control);
  if (!IsKind(id, ControlKind::Hyperlink) && !IsKind(id, ControlKind::PictureBox)) return false;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return true;
}

void MainWindow::OnTrayEvent(UINT mouse_message) {
  if (close_pending_) return;
  switch (mouse_message) {
    case WM_LBUTTONUP:
      if (IsWindowVisible(Window()))
        ShowWindow(Window(), SW_HIDE);
      else
        BringToFront(Window(), *this);
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      ConfirmQuit();
      break;
  }
}

void MainWindow::ConfirmQuit() {
  if (asking_to_quit_ || quitting_) return;
  asking_to_quit_ = true;
  const int answer = setup_.desktop.Message(Window(), "确实要结束程序吗？", kInfoTitle,
                                            MB_OKCANCEL | MB_ICONQUESTION);
  asking_to_quit_ = false;
  if (answer == IDOK) Close();
}

// The button handlers of the run keep the window alive while a run is active;
// a click during a run only asks it to stop.
void MainWindow::StartOrStopRun(ControlId button) {
  if (button == 按钮预览效果)
    run_buttons_.OnPreviewClick();
  else
    run_buttons_.OnCollectClick();
  // The window was closed while the run was active: close it for good, from
  // the message loop rather than from inside this handler.
  if (close_pending_ && !run_buttons_.Running()) PostMessageA(Window(), WM_CLOSE, 0, 0);
}

// Closing during a run hides the window and asks the run to stop at its next
// check; the window saves and goes once the run has ended.
void MainWindow::Close() {
  if (run_buttons_.Running()) {
    close_pending_ = true;
    run_buttons_.RequestStop();
    ShowWindow(Window(), SW_HIDE);
    return;
  }
  Quit();
}

void MainWindow::SaveAndReport(bool report_success) {
  const std::vector<std::string> failed = SaveSettings(*this, setup_.settings);
  if (failed.empty()) {
    if (report_success)
      setup_.desktop.Message(Window(), "保存完毕！", kInfoTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::string text = "保存配置失败，以下文件无法写入：";
  for (const std::string& file : failed) text += "\r\n" + file;
  setup_.desktop.Message(Window(), text, kInfoTitle, MB_OK | MB_ICONWARNING);
}

void MainWindow::Quit() {
  if (quitting_) return;
  quitting_ = true;
  SaveAndReport(false);
  DestroyWindow(Window());
}

LRESULT CALLBACK MainWindow::ForwardingProc(HWND control, UINT message, WPARAM wparam,
                                            LPARAM lparam, UINT_PTR id, DWORD_PTR owner) {
  MainWindow& self = *reinterpret_cast<MainWindow*>(owner);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, ForwardingProc, id);
    return DefSubclassProc(control, message, wparam, lparam);
  }
  if (id == kRightClickId) {
    if (message == WM_RBUTTONDOWN) self.OnSaveFolderRightClick();
    return DefSubclassProc(control, message, wparam, lparam);
  }
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
      return SendMessageA(self.Window(), message, wparam, lparam);
    case WM_NCHITTEST:
      return HTCLIENT;  // a group box would let clicks through to what lies below
    case WM_ERASEBKGND:
      if (IsKind(IdOf(control), ControlKind::GroupBox)) {
        RECT area;
        GetClientRect(control, &area);
        FillRect(reinterpret_cast<HDC>(wparam), &area, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
      }
      break;
  }
  return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace pelrine
