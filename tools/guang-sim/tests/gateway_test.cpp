#include "gateway.h"

#include <gtest/gtest.h>

#include "codec.h"

namespace guang_sim {
namespace {

constexpr char kKey[] = "12345", kSecret[] = "secret";
constexpr char kUtf8Word[] = "\xe8\xbf\x9e\xe8\xa1\xa3\xe8\xa3\x99";  // 连衣裙 in UTF-8

TEST(SignatureOf, MatchesKnownDigests) {
  struct Case {
    Params params;
    std::string secret, want;
  };
  for (const Case& c : std::vector<Case>{
           {{{"v", "2.0"},
             {"method", "taobao.taobaoke.items.get"},
             {"app_key", "12345"},
             {"timestamp", "2012-05-07 09:03:04"},
             {"sign", "ignored"},
             {"format", "xml"},
             {"sign_method", "md5"}},
            "secret",
            "8795984D60E5CB5178ED5313DB88EBBC"},
           // byte order puts "Z" before "a"; pairs with an empty name or value are left out
           {{{"a", "b"}, {"Z", "z"}, {"empty", ""}, {"", "novalue"}},
            "s",
            "760601F9CF5F631F3ED1A7FFC358724D"},
           {{{"keyword", kUtf8Word}}, "s", "928E8829648DEB8E4D5766ED56808CD8"},
       })
    EXPECT_EQ(SignatureOf(c.params, c.secret), c.want) << c.want;
}

// A signed request for the item search, as a careful client sends it: every
// value percent-encoded in the body.
std::string SignedBody(Params params) {
  std::string body;
  params.push_back({"sign", SignatureOf(params, kSecret)});
  for (const Param& p : params)
    body += (body.empty() ? "" : "&") + p.name + "=" + PercentEncode(p.value);
  return body;
}

Params SearchParams(std::string keyword) {
  return {{"app_key", kKey},
          {"format", "xml"},
          {"sign_method", "md5"},
          {"v", "2.0"},
          {"method", "taobao.taobaoke.items.get"},
          {"timestamp", "2012-05-07 09:03:04"},
          {"keyword", std::move(keyword)},
          {"pid", "76502913"},
          {"fields", "click_url"},
          {"sort", "commissionNum_desc"},
          {"page_size", "1"},
          {"page_no", "1"}};
}

Answer Post(const Gateway& gateway, const std::string& body) {
  return gateway.Rest({"POST", "/router/rest", "sim.test", {}, ParseForm(body)});
}

std::string ErrorCode(const Answer& answer) {
  const size_t start = answer.body.find("<error_response><code>");
  if (start == std::string::npos) return "";
  const size_t from = start + 22;
  return answer.body.substr(from, answer.body.find('<', from) - from);
}

Params With(Params params, const std::string& name, const std::string& value) {
  for (Param& p : params)
    if (p.name == name) p.value = value;
  return params;
}

TEST(Gateway, ChecksSystemParametersAndArguments) {
  const Gateway gateway(1, kKey, kSecret);
  const Params good = SearchParams("a");
  struct Case {
    std::string what;
    Params params;
    std::string want_code;
  };
  for (const Case& c : std::vector<Case>{
           {"signed correctly", good, ""},
           {"no method", With(good, "method", ""), "21"},
           {"no app_key", With(good, "app_key", ""), "28"},
           {"no timestamp", With(good, "timestamp", ""), "26"},
           {"no v", With(good, "v", ""), "30"},
           {"no format", With(good, "format", ""), "32"},
           {"no sign_method", With(good, "sign_method", ""), "33"},
           {"other app_key", With(good, "app_key", "54321"), "29"},
           {"timestamp without seconds", With(good, "timestamp", "2012-05-07 09:03"), "27"},
           {"version 1.0", With(good, "v", "1.0"), "31"},
           {"json", With(good, "format", "json"), "23"},
           {"hmac", With(good, "sign_method", "hmac"), "34"},
           {"other method", With(good, "method", "taobao.item.get"), "22"},
           {"no keyword", With(good, "keyword", ""), "40"},
           {"no pid", With(good, "pid", ""), "40"},
           {"no fields", With(good, "fields", ""), "40"},
           {"pid with letters", With(good, "pid", "mm_12x"), "41"},
           {"pid of the mm_ form", With(good, "pid", "mm_12_0_34"), ""},
       })
    EXPECT_EQ(ErrorCode(Post(gateway, SignedBody(c.params))), c.want_code) << c.what;
}

TEST(Gateway, RejectsWrongOrMissingSignatures) {
  const Gateway gateway(1, kKey, kSecret);
  const std::string body = SignedBody(SearchParams("a"));
  const std::string without_sign = body.substr(0, body.find("&sign="));
  const std::string sign = body.substr(body.find("&sign=") + 6);
  std::string lower = sign;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(ErrorCode(Post(gateway, without_sign)), "24");
  EXPECT_EQ(ErrorCode(Post(gateway, without_sign + "&sign=" + std::string(32, '0'))), "25");
  EXPECT_EQ(ErrorCode(Post(gateway, without_sign + "&sign=" + lower)), "25");
  EXPECT_EQ(ErrorCode(Post(gateway, body + "&extra=1")), "25");  // an unsigned pair
  EXPECT_EQ(ErrorCode(Gateway(1, kKey, "other secret")
                          .Rest({"POST", "/router/rest", "sim.test", {}, ParseForm(body)})),
            "25");
}

// The body is read as a standard form, so a value must reach it encoded.
TEST(Gateway, DecodesTheBodyAsAForm) {
  const Gateway gateway(1, kKey, kSecret);
  const std::string sign_over_plus = SignatureOf(SearchParams("a+b"), kSecret);
  std::string raw;
  for (const Param& p : SearchParams("a+b")) raw += p.name + "=" + p.value + "&";
  EXPECT_EQ(ErrorCode(Post(gateway, raw + "sign=" + sign_over_plus)),
            "25");  // "+" arrives as a blank
  EXPECT_EQ(ErrorCode(Post(gateway, SignedBody(SearchParams("a+b")))), "");
  EXPECT_EQ(ErrorCode(Post(gateway, SignedBody(SearchParams("50%=half&more")))), "");
  // raw UTF-8 bytes and the blank of the timestamp pass through a form unchanged
  std::string utf8;
  for (const Param& p : SearchParams(kUtf8Word)) utf8 += p.name + "=" + p.value + "&";
  EXPECT_EQ(
      ErrorCode(Post(gateway, utf8 + "sign=" + SignatureOf(SearchParams(kUtf8Word), kSecret))), "");
  // the pairs of the query count as well
  EXPECT_EQ(ErrorCode(gateway.Rest(
                {"GET", "/router/rest", "sim.test", ParseForm(SignedBody(SearchParams("a"))), {}})),
            "");
}

// What the program does to an answer: "amp;" removed, escaped brackets made
// full-width, and everything between full-width brackets dropped: from each
// opening bracket to the next closing one, or, `greedy`, to the last one.
std::string StripMarkup(std::string text, bool greedy = false) {
  auto replace = [&](const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
      text.replace(at, from.size(), to);
  };
  replace("amp;", "");
  replace("&lt;", "\xEF\xBC\x9C");
  replace("&gt;", "\xEF\xBC\x9E");
  for (size_t open; (open = text.find("\xEF\xBC\x9C")) != std::string::npos;)
    text.erase(open,
               (greedy ? text.rfind("\xEF\xBC\x9E") : text.find("\xEF\xBC\x9E", open)) + 3 - open);
  return text;
}

std::string Between(const std::string& text, const std::string& left, const std::string& right) {
  const size_t start = text.find(left);
  if (start == std::string::npos) return "";
  const size_t from = start + left.size(), end = text.find(right, from);
  return end == std::string::npos ? "" : text.substr(from, end - from);
}

TEST(Gateway, FoundItemsCarryEscapedLinksThatWorkOnceCleaned) {
  const Gateway gateway(3, kKey, kSecret);
  int found = 0, empty = 0;
  for (int i = 0; i < 40; ++i) {
    Params params = SearchParams("word" + std::to_string(i));
    params = With(params, "fields", "click_url,title");
    const Answer answer = Post(gateway, SignedBody(params));
    ASSERT_EQ(ErrorCode(answer), "");
    const std::string link = Between(answer.body, "<click_url>", "</click_url>");
    if (link.empty()) {
      EXPECT_NE(answer.body.find("<total_results>0</total_results>"), std::string::npos);
      ++empty;
      continue;
    }
    ++found;
    EXPECT_NE(link.find("&amp;"), std::string::npos) << link;
    EXPECT_NE(Between(answer.body, "<title>", "</title>").find("&lt;span class=H&gt;word"),
              std::string::npos);
    const std::string clean = StripMarkup(link);
    ASSERT_TRUE(clean.starts_with("http://sim.test/click?")) << clean;
    const std::string query = clean.substr(clean.find('?') + 1);
    const Answer click = gateway.Click({"GET", "/click", "sim.test", ParseForm(query), {}});
    EXPECT_EQ(click.status, 302) << clean;
    EXPECT_TRUE(click.location.starts_with("http://sim.test/item.htm?id=")) << click.location;
    EXPECT_TRUE(click.location.ends_with("&pid=76502913")) << click.location;
    // with the markup left in, or stripped greedily, the link is broken
    std::string unstripped = link;
    for (size_t at; (at = unstripped.find("amp;")) != std::string::npos;) unstripped.erase(at, 4);
    for (const std::string& broken : {unstripped, StripMarkup(link, true)})
      EXPECT_EQ(
          gateway
              .Click(
                  {"GET", "/click", "sim.test", ParseForm(broken.substr(broken.find('?') + 1)), {}})
              .status,
          400)
          << broken;
  }
  EXPECT_GT(found, 0);
  EXPECT_GT(empty, 0);
}

TEST(Gateway, ClickRejectsDamagedLinks) {
  const Gateway gateway(1, kKey, kSecret);
  struct Case {
    std::string query;
    int want;
  };
  for (const Case& c : std::vector<Case>{
           {"e=0123456789ab&pid=76502913&unid=0", 302},
           {"e=0123456789ab&pid=mm_1_2_3", 302},
           {"e=0123456789ab&pid=76502913&lt;wbr&gt;&unid=0", 400},  // escaped markup left in
           {"e=0123456789ab&unid=0", 400},                          // no pid
           {"e=0123456789ab&pid=", 400},
           {"e=0123456789&pid=76502913", 400},  // a cut code
           {"e=0123456789AB&pid=76502913", 400},
       })
    EXPECT_EQ(gateway.Click({"GET", "/click", "sim.test", ParseForm(c.query), {}}).status, c.want)
        << c.query;
}

}  // namespace
}  // namespace guang_sim
