// The tooltip holder: one tooltip window for a window's controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pelrine {

// A tooltip text as shown: "<<" and ">>" become the quotation marks “ and ”,
// every backslash-n pair a line break (CR LF), and "''" one double quote.
std::string TranslateTooltipText(std::string_view text);

class TooltipHolder {
 public:
  // Creates the tooltip window, owned by `owner` and destroyed with it.
  void Create(HWND owner);
  // Shows the translated `text` while the mouse rests on `control`.
  void AttachTooltip(HWND control, std::string_view text);
  HWND Window() const { return tooltip_; }

 private:
  HWND tooltip_ = nullptr;
};

}  // namespace pelrine
