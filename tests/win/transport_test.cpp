// The WinInet transport against a loopback server: the requests it sends,
// the responses it takes apart, its time-outs and the window events it
// processes while it waits.
#include <winsock2.h>
// after winsock2.h
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <wininet.h>

#include <map>
#include <memory>

#include "loopback_server.h"
#include "net/http_utility.h"
#include "net/page_fetch.h"
#include "net/wininet_transport.h"
#include "test_window.h"

namespace pelrine {
namespace {

constexpr char kDefaultAgent[] =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
constexpr char kAcceptLine[] =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*";
constexpr char kUtilityAcceptLine[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

class TransportTest : public ::testing::Test {
 protected:
  // Answers requests for `path` (the target without its query).
  void Route(std::string path, LoopbackServer::Handler handler) {
    const std::lock_guard lock(routes_mutex_);
    routes_[std::move(path)] = std::move(handler);
  }
  void RoutePage(std::string path, std::string reply) {
    Route(std::move(path), [reply](const ReceivedRequest&) { return ServerReply{reply}; });
  }

  PageFetchResult Fetch(std::string_view path, const PageFetchOptions& options = {}) {
    std::string url = server_.Url(path);
    return PageFetch(transport_, url, options);
  }

  // The only request the server received since the last call.
  ReceivedRequest TakeRequest() {
    std::vector<ReceivedRequest> requests = server_.Requests();
    server_.ClearRequests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? ReceivedRequest{} : requests.back();
  }

  std::mutex routes_mutex_;
  std::map<std::string, LoopbackServer::Handler> routes_;
  LoopbackServer server_{[this](const ReceivedRequest& request) { return Answer(request); }};
  std::function<void()> on_window_message_ = [] {};
  TestWindow window_{[this] { on_window_message_(); }};
  std::function<void()> after_events_ = [] {};
  MessagePump pump_{[this] { after_events_(); }};
  WinInetTransport transport_{pump_};
  HttpUtility utility_{transport_};

 private:
  ServerReply Answer(const ReceivedRequest& request) {
    const std::string line = request.RequestLine();
    const size_t start = line.find(' ') + 1;
    const std::string target = line.substr(start, line.find(' ', start) - start);
    LoopbackServer::Handler handler;
    {
      const std::lock_guard lock(routes_mutex_);
      const auto route = routes_.find(target.substr(0, target.find('?')));
      if (route != routes_.end()) handler = route->second;
    }
    return handler ? handler(request) : ServerReply{HttpReply("no such page", "", "404 Not Found")};
  }
};

TEST_F(TransportTest, SendsTheHeaderBlockOfEachPageRequest) {
  RoutePage("/echo", HttpReply("echoed"));
  const std::string referer = "Referer: " + server_.Url("/echo");
  struct Case {
    const char* name;
    PageFetchOptions options;
    std::vector<std::string> lines;    // present
    std::vector<std::string> missing;  // occurring nowhere in the header block
    std::string body;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"plain GET",
            {},
            {"GET /echo HTTP/1.1", kAcceptLine, referer, "Accept-Language: zh-cn",
             std::string("User-Agent: ") + kDefaultAgent},
            {"Content-Type", "Cookie"},
            ""},
           {"POST with a form body",
            {.method = 1, .body = "a=1&b=2"},
            {"POST /echo HTTP/1.1", "Content-Type: application/x-www-form-urlencoded",
             "Content-Length: 7", referer},
            {},
            "a=1&b=2"},
           {"POST without a body", {.method = 1}, {"POST /echo HTTP/1.1"}, {"Content-Type"}, ""},
           {"the caller's own lines",
            {.headers = "X-Test: yes\r\nUser-Agent: Pelrine-Test/1\r\nAccept: text/plain\r\n"},
            {"X-Test: yes", "User-Agent: Pelrine-Test/1", "Accept: text/plain"},
            {"image/gif", "MSIE"},
            ""},
           {"RefererNo", {.headers = "RefererNo"}, {kAcceptLine}, {"Referer", "RefererNo"}, ""},
           {"cookie text", {.cookies = "a=1; b=2"}, {"Cookie: a=1; b=2"}, {}, ""},
       }) {
    SCOPED_TRACE(c.name);
    const PageFetchResult result = Fetch("/echo", c.options);
    EXPECT_EQ(result.body, "echoed");
    const ReceivedRequest request = TakeRequest();
    for (const std::string& line : c.lines)
      EXPECT_TRUE(request.HasLine(line)) << line << "\n" << request.head;
    for (const std::string& text : c.missing)
      EXPECT_EQ(request.head.find(text), std::string::npos) << text << "\n" << request.head;
    EXPECT_EQ(request.body, c.body);
  }
}

TEST_F(TransportTest, SendsTheHeaderBlockOfEachUtilityRequest) {
  RoutePage("/u", HttpReply("utility"));
  struct Case {
    const char* name;
    UtilityRequest request;
    std::vector<std::string> lines;
    std::string body;
  };
  const std::string url = server_.Url("/u?x=1");
  for (const Case& c : std::initializer_list<Case>{
           {"GET",
            {.url = url},
            {"GET /u?x=1 HTTP/1.1", kUtilityAcceptLine, "Referer: " + url, "Accept-Language: zh-cn",
             "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"},
            ""},
           {"POST in small letters",
            {.url = url, .method = "post", .body = "u=http%3A"},
            {"Content-Type: application/x-www-form-urlencoded", "Content-Length: 9"},
            "u=http%3A"},
       }) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utility_.RequestText(c.request), "utility");
    const ReceivedRequest request = TakeRequest();
    for (const std::string& line : c.lines)
      EXPECT_TRUE(request.HasLine(line)) << line << "\n" << request.head;
    EXPECT_EQ(request.body, c.body);
  }
  std::string headers = "untouched";
  EXPECT_EQ(utility_.RequestText({.url = url, .method = "PUT"}, &headers), "");
  EXPECT_EQ(headers, "");
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(TransportTest, RequestsWhatTheUrlNames) {
  RoutePage("/", HttpReply("root"));
  RoutePage("/a/b", HttpReply("ab"));
  const std::string base = "127.0.0.1:" + std::to_string(server_.port());
  struct Case {
    std::string url, request_line, body;
  };
  for (const Case& c : std::initializer_list<Case>{
           {base, "GET / HTTP/1.1", "root"},
           {"http://" + base + "/a/b?c=d&e=f", "GET /a/b?c=d&e=f HTTP/1.1", "ab"},
           {"http://" + base + "/a/b?next=https://x/", "", ""},  // secure: port 443
           {"https://" + base + "/a/b", "", ""},                 // secure: port 443
       }) {
    std::string url = c.url;
    EXPECT_EQ(PageFetch(transport_, url, {.timeout_seconds = 20}).body, c.body) << c.url;
    const std::vector<ReceivedRequest> requests = server_.Requests();
    server_.ClearRequests();
    if (c.request_line.empty()) {
      EXPECT_TRUE(requests.empty()) << c.url;
    } else {
      ASSERT_EQ(requests.size(), 1u) << c.url;
      EXPECT_EQ(requests[0].RequestLine(), c.request_line);
    }
  }
}

TEST_F(TransportTest, SendsPlainRequestsThroughTheProxy) {
  RoutePage("http://127.0.0.2:9/p", HttpReply("via proxy"));
  const std::string proxy = "127.0.0.1:" + std::to_string(server_.port());
  std::string url = "http://127.0.0.2:9/p?q=1";
  EXPECT_EQ(PageFetch(transport_, url, {.proxy = proxy}).body, "via proxy");
  EXPECT_EQ(TakeRequest().RequestLine(), "GET http://127.0.0.2:9/p?q=1 HTTP/1.1");
  EXPECT_EQ(utility_.RequestText({.url = url, .proxy = proxy}), "via proxy");
  EXPECT_EQ(TakeRequest().RequestLine(), "GET http://127.0.0.2:9/p?q=1 HTTP/1.1");
}

TEST_F(TransportTest, FollowsRedirectsOnlyWhenAsked) {
  RoutePage("/moved", HttpReply("see elsewhere", "Location: /target\r\n", "302 Found"));
  RoutePage("/target", HttpReply("arrived"));
  EXPECT_EQ(Fetch("/moved").body, "arrived");
  const PageFetchResult stopped = Fetch("/moved", {.follow_redirects = false});
  EXPECT_EQ(stopped.body, "see elsewhere");
  EXPECT_TRUE(stopped.headers.starts_with("HTTP/1.1 302")) << stopped.headers;
}

TEST_F(TransportTest, ReturnsErrorPagesLikeAnyOther) {
  const PageFetchResult result = Fetch("/missing");
  EXPECT_EQ(result.body, "no such page");
  EXPECT_TRUE(result.headers.starts_with("HTTP/1.1 404")) << result.headers;
}

TEST_F(TransportTest, StoresReceivedCookiesAndSendsThemOnPlainRequests) {
  RoutePage("/jar/set", HttpReply("set",
                                  "Set-Cookie: sid=abc; path=/jar\r\n"
                                  "Set-Cookie: plain=1\r\n"));
  RoutePage("/jar/check", HttpReply("checked"));
  // With a cookie text of its own the request keeps the system store out of
  // the exchange, so only the transport itself can have stored these.
  const PageFetchResult set = Fetch("/jar/set", {.cookies = "own=1"});
  EXPECT_EQ(set.cookies, "sid=abc;plain=1;");
  EXPECT_EQ(TakeRequest().Header("Cookie"), "own=1");

  Fetch("/jar/check");
  const std::string sent = TakeRequest().Header("Cookie");
  EXPECT_NE(sent.find("sid=abc"), std::string::npos) << sent;
  EXPECT_NE(sent.find("plain=1"), std::string::npos) << sent;

  Fetch("/jar/check", {.cookies = "mine=2"});
  EXPECT_EQ(TakeRequest().Header("Cookie"), "mine=2");
}

TEST_F(TransportTest, TakesLongHeaderBlocksWhole) {
  std::string block;  // 10 KB of header lines, then a cookie
  for (char letter = 'a'; letter < 'u'; ++letter)
    block.append("X-Filler-").append(1, letter).append(": ").append(500, letter).append("\r\n");
  RoutePage("/long", HttpReply("body", block + "Set-Cookie: after_long=1; path=/long\r\n"));
  const PageFetchResult page = Fetch("/long");
  EXPECT_EQ(page.body, "body");
  EXPECT_NE(page.headers.find(block), std::string::npos) << page.headers.size();
  EXPECT_EQ(page.cookies, "after_long=1;");

  std::string headers;
  EXPECT_EQ(utility_.RequestText({.url = server_.Url("/long")}, &headers), "body");
  EXPECT_NE(headers.find(block), std::string::npos) << headers.size();

  char cookie[256] = {};
  DWORD size = sizeof cookie;
  ASSERT_TRUE(InternetGetCookieA(server_.Url("/long/x").c_str(), nullptr, cookie, &size));
  EXPECT_NE(std::string(cookie).find("after_long=1"), std::string::npos) << cookie;
}

TEST_F(TransportTest, ReadsLargeBodiesIntact) {
  std::string big(5 * 1024 * 1024, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i % 251 == 0 ? 0 : i * 7);
  RoutePage("/big", HttpReply(big));
  EXPECT_TRUE(Fetch("/big").body == big);
  EXPECT_TRUE(utility_.RequestBytes({.url = server_.Url("/big")}) == big);
}

TEST_F(TransportTest, BrokenResponsesEndWithoutATimeOut) {
  struct Case {
    const char* path;
    const char* bytes;
    bool reset;
    const char* body;
  };
  const Case cases[] = {
      {"/reset", "", true, ""},
      {"/cut", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789", false, "0123456789"},
      {"/cut-then-reset", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n01234", true, "01234"},
      {"/no-head", "HTTP/1.1 200 OK\r\nContent-Le", false, ""},
  };
  for (const Case& c : cases) {
    Route(c.path, [c](const ReceivedRequest&) { return ServerReply{c.bytes, c.reset}; });
    const PageFetchResult result = Fetch(c.path, {.timeout_seconds = 20});
    EXPECT_FALSE(result.timed_out) << c.path;
    EXPECT_EQ(result.body, c.body) << c.path;
  }
}

TEST_F(TransportTest, ConvertsUtf8AndBig5Pages) {
  const std::string big5 = "\xC5\xE9\xB0\xEA big5";                 // 體國, traditional
  RoutePage("/utf8", HttpReply("\xE4\xB8\xAD\xE6\x96\x87 utf-8"));  // 中文
  RoutePage("/big5", HttpReply(big5));
  EXPECT_EQ(Fetch("/utf8", {.conversion = 1}).body, "中文 utf-8");
  // Simplified where the system maps them (Wine keeps the traditional forms).
  const std::string gbk = Fetch("/big5", {.conversion = 2}).body;
  EXPECT_TRUE(gbk == "体国 big5" || gbk == "體國 big5") << gbk;
  EXPECT_EQ(Fetch("/big5").body, big5);
}

// The server holds its answer back until the gate opens.
LoopbackServer::Handler HeldBack(std::shared_ptr<Gate> gate, std::string body) {
  return [gate, body](const ReceivedRequest&) {
    gate->Wait(30000);
    return ServerReply{HttpReply(body)};
  };
}

TEST_F(TransportTest, TimeOutAgainstAServerThatAnswersLate) {
  enum class Answer { kAtOnce, kWhileWaiting, kAfterTheFetch };
  struct Case {
    int timeout_seconds;
    Answer answer;
    bool timed_out;
  };
  for (const Case& c : std::initializer_list<Case>{
           {0, Answer::kAtOnce, true},
           {1, Answer::kAfterTheFetch, true},
           {3, Answer::kAfterTheFetch, true},
           {1, Answer::kWhileWaiting, false},
           {3, Answer::kWhileWaiting, false},
       }) {
    const auto gate = std::make_shared<Gate>();
    Route("/late", HeldBack(gate, "late page"));
    if (c.answer == Answer::kAtOnce) gate->Open();
    // The window's message is handled inside the wait and lets the server answer.
    on_window_message_ = [gate] { gate->Open(); };
    if (c.answer == Answer::kWhileWaiting) window_.Post();
    const PageFetchResult result =
        Fetch("/late", {.timeout_seconds = c.timeout_seconds, .conversion = 1});
    gate->Open();
    EXPECT_EQ(result.timed_out, c.timed_out) << c.timeout_seconds;
    EXPECT_EQ(result.body, c.timed_out ? kFetchTimeoutMessage : "late page") << c.timeout_seconds;
  }
}

TEST_F(TransportTest, HandlesWindowMessagesWhileWaiting) {
  constexpr int kMessages = 5;
  int handled = 0;
  const auto gate = std::make_shared<Gate>();
  on_window_message_ = [&] {
    if (++handled == kMessages) gate->Open();
  };
  const HWND window = window_.handle();
  Route("/busy", [gate, window](const ReceivedRequest&) {
    for (int i = 0; i < kMessages; ++i) PostMessageA(window, WM_APP, 0, 0);
    gate->Wait(30000);
    return ServerReply{HttpReply("answered")};
  });
  EXPECT_EQ(Fetch("/busy", {.timeout_seconds = 20}).body, "answered");
  EXPECT_EQ(handled, kMessages);
}

TEST_F(TransportTest, AWindowHandlerMayFetchInsideTheWait) {
  // The outer request is answered only after a handler that runs inside its
  // wait has fetched a page of its own: two workers side by side.
  const auto gate = std::make_shared<Gate>();
  Route("/outer", HeldBack(gate, "outer page"));
  RoutePage("/inner", HttpReply("inner page"));
  std::string inner;
  on_window_message_ = [&] {
    inner = Fetch("/inner", {.timeout_seconds = 20}).body;
    gate->Open();
  };
  window_.Post();
  EXPECT_EQ(Fetch("/outer", {.timeout_seconds = 20}).body, "outer page");
  EXPECT_EQ(inner, "inner page");
}

TEST_F(TransportTest, AnEndNoticedAfterTheTimeOutIsATimeOut) {
  // The first wake-up is window input whose handler runs past the time-out;
  // the worker ends meanwhile, but only the elapsed time counts.
  const auto handler_running = std::make_shared<Gate>();
  on_window_message_ = [handler_running] {
    handler_running->Open();
    Sleep(1300);
  };
  Route("/quick", [handler_running](const ReceivedRequest&) {
    handler_running->Wait(30000);
    return ServerReply{HttpReply("quick")};
  });
  window_.Post();
  const PageFetchResult result = Fetch("/quick", {.timeout_seconds = 1});
  EXPECT_TRUE(result.timed_out);
  EXPECT_EQ(result.body, kFetchTimeoutMessage);
}

TEST_F(TransportTest, InputThatKeepsComingDoesNotPostponeTheTimeOut) {
  // Every processing of events posts the next message, so input never stops;
  // after a safety limit the server answers, which a wait that restarted its
  // time-out on every wake-up would then return.
  const auto gate = std::make_shared<Gate>();
  Route("/never", HeldBack(gate, "too late"));
  const ULONGLONG limit = GetTickCount64() + 15000;
  after_events_ = [&] {
    if (GetTickCount64() < limit) return window_.Post();
    gate->Open();
  };
  EXPECT_EQ(utility_.RequestBytes({.url = server_.Url("/never"), .timeout_seconds = 1}), "");
  EXPECT_TRUE(Fetch("/never", {.timeout_seconds = 1}).timed_out);
  after_events_ = [] {};
  gate->Open();
}

}  // namespace
}  // namespace pelrine
