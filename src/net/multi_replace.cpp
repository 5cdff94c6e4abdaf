#include "net/multi_replace.h"

#include "net/gbk_text.h"

namespace pelrine {

std::string MultiReplace(std::string_view text, const std::vector<std::string>& finds,
                         const std::vector<std::string>& replacements, bool case_sensitive) {
  std::string result(text);
  for (size_t i = 0; i < finds.size(); ++i) {
    std::string_view replacement = i < replacements.size() ? replacements[i] : std::string_view();
    result = ReplaceAll(result, finds[i], replacement, !case_sensitive);
  }
  return result;
}

std::string MultiReplace(std::string_view text, std::string_view find_list,
                         std::string_view replacement_list, bool case_sensitive,
                         std::string_view delimiter) {
  if (delimiter.empty()) delimiter = "|";
  return MultiReplace(text, SplitText(find_list, delimiter), SplitText(replacement_list, delimiter),
                      case_sensitive);
}

}  // namespace pelrine
