#include "app/file_dialogs.h"

#include <commdlg.h>

#include <vector>

namespace pelrine {

std::optional<std::string> ChooseFile(HWND owner, const FileChoice& choice) {
  // The dialog's filter is pairs of texts, each ending in a zero byte, with
  // one more zero byte after the last.
  std::string filter = choice.filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> path(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = choice.title.empty() ? nullptr : choice.title.c_str();
  dialog.lpstrDefExt =
      choice.default_extension.empty() ? nullptr : choice.default_extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (choice.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  const BOOL chosen = choice.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(path.data());
}

}  // namespace pelrine
