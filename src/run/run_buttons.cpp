#include "run/run_buttons.h"

namespace pelrine {
namespace {

constexpr std::string_view kPreviewIdle = "预览效果";
constexpr std::string_view kCollectIdle = "采集保存";

}  // namespace

void RunButtons::OnPreviewClick() {
  RunWindow& window = services_.window;
  if (window.PreviewCaption() != kPreviewIdle) {
    flags_.stopRequested = true;
    window.SetPreviewCaption("停止中..");
    return;
  }
  window.SetPreviewCaption("初始化..");
  window.EnableCollectButton(false);
  Run(true);
  window.EnableCollectButton(true);
  window.SetPreviewCaption(kPreviewIdle);
}

void RunButtons::OnCollectClick() {
  RunWindow& window = services_.window;
  if (window.CollectCaption() != kCollectIdle) {
    flags_.stopRequested = true;
    window.SetCollectCaption("采集正在停止中..");
    return;
  }
  window.SetCollectCaption("采集正在初始化..");
  window.EnablePreviewButton(false);
  Run(false);
  window.EnablePreviewButton(true);
  window.SetCollectCaption(kCollectIdle);
  window.ShowMessage("采集完成！右击选择目录按钮‘..’可打开保存目录");
}

void RunButtons::Run(bool preview) {
  flags_.stopRequested = false;
  flags_.previewMode = preview;
  running_ = true;
  RunCollection(services_, flags_);
  running_ = false;
}

}  // namespace pelrine
