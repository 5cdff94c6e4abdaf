#include "app/control_set.h"

#include "app/window_text.h"

namespace pelrine {

HWND ControlSet::operator[](ControlId id) const {
  const auto found = handles_.find(id);
  return found == handles_.end() ? nullptr : found->second;
}

std::string ControlSet::Text(ControlId id) const { return WindowText((*this)[id]); }

void ControlSet::SetText(ControlId id, std::string_view text) const {
  SetWindowTextA((*this)[id], std::string(text).c_str());
}

bool ControlSet::Checked(ControlId id) const {
  return SendMessageA((*this)[id], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ControlSet::SetChecked(ControlId id, bool checked) const {
  SendMessageA((*this)[id], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ControlSet::Selection(ControlId id) const {
  return static_cast<int>(SendMessageA((*this)[id], CB_GETCURSEL, 0, 0));
}

void ControlSet::Select(ControlId id, int index) const {
  SendMessageA((*this)[id], CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ControlSet::Enabled(ControlId id) const { return IsWindowEnabled((*this)[id]) != FALSE; }

void ControlSet::Enable(ControlId id, bool enabled) const { EnableWindow((*this)[id], enabled); }

bool ControlSet::Shown(ControlId id) const {
  return (GetWindowLongPtrA((*this)[id], GWL_STYLE) & WS_VISIBLE) != 0;
}

void ControlSet::Show(ControlId id, bool shown) const {
  HWND control = (*this)[id];
  // A shown control lies above its neighbours: the group boxes cover parts
  // of other controls while they are open.
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace pelrine
