// The collection run: for each search word, page after page of shares from
// the share source, cut into batches that become articles, written to files
// (collect mode) or handed to the preview (preview mode, first article only).
#pragma once

#include "guang/random_source.h"
#include "guang/share_source.h"
#include "links/link_converter.h"
#include "net/file_system.h"
#include "run/picture_fetch.h"
#include "run/run_window.h"
#include "run/wait_with_events.h"

namespace pelrine {

// The two run-wide flags, owned by the main window and touched only on its thread.
struct RunFlags {
  bool stopRequested = false;  // tested before each word and page, and by the file loop
  bool previewMode = false;
};

// What a run talks to besides the window.
struct RunParts {
  ShareSource& shares;
  LinkConverter& links;
  PictureFetch& pictures;
  FileSystem& files;
  RandomSource& random;
  Sleeper& sleeper;
};

// Everything a run talks to.
struct RunServices : RunParts {
  RunWindow& window;
};

void RunCollection(const RunServices& services, RunFlags& flags);

}  // namespace pelrine
