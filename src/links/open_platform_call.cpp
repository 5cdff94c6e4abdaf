#include "links/open_platform_call.h"

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

#include "guang/regex_object.h"
#include "links/md5.h"
#include "net/code_pages.h"
#include "net/gbk_text.h"
#include "net/url_encode.h"

namespace pelrine {
namespace {

struct Pair {
  std::string name, value;
};

std::vector<Pair> ParseParameters(std::string_view text) {
  std::vector<Pair> pairs;
  for (const std::string& piece : SplitText(text, "&")) {
    std::vector<std::string> parts = SplitText(piece, "=");
    parts.resize(std::max<size_t>(parts.size(), 2));
    pairs.push_back({std::move(parts[0]), std::move(parts[1])});
  }
  return pairs;
}

}  // namespace

std::string OpenPlatformTimestamp() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return "";
  char text[32];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  return std::string(text, length);
}

SignedCall SignOpenPlatformCall(std::string_view app_key, std::string_view app_secret,
                                std::string_view method, std::string_view business_parameters,
                                std::string_view timestamp) {
  std::vector<Pair> pairs = ParseParameters(business_parameters);
  for (auto [name, value] : {std::pair{"app_key", app_key},
                             {"format", "xml"},
                             {"sign_method", "md5"},
                             {"v", "2.0"},
                             {"method", method},
                             {"session", ""},
                             {"timestamp", timestamp}})
    pairs.push_back({name, std::string(value)});
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const Pair& a, const Pair& b) { return a.name < b.name; });
  std::erase_if(pairs, [](const Pair& p) { return p.name.empty() || p.value.empty(); });

  SignedCall call;
  call.signing_text = app_secret;
  for (Pair& pair : pairs) {
    pair.value = GbkToUtf8(pair.value);
    call.signing_text += pair.name + pair.value;
    // The body carries the same bytes encoded, so that a "+", "%", "&" or
    // "=" in a value reaches the gateway as it was signed.
    call.body += FormEncode(pair.name) + "=" + FormEncode(pair.value) + "&";
  }
  call.signing_text += app_secret;
  call.signature = Md5Hex(call.signing_text);
  call.body += "sign=" + call.signature;
  return call;
}

std::string StripEscapedMarkup(std::string_view response) {
  std::string text = ReplaceAll(response, "amp;", "");
  text = ReplaceAll(text, "&lt;", "＜");
  text = ReplaceAll(text, "&gt;", "＞");
  RegexObject regex;
  regex.CreateWith("＜.*?＞", false, true, true);
  return regex.Replace(text, "");
}

std::string OpenPlatformCall(const OpenPlatformGateway& gateway, std::string_view app_key,
                             std::string_view app_secret, std::string_view method,
                             std::string_view business_parameters) {
  if (app_key.empty() || app_secret.empty()) return "";
  const SignedCall call = SignOpenPlatformCall(app_key, app_secret, method, business_parameters,
                                               gateway.timestamp ? gateway.timestamp() : "");
  const std::string response = gateway.http.RequestBytes(
      {.url = "http://" + gateway.host + "/router/rest?", .method = "POST", .body = call.body});
  return StripEscapedMarkup(gateway.http.Utf8ToGbk(response));
}

}  // namespace pelrine
