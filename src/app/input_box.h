// A modal input box: a prompt, one line of text, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pelrine {

// The text entered, or nothing when the user cancelled.
std::optional<std::string> InputBox(HWND owner, const std::string& prompt, const std::string& title,
                                    const std::string& initial);

}  // namespace pelrine
