#include "guang/page_text.h"

#include "net/code_pages.h"
#include "net/gbk_text.h"
#include "net/page_fetch.h"

namespace pelrine {

namespace {

constexpr size_t npos = std::string_view::npos;

// The text between "<head>" and "</head>", either in any case; "" when a
// marker is missing.
std::string_view PageHead(std::string_view page) {
  constexpr std::string_view kOpen = "<head>", kClose = "</head>";
  const size_t open = FindOnCharBoundary(page, kOpen, 0, true);
  if (open == npos) return {};
  const size_t start = open + kOpen.size();
  const size_t close = FindOnCharBoundary(page, kClose, start, true);
  return close == npos ? std::string_view() : page.substr(start, close - start);
}

}  // namespace

std::string FetchPageText(Transport& transport, std::string_view address, int charset_mode) {
  std::string url(address);
  const std::string body = PageFetch(transport, url, {.timeout_seconds = 30}).body;
  return FixPageCharset(std::string(TextBeforeZero(body)), charset_mode);
}

std::string FixPageCharset(std::string page, int charset_mode) {
  if (charset_mode == 0) {
    std::string_view head = PageHead(page);
    if (head.empty()) head = page;
    if (ContainsItems(head, "charset=utf-8[fg]charset=\"utf-8\"", true)) return Utf8ToGbk(page);
  }
  if (charset_mode == 2) return Utf8ToGbk(page);
  return page;
}

bool ContainsItems(std::string_view text, std::string_view items, bool any) {
  for (const std::string& item : SplitText(items, "[fg]"))
    if ((FindOnCharBoundary(text, item, 0, true) != npos) == any) return any;
  return !any;
}

}  // namespace pelrine
