#include "short_links.h"

#include "rng.h"

namespace guang_sim {
namespace {

// An http or https address with something after the scheme.
bool IsWebAddress(std::string_view url) {
  std::string head;
  for (char c : url.substr(0, 8)) head += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return (head.starts_with("http://") && url.size() > 7) || (head == "https://" && url.size() > 8);
}

// Both: the form of a POST and the query of a GET.
std::string Argument(const SimRequest& request, std::string_view name) {
  std::string value = ParamValue(request.form, name);
  return value.empty() ? ParamValue(request.query, name) : value;
}

}  // namespace

std::string ShortLinks::Shorten(std::string_view prefix, const std::string& long_url,
                                const std::string& host) {
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  uint64_t hash = Mix(seed_, std::string(prefix) + long_url);
  std::string path(prefix);
  for (int i = 0; i < 6; ++i, hash /= 62) path += kDigits[hash % 62];
  std::lock_guard<std::mutex> lock(mutex_);
  long_urls_[path] = long_url;
  return "http://" + host + path;
}

Answer ShortLinks::Dwz(const SimRequest& request) {
  const std::string url = Argument(request, "url");
  if (!IsWebAddress(url))
    return {200, "text/html;charset=utf-8",
            "{\"status\":-1,\"err_msg\":\"" + ScriptString("请输入正确的网址", true) + "\"}", ""};
  return {200, "text/html;charset=utf-8",
          "{\"tinyurl\":\"" + ScriptString(Shorten("/s/", url, request.host), false) +
              "\",\"status\":0,\"longurl\":\"" + ScriptString(url, false) + "\",\"err_msg\":\"\"}",
          ""};
}

Answer ShortLinks::Cnzz(const SimRequest& request) {
  const std::string url = ParamValue(request.query, "orig_link");
  if (!IsWebAddress(url))
    return {200, "text/plain", "{\"code\":1,\"msg\":\"invalid orig_link\"}", ""};
  return {200, "text/plain", Shorten("/c/", url, request.host), ""};
}

Answer ShortLinks::Custom(const SimRequest& request) {
  const std::string url = Argument(request, "longurl");
  std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<result>\r\n";
  if (IsWebAddress(url))
    body += "  <status>" + GbkToUtf8("成功") + "</status>\r\n  <long_url>" + MarkupEscape(url) +
            "</long_url>\r\n  <short_url>" + Shorten("/u/", url, request.host) + "</short_url>\r\n";
  else
    body += "  <status>" + GbkToUtf8("失败") + "</status>\r\n  <error>" + GbkToUtf8("网址无效") +
            "</error>\r\n";
  return {200, "text/xml;charset=UTF-8", body + "</result>\r\n", ""};
}

Answer ShortLinks::Follow(const SimRequest& request) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = long_urls_.find(request.path);
  if (found == long_urls_.end()) return ErrorPage(404, "Not Found");
  return {302, "text/html", "", found->second};
}

}  // namespace guang_sim
