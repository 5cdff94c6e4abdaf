// The system's open and save file dialogs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pelrine {

struct FileChoice {
  bool save = false;
  std::string title{};              // "" for the system's own
  std::string filter{};             // "name|pattern|name|pattern..."
  std::string default_extension{};  // without the dot; "" for none
};

// The full path chosen, or nothing when the user cancelled.
std::optional<std::string> ChooseFile(HWND owner, const FileChoice& choice);

}  // namespace pelrine
