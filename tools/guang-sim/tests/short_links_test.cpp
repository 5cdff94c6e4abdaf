#include "short_links.h"

#include <gtest/gtest.h>

namespace guang_sim {
namespace {

SimRequest Request(std::string method, std::string path, std::string query, std::string form = "") {
  return {std::move(method), std::move(path), "sim.test", ParseForm(query), ParseForm(form)};
}

std::string Between(const std::string& text, const std::string& left, const std::string& right) {
  const size_t start = text.find(left);
  if (start == std::string::npos) return "";
  const size_t from = start + left.size(), end = text.find(right, from);
  return end == std::string::npos ? "" : text.substr(from, end - from);
}

std::string Unslash(std::string text) {
  for (size_t at; (at = text.find("\\/")) != std::string::npos;) text.erase(at, 1);
  return text;
}

// Each service hands out an address that leads back to the long one.
TEST(ShortLinks, ShortAddressesRedirectToTheLongOnes) {
  ShortLinks links(1);
  const std::string long_url = "http://sim.test/click?e=0123456789ab&pid=1&unid=0";
  const std::string encoded = PercentEncode(long_url);
  struct Case {
    std::string what;
    Answer (ShortLinks::*service)(const SimRequest&);
    SimRequest request;
    std::string left, right, prefix;
    bool unslash;
  };
  const std::vector<Case> cases = {
      {"dwz", &ShortLinks::Dwz,
       Request("POST", "/create.php", "", "url=" + encoded + "&alias=&access_type=web"),
       "{\"tinyurl\":\"", "\"", "http://sim.test/s/", true},
      {"cnzz", &ShortLinks::Cnzz,
       Request("GET", "/v1/data/link_conv/rd_dispatcher.php", "orig_link=" + encoded), "", "",
       "http://sim.test/c/", false},
      {"custom by GET", &ShortLinks::Custom, Request("GET", "/api/shorten", "longurl=" + encoded),
       "<short_url>", "</short_url>", "http://sim.test/u/", false},
      {"custom by POST", &ShortLinks::Custom,
       Request("POST", "/api/shorten", "", "longurl=" + encoded), "<short_url>", "</short_url>",
       "http://sim.test/u/", false},
  };
  for (const Case& c : cases) {
    const Answer answer = (links.*c.service)(c.request);
    std::string short_url = c.left.empty() ? answer.body : Between(answer.body, c.left, c.right);
    if (c.unslash) {
      EXPECT_NE(short_url.find("\\/"), std::string::npos) << c.what;  // as dwz writes slashes
      short_url = Unslash(short_url);
    }
    ASSERT_TRUE(short_url.starts_with(c.prefix)) << c.what << ": " << answer.body;
    EXPECT_EQ(short_url.size(), c.prefix.size() + 6) << c.what;
    const Answer follow = links.Follow(Request("GET", short_url.substr(15), ""));
    EXPECT_EQ(follow.status, 302) << c.what;
    EXPECT_EQ(follow.location, long_url) << c.what;
  }
}

TEST(ShortLinks, RefuseWhatIsNoWebAddress) {
  ShortLinks links(1);
  for (const std::string bad :
       {"", "foo", "ftp://sim.test/a", "http://", "https://", "%E8%BF%9E"}) {
    EXPECT_EQ(Between(links.Dwz(Request("POST", "/create.php", "", "url=" + bad)).body,
                      "{\"tinyurl\":\"", "\""),
              "")
        << bad;
    EXPECT_FALSE(links.Cnzz(Request("GET", "/x", "orig_link=" + bad)).body.starts_with("http"))
        << bad;
    EXPECT_EQ(Between(links.Custom(Request("GET", "/api/shorten", "longurl=" + bad)).body,
                      "<short_url>", "</short_url>"),
              "")
        << bad;
  }
  EXPECT_TRUE(links.Cnzz(Request("GET", "/x", "orig_link=HTTPS%3A%2F%2Fsim.test"))
                  .body.starts_with("http://"));
  EXPECT_EQ(links.Follow(Request("GET", "/s/unknown", "")).status, 404);
}

TEST(ShortLinks, SameAddressSameCodeForASeed) {
  ShortLinks first(5), again(5), other(6);
  const SimRequest request = Request("GET", "/x", "orig_link=http%3A%2F%2Fsim.test%2Fa");
  EXPECT_EQ(first.Cnzz(request).body, again.Cnzz(request).body);
  EXPECT_NE(first.Cnzz(request).body, other.Cnzz(request).body);
}

}  // namespace
}  // namespace guang_sim
