#include "net/page_fetch.h"

#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {

const std::string_view kFetchTimeoutMessage =
    "超时返回，指定网站不能访问，或者你的网络出现问题，你可以把参数中的＂超时返回＂的值设置长一些"
    "。";

namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string Converted(std::string body, int conversion) {
  if (conversion == 1) return Utf8ToGbk(TextBeforeZero(body), false);
  if (conversion == 2) return Big5ToSimplifiedGbk(TextBeforeZero(body));
  return body;
}

}  // namespace

PageFetchResult PageFetch(Transport& transport, std::string& url, const PageFetchOptions& options) {
  if (IsBlank(url)) return {};
  if (!url.starts_with("http://") && !url.starts_with("https://")) url.insert(0, "http://");

  FetchReply reply = transport.Fetch({
      .url = url,
      .method = options.method == 1 ? "POST" : "GET",
      .proxy = options.proxy,
      .headers = options.headers,
      .body = options.body,
      .cookies = options.cookies,
      .follow_redirects = options.follow_redirects,
      .timeout_seconds = options.timeout_seconds.value_or(60),
  });
  if (reply.timed_out) return {.body = std::string(kFetchTimeoutMessage), .timed_out = true};
  return {.body = Converted(std::move(reply.body), options.conversion),
          .headers = std::move(reply.headers),
          .cookies = std::move(reply.cookies)};
}

}  // namespace pelrine
