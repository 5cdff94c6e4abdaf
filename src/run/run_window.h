// What a run reads from and writes to the main window. Every setting is read
// afresh at the moment the run needs it, so a change made during a run takes
// effect at the next read. Edit boxes come as their raw text; the run applies
// its own number rules.
#pragma once

#include <string>
#include <string_view>

#include "guang/share_source.h"
#include "links/link_converter.h"
#include "net/event_pump.h"

namespace pelrine {

class RunWindow : public EventPump, public StatusLabel, public TagSeparatorBox {
 public:
  // Read once at run start.
  virtual std::string InsertWords1() = 0;   // 编辑框词1
  virtual std::string InsertWords2() = 0;   // 编辑框词2
  virtual std::string SearchWords() = 0;    // 编辑框搜索词
  virtual std::string SaveDirectory() = 0;  // 编辑框保存目录
  virtual std::string Extension() = 0;      // 编辑框扩展名, without the dot
  virtual std::string PerWordLimit() = 0;   // 编辑框采集条数
  // Read at run start and before every page request.
  virtual std::string ContentTemplates() = 0;  // 编辑框内容模板
  // Read before every page request and for every article's title.
  virtual std::string TitleTemplate() = 0;  // 编辑框标题模板
  // Read at the start of each search word.
  virtual std::string SharesPerFile() = 0;  // 编辑框保存条数
  virtual bool PerWordSubdirectory() = 0;   // 选择框独立目录保存
  // Read before every page request.
  virtual int ShareType() = 0;  // tag of 标签分类: 0 all, 1 items, 2 pictures, 3 articles
  virtual int Ranking() = 0;    // tag of 标签排行: 1 hottest, 2 newest
  virtual int Category() = 0;   // selection index of 组合框类目
  virtual std::string CommentCount() = 0;   // 编辑框评论数
  std::string TagSeparator() override = 0;  // 编辑框分隔符, also for the affiliate search
  // Read once per article.
  virtual bool SwapSameKind() = 0;               // 选择框随机互换位置
  virtual bool InsertSearchWordIntoTitle() = 0;  // 选择框插入标题
  virtual int TitlePosition() = 0;  // selection index of 组合框标题位置, -1 for none
  // Read once per share.
  virtual bool DownloadPictures() = 0;             // 选择框自动下载图片到本地
  virtual std::string PictureDirectoryName() = 0;  // 编辑框图片目录名
  virtual bool ConvertAffiliateLinks() = 0;        // 选择框转换淘宝客链接
  virtual std::string AppKey() = 0;                // 编辑框钥匙
  virtual std::string AppSecret() = 0;             // 编辑框密码
  virtual std::string Pid() = 0;                   // 编辑框pid
  virtual int ShortUrlOption() = 0;                // selection index of 组合框短网址选项
  virtual ShortUrlInterface ShortUrlInterfaceValues() = 0;  // the interface group's ten values

  // The two run buttons and the completion message.
  virtual std::string PreviewCaption() = 0;  // 按钮预览效果
  virtual void SetPreviewCaption(std::string_view caption) = 0;
  virtual void EnablePreviewButton(bool enabled) = 0;
  virtual std::string CollectCaption() = 0;  // 按钮采集保存
  virtual void SetCollectCaption(std::string_view caption) = 0;
  virtual void EnableCollectButton(bool enabled) = 0;
  virtual void ShowMessage(std::string_view text) = 0;  // a message box with an OK button

  // Stores the preview hand-off texts and opens the preview window, titled
  // `title`, on `content`; `directory` (ending in "\") is where its browser
  // view resolves relative picture references.
  virtual void ShowPreview(std::string_view content, std::string_view directory,
                           std::string_view title) = 0;
};

}  // namespace pelrine
