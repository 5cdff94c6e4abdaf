#include "app/input_box.h"

#include <string_view>
#include <vector>

#include "app/window_text.h"

namespace pelrine {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kTextId = 101;

// A dialog template built in memory: the dialog, then its items, each item
// on a DWORD boundary. Texts are set after creation, as GBK.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height, WORD items) {
    Dword(style | DS_SETFONT);
    Dword(0);
    Word(items);
    for (short value : {short{0}, short{0}, width, height}) Word(static_cast<WORD>(value));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Word(0);  // no title
    Word(9);  // point size of the font
    for (const wchar_t c : std::wstring_view(L"MS Shell Dlg")) Word(c);
    Word(0);
  }

  void Item(DWORD style, short x, short y, short width, short height, WORD id, WORD atom) {
    while (words_.size() % 2) Word(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short value : {x, y, width, height}) Word(static_cast<WORD>(value));
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Word(0);  // no text
    Word(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD word) { words_.push_back(word); }
  void Dword(DWORD dword) {
    Word(LOWORD(dword));
    Word(HIWORD(dword));
  }
  std::vector<WORD> words_;  // WORD elements keep the template WORD-aligned
};

struct InputState {
  const std::string& prompt;
  const std::string& title;
  const std::string& initial;
  std::string entered;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const InputState& state = *reinterpret_cast<InputState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      SetWindowTextA(dialog, state.title.c_str());
      SetDlgItemTextA(dialog, kPromptId, state.prompt.c_str());
      SetDlgItemTextA(dialog, kTextId, state.initial.c_str());
      SetDlgItemTextA(dialog, IDOK, "确定");
      SetDlgItemTextA(dialog, IDCANCEL, "取消");
      SendDlgItemMessageA(dialog, kTextId, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dialog, kTextId));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        auto& state = *reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        state.entered = WindowText(GetDlgItem(dialog, kTextId));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> InputBox(HWND owner, const std::string& prompt, const std::string& title,
                                    const std::string& initial) {
  constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
  DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 280, 84, 4);
  dialog.Item(SS_LEFT, 7, 7, 266, 28, kPromptId, kStatic);
  dialog.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 40, 266, 14, kTextId, kEdit);
  dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 167, 63, 50, 14, IDOK, kButton);
  dialog.Item(BS_PUSHBUTTON | WS_TABSTOP, 223, 63, 50, 14, IDCANCEL, kButton);
  InputState state{prompt, title, initial, {}};
  const INT_PTR answer = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), owner,
                                                 InputProc, reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) return std::nullopt;
  return state.entered;
}

}  // namespace pelrine
