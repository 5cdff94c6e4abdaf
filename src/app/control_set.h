// The main window's controls by name, with the few operations the program
// performs on them. Texts are GBK.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>

#include "app/control_ids.h"

namespace pelrine {

class ControlSet {
 public:
  void Add(ControlId id, HWND control) { handles_[id] = control; }
  HWND operator[](ControlId id) const;

  std::string Text(ControlId id) const;
  void SetText(ControlId id, std::string_view text) const;
  bool Checked(ControlId id) const;
  void SetChecked(ControlId id, bool checked) const;
  int Selection(ControlId id) const;  // -1 for none
  void Select(ControlId id, int index) const;
  bool Enabled(ControlId id) const;
  void Enable(ControlId id, bool enabled) const;
  // Whether the control itself is shown, whatever its parent's state.
  bool Shown(ControlId id) const;
  void Show(ControlId id, bool shown) const;

 private:
  std::unordered_map<ControlId, HWND> handles_;
};

}  // namespace pelrine
