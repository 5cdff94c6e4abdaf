// The two run buttons of the main window: a click on an idle button starts
// its run, a click on the running one asks the run to stop. The window calls
// these from its command handlers; a run keeps the window alive by
// processing its events, so the second click arrives during the first.
#pragma once

#include "run/run_collection.h"

namespace pelrine {

class RunButtons {
 public:
  explicit RunButtons(const RunServices& services) : services_(services) {}

  void OnPreviewClick();  // 按钮预览效果
  void OnCollectClick();  // 按钮采集保存
  // For closing the window during a run: the run ends at its next check.
  void RequestStop() { flags_.stopRequested = true; }
  bool Running() const { return running_; }

 private:
  void Run(bool preview);

  RunServices services_;
  RunFlags flags_;
  bool running_ = false;
};

}  // namespace pelrine
