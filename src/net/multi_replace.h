// List-driven replacement of GBK text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelrine {

// Replaces, for each find item in order, every occurrence of it by the
// replacement at the same place (missing replacements are ""), each over the
// text as the earlier items left it. Occurrences are found left to right on
// character boundaries, do not overlap, and the scan resumes after each
// inserted replacement; an empty find item changes nothing. Without
// `case_sensitive` ASCII letters match regardless of case.
std::string MultiReplace(std::string_view text, const std::vector<std::string>& finds,
                         const std::vector<std::string>& replacements, bool case_sensitive);

// The same with both lists given as text split at `delimiter` ("" means "|").
std::string MultiReplace(std::string_view text, std::string_view find_list,
                         std::string_view replacement_list, bool case_sensitive,
                         std::string_view delimiter = "|");

}  // namespace pelrine
