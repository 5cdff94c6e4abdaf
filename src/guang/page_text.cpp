#include "guang/page_text.h"

#include "guang/text_between.h"
#include "net/code_pages.h"
#include "net/gbk_text.h"
#include "net/page_fetch.h"

namespace pelrine {

std::string FetchPageText(Transport& transport, std::string_view address, int charset_mode) {
  std::string url(address);
  const std::string body = PageFetch(transport, url, {.timeout_seconds = 30}).body;
  return FixPageCharset(std::string(TextBeforeZero(body)), charset_mode);
}

std::string FixPageCharset(std::string page, int charset_mode) {
  if (charset_mode == 0) {
    const std::string head = TextBetween(page, "<head>", "</head>");
    if (ContainsItems(head.empty() ? page : head, "charset=utf-8[fg]charset=\"utf-8\"", true))
      return Utf8ToGbk(page);
  }
  if (charset_mode == 2) return Utf8ToGbk(page);
  return page;
}

bool ContainsItems(std::string_view text, std::string_view items, bool any) {
  for (const std::string& item : SplitText(items, "[fg]"))
    if (ContainsIgnoringCase(text, item) == any) return any;
  return !any;
}

}  // namespace pelrine
