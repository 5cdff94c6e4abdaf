// Collect runs through the WinInet transport against the service simulator:
// the real client, transport and file system, a headless stand-in for the
// window. scripts/with-guang-sim starts the simulators and names them in
// GUANG_SIM (plain) and GUANG_SIM_FAULTY (latency and dropped, reset and cut
// answers), each with its request log in NAME_LOG; without them the tests
// skip.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "guang/guang_client.h"
#include "net/file_system_win32.h"
#include "net/wininet_transport.h"
#include "run/run_collection.h"
#include "scratch_folder.h"
#include "unit/run_fakes.h"

namespace pelrine {
namespace {

// 连衣裙 as GBK bytes, percent-encoded twice.
constexpr char kWordQuery[] = "%25%43%31%25%41%43%25%44%32%25%43%32%25%43%38%25%42%39";
constexpr char kTemplate[] =
    "<p>#页面#</p><p>#描述#|#标签#|#标题#|#价格#|#专辑#</p><p>#评论#</p><img src=\"#图片#\">";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The request lines of a simulator log ("GET /path?query"). Each record is
// the request line, header lines, an empty line, the body line and an empty
// line.
std::vector<std::string> RequestLines(const std::string& log) {
  enum { kRequest, kHeaders, kBody, kEnd } state = kRequest;
  std::vector<std::string> lines;
  std::istringstream stream(log);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    switch (state) {
      case kRequest:
        lines.push_back(line);
        state = kHeaders;
        break;
      case kHeaders:
        if (line.empty()) state = kBody;
        break;
      case kBody:
        state = kEnd;
        break;
      case kEnd:
        state = kRequest;
        break;
    }
  }
  return lines;
}

// Every file under `folder`, as paths relative to it.
void ListFiles(const std::string& folder, const std::string& prefix,
               std::vector<std::string>& files) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ListFiles(folder + "\\" + name, prefix + name + "\\", files);
    else
      files.push_back(prefix + name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

bool AnyEscapeIn(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*guang-sim-escape*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

class GuangCollectTest : public ::testing::Test {
 protected:
  // A collect run of the one word 连衣裙 into folder\out, one share a file,
  // each file named after an insert word; `limit` shares at most ("0": all).
  void Collect(const std::string& address, const std::string& limit = "0") {
    window.search_words = "连衣裙";
    window.per_word_limit = limit;
    window.save_directory = folder / "out";
    window.shares_per_file = "1";
    window.content_templates = kTemplate;
    window.title_template = "#插入词1#";
    for (int n = 1; n <= 60; ++n) window.insert_words1 += "文章" + std::to_string(n) + "\r\n";
    window.download_pictures = true;
    window.picture_directory = "img";

    ServiceHosts hosts;
    hosts.guang = hosts.comment = address;
    WinInetTransport transport(window);
    PagePictureFetch pictures(transport);
    AnsiFileSystem files;
    SeededRandom random(1);
    CountingSleeper sleeper;
    FakeLinks links;
    GuangClient client(transport, hosts, random);
    RunFlags flags;
    RunCollection({{client, links, pictures, files, random, sleeper}, window}, flags);
  }

  // The articles of folder\out by their page address (the first line).
  std::map<std::string, std::string> ArticlesByPage() {
    std::vector<std::string> names;
    ListFiles(folder / "out", "", names);
    std::map<std::string, std::string> articles;
    for (const std::string& name : names) {
      if (!name.ends_with(".htm")) continue;
      const std::string content = ReadWholeFile(folder / ("out\\" + name));
      const size_t end = content.find("</p>");
      articles[content.substr(3, end == std::string::npos ? 0 : end - 3)] = content;
    }
    return articles;
  }

  // Nothing outside folder\out: no file beside it in the scratch folder, and
  // no hostile share id's name in the folders it could climb to.
  void ExpectNothingOutsideTheSaveFolder() {
    std::vector<std::string> files;
    ListFiles(folder.Path(), "", files);
    for (const std::string& file : files) EXPECT_TRUE(file.starts_with("out\\")) << file;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (const std::string& place :
         {folder.Path(), std::string(temp), std::string("C:"), std::string("C:\\windows")})
      EXPECT_FALSE(AnyEscapeIn(place)) << place;
  }

  ScratchFolder folder;
  FakeRunWindow window;
};

TEST_F(GuangCollectTest, WritesAnArticlePerShareFromWhatTheServiceAnswered) {
  const std::string address = Environment("GUANG_SIM");
  if (address.empty()) GTEST_SKIP() << "no simulator (run through scripts/with-guang-sim)";
  Collect(address);

  const std::vector<std::string> requests =
      RequestLines(ReadWholeFile(Environment("GUANG_SIM_LOG")));
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0], std::string("GET /search/ajax/get_search_source.json?page_size=6&cpage=1&"
                                     "_input_charset=utf-8&cat_id=0&sort=1&type=0&q=") +
                             kWordQuery);

  const std::map<std::string, std::string> articles = ArticlesByPage();
  EXPECT_GE(articles.size(), 10u);
  const std::string page = "http://" + address + "/detail/index.htm?uid=680823&sid=2000000000";
  ASSERT_EQ(articles.count(page), 1u) << [&] {
    std::string pages;
    for (const auto& article : articles) pages += article.first + "\n";
    return pages;
  }();
  EXPECT_EQ(articles.at(page),
            "<p>" + page +
                "</p><p>链接看这里 http:\\/\\/guang.example\\/item → "
                "快去看看|碎花|包邮 加厚羊毛 针织开衫||默认专辑</p><p>质量很好：太美了…："
                "\"同款\"已入手 & 很满意</p><img src=\"img/2000000000.jpg\">\r\n");
  EXPECT_EQ(ReadWholeFile(folder / "out\\img\\2000000000.jpg").substr(0, 3), "\xFF\xD8\xFF");

  // Each article's share went through album listing, comments and detail
  // page in that order.
  for (const auto& [article_page, content] : articles) {
    const std::string query = article_page.substr(article_page.find('?') + 1);
    const std::string uid = query.substr(4, query.find('&') - 4);
    const std::string sid = query.substr(query.find("&sid=") + 5);
    auto find = [&](const std::string& start) {
      for (size_t i = 0; i < requests.size(); ++i)
        if (requests[i].starts_with(start)) return i;
      return requests.size();
    };
    const size_t album = find("GET /detail/ajax/album.json?sid=" + sid + "&uid=" + uid + "&aid=");
    const size_t comments = find("GET /json/cc_list.htm?rec_user_id=" + uid +
                                 "&page_size=10&target_key=" + sid + "&app_id=");
    const size_t detail = find("GET /detail/index.htm?" + query);
    EXPECT_LT(album, comments) << sid;
    EXPECT_LT(comments, detail) << sid;
    EXPECT_LT(detail, requests.size()) << sid;
  }
  ExpectNothingOutsideTheSaveFolder();
}

TEST_F(GuangCollectTest, FaultsCostSharesButTheRunEndsInsideTheSaveFolder) {
  const std::string address = Environment("GUANG_SIM_FAULTY");
  if (address.empty()) GTEST_SKIP() << "no simulator (run through scripts/with-guang-sim)";
  // Shares lost to faults keep the repeated pages at the end of the word
  // below the run's repeat count, so the limit ends the word.
  Collect(address, "20");

  const std::vector<std::string> requests =
      RequestLines(ReadWholeFile(Environment("GUANG_SIM_FAULTY_LOG")));
  ASSERT_FALSE(requests.empty());
  EXPECT_TRUE(requests[0].starts_with("GET /search/ajax/get_search_source.json?"));
  EXPECT_FALSE(ArticlesByPage().empty());
  EXPECT_EQ(window.statuses.back(), "");
  ExpectNothingOutsideTheSaveFolder();
}

}  // namespace
}  // namespace pelrine
