// Thin layers over the shell: the folder chooser, explorer, the browser and
// bringing a window to the front.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "net/event_pump.h"

namespace pelrine {

// Lets the user choose a folder, starting at the edit box's text; the chosen
// path, without blanks at its ends, replaces the text. Cancel changes nothing.
void ChooseFolder(HWND edit_box);

// Opens a new explorer window on `path`, or starts the program when the path
// ends in ".exe".
void OpenFolderInExplorer(std::string_view path);

// The command line that OpenFolderInExplorer starts; "" when the path holds a
// double quote (no such path exists, and it would break out of the quoting).
std::string ExplorerCommandLine(std::string_view path);

// Shows `address` in the default browser. Only web addresses are opened: an
// address without a scheme is taken as "http://" + address, and anything
// else (a local program, another scheme) is ignored.
void OpenInBrowser(std::string_view address);

// The address OpenInBrowser opens; "" when it opens nothing.
std::string BrowserAddress(std::string_view address);

// Shows `window` (restored when minimised) above the other windows, without
// leaving it always on top.
void BringToFront(HWND window, EventPump& events);

}  // namespace pelrine
