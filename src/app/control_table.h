// What the main window is made of: every control with its kind, initial text
// and place, the items of the drop-down lists, the initial texts too long for
// the table, and the tooltips.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "app/control_ids.h"

namespace pelrine {

enum class ControlKind {
  Label,
  Line,  // a thin separator line
  Edit,
  MultiLineEdit,
  Button,
  CheckBox,
  DropDown,
  GroupBox,
  PictureBox,
  PictureButton,
  Hyperlink,
};

struct ControlSpec {
  ControlId id;
  ControlId parent;  // None: the main window itself
  ControlKind kind;
  const char* text;
  int left, top, width, height;  // pixels at 96 DPI, relative to the parent
};

// Every control, a parent before its children.
std::span<const ControlSpec> MainWindowControls();

// The row of a control; nullptr for an id that names none.
const ControlSpec* FindSpec(ControlId id);

extern const char kDefaultContentTemplate[];
extern const char kDefaultWords1[];
extern const char kDefaultWords2[];
extern const char kCategoryList[];  // the categories, separated by "、"
extern const char kCategorySeparator[];

struct TooltipSpec {
  ControlId id;
  const char* text;  // before translation
};
std::span<const TooltipSpec> MainWindowTooltips();

}  // namespace pelrine
