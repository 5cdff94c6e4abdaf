#include "links/short_urls.h"

#include "guang/text_between.h"
#include "net/gbk_text.h"
#include "net/multi_replace.h"
#include "net/page_fetch.h"
#include "net/url_encode.h"

namespace pelrine {
namespace {

constexpr char kAddressPlaceholder[] = "#网址#";
constexpr char kLeftAnchor[] = "#Quorvel左边#";
constexpr char kRightAnchor[] = "#Quorvel右边#";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool BreaksAnAddress(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F || c == '"' || c == '<' || c == '>';
}

}  // namespace

std::string ShortenWithDwz(HttpUtility& http, std::string_view host, std::string_view long_url) {
  const std::string answer =
      http.RequestText({.url = "http://" + std::string(host) + "/create.php",
                        .method = "POST",
                        .body = "url=" + http.EncodeUtf8(long_url) + "&alias=&access_type=web"});
  return ReplaceAll(TextBetween(answer, "{\"tinyurl\":\"", "\""), "\\/", "/");
}

std::string ShortenWithCnzz(HttpUtility& http, std::string_view host, std::string_view long_url) {
  const std::string answer = http.RequestText(
      {.url = "http://" + std::string(host) +
              "/v1/data/link_conv/rd_dispatcher.php?orig_link=" + http.EncodeGbk(long_url)});
  return SingleWebAddress(answer);
}

std::string ShortenWithInterface(Transport& transport, std::string_view long_url,
                                 const ShortUrlInterface& api) {
  const std::string encoded =
      api.url_encoding == 0 ? UrlEncodeGbk(long_url) : UrlEncodeUtf8(long_url);
  std::string address = ReplaceAll(api.address, kAddressPlaceholder, encoded);
  PageFetchOptions options{.method = api.method, .conversion = api.url_encoding};
  if (api.method == 1) options.body = ReplaceAll(api.post_data, kAddressPlaceholder, encoded);

  std::string text(TextBeforeZero(PageFetch(transport, address, options).body));
  std::string left = api.left_marker, right = api.right_marker;
  if (left.empty()) {
    text.insert(0, kLeftAnchor);
    left = kLeftAnchor;
  }
  if (right.empty()) {
    text += kRightAnchor;
    right = kRightAnchor;
  }
  long long position = 0;
  std::string cut = TextBetween(text, left, right, 0, 0, &position, api.reverse);
  if (api.replace) cut = MultiReplace(cut, api.find_list, api.replacement_list, false);
  return cut;
}

std::string SingleWebAddress(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const std::string lower = AsciiLower(text.substr(0, 8));
  const size_t scheme = lower.starts_with("http://") ? 7 : lower.starts_with("https://") ? 8 : 0;
  if (scheme == 0 || text.size() == scheme || text[scheme] == '/') return "";
  for (const char c : text)
    if (BreaksAnAddress(c)) return "";
  return std::string(text);
}

}  // namespace pelrine
