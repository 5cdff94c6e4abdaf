#include "app/tooltips.h"

#include <commctrl.h>

#include "net/multi_replace.h"

namespace pelrine {

std::string TranslateTooltipText(std::string_view text) {
  return MultiReplace(text, "<<|>>|\\n|''", "“|”|\r\n|\"", false);
}

void TooltipHolder::Create(HWND owner) {
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                             nullptr, nullptr, nullptr);
  // A wide maximum width makes the tooltip honour the line breaks of a text.
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1024);
}

void TooltipHolder::AttachTooltip(HWND control, std::string_view text) {
  std::string shown = TranslateTooltipText(text);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the control
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = control;
  GetClientRect(control, &tool.rect);
  tool.lpszText = shown.data();
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace pelrine
