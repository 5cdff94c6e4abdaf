// The simulator as a process: one walk over every service on its one port,
// as the program walks it, with the request log checked afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "codec.h"
#include "gateway.h"
#include "sim_process.h"

namespace guang_sim {
namespace {

std::string Cut(const std::string& text, const std::string& left, const std::string& right) {
  const size_t start = text.find(left);
  if (start == std::string::npos) return "";
  const size_t end = text.find(right, start + left.size());
  return end == std::string::npos ? ""
                                  : text.substr(start + left.size(), end - start - left.size());
}

struct LogRecord {
  std::string request_line;
  std::vector<std::string> headers;
  std::string body;
};

std::vector<LogRecord> ReadLog(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<LogRecord> records;
  for (std::string line; std::getline(in, line);) {
    LogRecord record{line, {}, ""};
    while (std::getline(in, line) && !line.empty()) record.headers.push_back(line);
    std::getline(in, record.body);
    std::getline(in, line);  // the empty line after each record
    records.push_back(record);
  }
  return records;
}

constexpr char kListing[] =
    "/search/ajax/"
    "get_search_source.json?page_size=6&cpage=1&_input_charset=utf-8&cat_id=0&sort=1&type=0"
    "&q=%25C1%25AC%25D2%25C2%25C8%25B9";  // 连衣裙 in GBK, encoded twice

TEST(SimWalk, EveryServiceAnswersOnTheOnePortAndIsLogged) {
  const std::string log =
      ::testing::TempDir() + "guang-sim-walk-" + std::to_string(getpid()) + ".log";
  std::remove(log.c_str());
  SimProcess sim({"--seed", "3", "--log", log});
  ASSERT_GT(sim.port(), 0);
  std::vector<std::string> targets;
  auto get = [&](const std::string& target) {
    targets.push_back("GET " + target);
    auto [status, body] = sim.Get(target);
    EXPECT_EQ(status, 200) << target;
    return body;
  };

  const std::string listing = get(kListing);
  const std::string entry = Cut(listing, "{\"bought\":", "\"width\":");
  const std::string uid = Cut(entry, "\"uid\":", ","), aid = Cut(entry, "\"favContAlbumId\":", ","),
                    sid = Cut(entry, "\"rid\":", ",");
  ASSERT_FALSE(sid.empty()) << listing;
  const std::string album =
      get("/detail/ajax/album.json?sid=" + sid + "&uid=" + uid + "&aid=" + aid);
  EXPECT_NE(album.find("{\"actionType\":"), std::string::npos);
  const std::string cover = Cut(album, "\"coverUrl\":\"", "\"");
  ASSERT_TRUE(cover.starts_with("http://" + sim.host() + "/pic/")) << cover;
  const std::string picture = get(cover.substr(cover.find("/pic/")));
  EXPECT_TRUE(picture.starts_with("\xFF\xD8") || picture.starts_with("\x89PNG"));
  EXPECT_NE(get("/detail/index.htm?uid=" + uid + "&sid=" + sid).find("</html>"), std::string::npos);
  const std::string comments =
      get("/json/cc_list.htm?rec_user_id=" + uid + "&page_size=10&target_key=" + sid +
          "&app_id=" + Cut(album, "\"appId\":", ","));
  EXPECT_TRUE(comments.starts_with("TB.Guang.Comment.render(")) << comments;
  EXPECT_EQ(get("/sim/words"), "连衣裙|女装|秋装");

  Params params = {{"app_key", "58316047"},
                   {"fields", "click_url"},
                   {"format", "xml"},
                   {"keyword", "a b"},
                   {"method", "taobao.taobaoke.items.get"},
                   {"pid", "76502913"},
                   {"sign_method", "md5"},
                   {"timestamp", "2012-05-07 09:03:04"},
                   {"v", "2.0"}};
  params.push_back({"sign", SignatureOf(params, "9f4be07c15d2a86e3b71c0d94a5e2f68")});
  std::string form;
  for (const Param& p : params)
    form += (form.empty() ? "" : "&") + p.name + "=" + PercentEncode(p.value);
  targets.push_back("POST /router/rest?");
  httplib::Client client = sim.Client();
  auto gateway = client.Post("/router/rest?", form, "application/x-www-form-urlencoded");
  ASSERT_TRUE(gateway);
  EXPECT_EQ(gateway->body.find("error_response"), std::string::npos) << gateway->body;

  targets.push_back("POST /create.php");
  auto dwz = sim.PostForm("/create.php", "url=http%3A%2F%2Fsim.test%2Fa&alias=&access_type=web");
  EXPECT_TRUE(dwz.second.starts_with("{\"tinyurl\":\"http:\\/\\/")) << dwz.second;
  EXPECT_TRUE(get("/v1/data/link_conv/rd_dispatcher.php?orig_link=http%3A%2F%2Fsim.test%2Fa")
                  .starts_with("http://"));
  EXPECT_NE(get("/api/shorten?longurl=http%3A%2F%2Fsim.test%2Fa").find("<short_url>http://"),
            std::string::npos);

  const std::vector<LogRecord> records = ReadLog(log);
  ASSERT_EQ(records.size(), targets.size());
  for (size_t i = 0; i < targets.size(); ++i) EXPECT_EQ(records[i].request_line, targets[i]);
  const auto post_record = std::find_if(records.begin(), records.end(), [](const LogRecord& r) {
    return r.request_line == "POST /router/rest?";
  });
  ASSERT_NE(post_record, records.end());
  const LogRecord& post = *post_record;
  EXPECT_EQ(post.body, form);
  EXPECT_NE(std::find(post.headers.begin(), post.headers.end(),
                      "Content-Type: application/x-www-form-urlencoded"),
            post.headers.end());
  EXPECT_NE(std::find(records[0].headers.begin(), records[0].headers.end(), "Host: " + sim.host()),
            records[0].headers.end());
  std::remove(log.c_str());
}

// Everything one seed serves, asked for under one host name.
std::vector<std::string> Answers(const std::string& seed) {
  SimProcess sim({"--seed", seed, "--size", "2x3x6"});
  httplib::Client client = sim.Client();
  client.set_default_headers({{"Host", "sim.test"}});
  std::vector<std::string> answers;
  std::string second_page = kListing;
  second_page.replace(second_page.find("cpage=1"), 7, "cpage=2");
  for (const std::string& target : std::vector<std::string>{
           kListing, second_page, "/detail/ajax/album.json?sid=2000000001&uid=1&aid=2",
           "/detail/index.htm?uid=1&sid=2000000001",
           "/json/cc_list.htm?rec_user_id=1&page_size=10&target_key=2000000001&app_id=1",
           "/pic/a.jpg", "/api/shorten?longurl=http%3A%2F%2Fsim.test%2Fa"}) {
    auto result = client.Get(target);
    answers.push_back(result ? result->body : "failed");
  }
  return answers;
}

TEST(SimWalk, OneSeedOneOutput) {
  const std::vector<std::string> first = Answers("11");
  EXPECT_EQ(Answers("11"), first);
  EXPECT_NE(Answers("12")[0], first[0]);
}

}  // namespace
}  // namespace guang_sim
