// The portable side of the short-URL interface tools: the test's sample
// address and report, and the batch conversion of a text file of long
// addresses.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "net/event_pump.h"

namespace pelrine {

// The address the test offers to convert.
inline constexpr char kInterfaceSampleAddress[] =
    "http://www.taobao.com/?abcdefghijklmnopqrstuvwxyz";

// The text of the test's result box: the address, then the short address or
// the error text, then the offer to open it.
std::string InterfaceTestReport(std::string_view long_url, std::string_view short_url);

// The file a batch conversion writes, beside its input file.
std::string BatchOutputPath(std::string_view input_path);

// Converts each non-empty line of `input` (lines end in CR LF, LF or CR) and
// answers the results, each followed by CR LF, in the order of the lines.
// Window events are processed after every line, empty or not; the batch
// ends early, with the lines converted so far, once `go_on` answers false.
std::string ConvertBatch(std::string_view input,
                         const std::function<std::string(const std::string& line)>& convert,
                         EventPump& events, const std::function<bool()>& go_on);

}  // namespace pelrine
