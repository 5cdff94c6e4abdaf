// The built-in help page that the preview window shows for the help banner.
#pragma once

#include <string_view>

namespace pelrine {

// An HTML fragment in GBK: a note on the tooltips, then one section per
// topic, each headed by the topic in 【】.
std::string_view HelpPage();

}  // namespace pelrine
