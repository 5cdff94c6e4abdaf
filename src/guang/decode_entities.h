// Decoding of the named HTML entities the service writes in its texts.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// Replaces the forty named entities of a fixed table (case-sensitive) by
// their GBK characters, each entity over the whole text in table order.
// "&amp;" comes last, so "&amp;lt;" becomes "&lt;" and stays so; numeric
// references and other names are left as they are.
std::string DecodeEntities(std::string_view text);

}  // namespace pelrine
