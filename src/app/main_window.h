// The main window: every control, the rules that enable, disable, show and
// hide them, the template-item buttons, the share-type and ranking choices,
// the banner row, the two run buttons, the tray icon and closing. Its
// controls are the live settings of the program: a run reads them through
// the RunWindow seam at the moments it needs each value.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/base_window.h"
#include "app/control_set.h"
#include "app/desktop.h"
#include "app/publisher_links.h"
#include "app/settings_store.h"
#include "app/tooltips.h"
#include "app/tray_icon.h"
#include "app/win32_handles.h"
#include "net/service_hosts.h"
#include "run/run_buttons.h"
#include "run/run_window.h"

namespace pelrine {

enum class ShareTypeChoice { All, Items, Pictures, Articles };
enum class RankingChoice { Hottest, Newest };

struct MainWindowSetup {
  SettingsStore& settings;        // bound to the settings file
  std::string program_directory;  // without a trailing backslash
  ServiceHosts hosts;
  PublisherLinks links;
  Desktop& desktop;
  RunParts run;
};

class MainWindow final : public BaseWindow<MainWindow>, public RunWindow {
 public:
  explicit MainWindow(MainWindowSetup setup);
  ~MainWindow();

  // Creates the window with its controls and loads the settings into them;
  // the window is shown by the caller.
  bool Create(HINSTANCE instance);

  const ControlSet& Controls() const { return controls_; }
  const std::string& ProgramDirectory() const { return setup_.program_directory; }
  const ServiceHosts& Hosts() const { return setup_.hosts; }

  // The share type and ranking codes ("0".."3", "1".."2") kept as the tags
  // of the labels 标签分类 and 标签排行.
  const std::string& ShareTypeTag() const { return share_type_tag_; }
  const std::string& RankingTag() const { return ranking_tag_; }
  void SelectShareType(ShareTypeChoice type);
  void SelectRanking(RankingChoice ranking);

  // The box that the template-item buttons write into.
  ControlId TemplateTarget() const { return template_target_; }
  void InsertTemplateItem(std::string_view item);

  // The enable and visibility rules.
  void ApplyInsertTitleRule() const;
  void ApplyPictureDownloadRule() const;
  void ApplyAffiliateRule() const;
  void ToggleAffiliateGroup() const;
  void UpdateInterfaceButton() const;
  void ToggleInterfaceGroup() const;
  void ToggleInsertWordGroup() const;
  void ApplyCallModeRule() const;
  void ApplyReplaceRule() const;

  // Handles the window events that are pending.
  void ProcessEvents() override;

  // What a run reads from the window and writes to it.
  std::string InsertWords1() override;
  std::string InsertWords2() override;
  std::string SearchWords() override;
  std::string SaveDirectory() override;
  std::string Extension() override;
  std::string PerWordLimit() override;
  std::string ContentTemplates() override;
  std::string TitleTemplate() override;
  std::string SharesPerFile() override;
  bool PerWordSubdirectory() override;
  int ShareType() override;
  int Ranking() override;
  int Category() override;
  std::string CommentCount() override;
  std::string TagSeparator() override;
  bool SwapSameKind() override;
  bool InsertSearchWordIntoTitle() override;
  int TitlePosition() override;
  bool DownloadPictures() override;
  std::string PictureDirectoryName() override;
  bool ConvertAffiliateLinks() override;
  std::string AppKey() override;
  std::string AppSecret() override;
  std::string Pid() override;
  int ShortUrlOption() override;
  ShortUrlInterface ShortUrlInterfaceValues() override;
  std::string PreviewCaption() override;
  void SetPreviewCaption(std::string_view caption) override;
  void EnablePreviewButton(bool enabled) override;
  std::string CollectCaption() override;
  void SetCollectCaption(std::string_view caption) override;
  void EnableCollectButton(bool enabled) override;
  void ShowMessage(std::string_view text) override;
  void ShowPreview(std::string_view content, std::string_view directory,
                   std::string_view title) override;
  void SetStatusText(std::string_view text) override;

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  void CreateControls();
  HWND CreateControl(const struct ControlSpec& entry);
  void SetInitialValues() const;
  void AttachTooltips();

  void OnCommand(ControlId id, int notification);
  void OnClick(ControlId id);
  LRESULT OnControlColor(HDC dc, HWND control);
  bool OnDrawItem(const DRAWITEMSTRUCT& item) const;
  bool OnSetCursor(HWND control) const;
  void OnTrayEvent(UINT mouse_message);
  void OnSaveFolderRightClick();
  void PasteWords(ControlId list) const;
  void InsertInto(ControlId box, std::string_view text) const;
  void StartOrStopRun(ControlId button);
  // The tools of the short-URL interface group (interface_group.cpp).
  void TestInterface();
  void ConvertInterfaceBatch();
  void ImportInterface();
  void ExportInterface();
  void ExplainInterface();
  void Inform(const std::string& text);
  void SaveAndReport(bool report_success);
  void ConfirmQuit();
  void Close();
  void Quit();

  static LRESULT CALLBACK ForwardingProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR, DWORD_PTR owner);

  MainWindowSetup setup_;
  int dpi_ = 96;
  gdi_object<HFONT> font_, link_font_;
  gdi_object<HBRUSH> row_brush_, tile_brush_;
  unique_icon big_icon_, small_icon_;
  ControlSet controls_;
  TooltipHolder tooltips_;
  std::unique_ptr<TrayIcon> tray_;
  UINT taskbar_created_ = 0;
  std::string share_type_tag_, ranking_tag_;
  ControlId template_target_ = ControlId::编辑框内容模板;
  RunButtons run_buttons_;
  bool asking_to_quit_ = false;
  bool close_pending_ = false;  // closed during a run: it ends when the run has stopped
  bool quitting_ = false;
};

}  // namespace pelrine
