#include "sim_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <filesystem>

#include "pictures.h"

namespace guang_sim {
namespace {

// The socket of the connection a request came on, found by its two ports.
int ConnectionSocket(const httplib::Request& request) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    const std::string name = entry.path().filename().string();
    int fd = -1;
    if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc()) continue;
    sockaddr_in local{}, peer{};
    socklen_t local_size = sizeof local, peer_size = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_size) == 0 &&
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) == 0 &&
        local.sin_family == AF_INET && ntohs(local.sin_port) == request.local_port &&
        ntohs(peer.sin_port) == request.remote_port)
      return fd;
  }
  return -1;
}

// Drops the connection with a TCP reset: disconnecting an established
// socket sends one, and the server's later writes on it fail.
void ResetConnection(const httplib::Request& request) {
  const int fd = ConnectionSocket(request);
  if (fd < 0) return;
  sockaddr unspecified{};
  unspecified.sa_family = AF_UNSPEC;
  connect(fd, &unspecified, sizeof unspecified);
}

void PutAnswer(const Answer& answer, httplib::Response& response) {
  response.status = answer.status;
  response.set_header("Server", "guang-sim");
  if (!answer.location.empty()) response.set_header("Location", answer.location);
  response.set_content(answer.body,
                       answer.content_type.empty() ? "text/plain" : answer.content_type);
}

void PadHeaders(size_t bytes, httplib::Response& response) {
  const std::string filler(100, 'x');
  for (size_t line = 0, written = 0; written < bytes; ++line) {
    const std::string name = "X-Sim-Padding-" + std::to_string(line);
    response.set_header(name, filler);
    written += name.size() + filler.size() + 4;
  }
}

// Announces the whole body, sends its first half and closes.
void Truncate(httplib::Response& response) {
  const std::string body = std::move(response.body);
  const std::string type = response.get_header_value("Content-Type");
  response.body.clear();
  response.set_content_provider(body.size(), type, [body](size_t, size_t, httplib::DataSink& sink) {
    sink.write(body.data(), body.size() / 2);
    return false;
  });
}

}  // namespace

SimServer::SimServer(const SimOptions& options)
    : seed_(options.seed),
      port_(options.port),
      catalog_(options.seed, options.size, options.steady),
      guang_(catalog_),
      gateway_(options.seed, options.app_key, options.app_secret),
      links_(options.seed),
      faults_(options.seed),
      log_(options.log_path) {
  std::string unused;
  for (const std::string& fault : options.faults) faults_.Add(fault, unused);
  server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
  // Headers and body go out in separate writes; without this, the body of
  // every answer on a kept-alive connection waits for the client's delayed
  // acknowledgement (about 40 ms), which real servers do not make anyone wait.
  server_.set_tcp_nodelay(true);
  auto handler = [this](const httplib::Request& request, httplib::Response& response) {
    Handle(request, response);
  };
  server_.Get(".*", handler);
  server_.Post(".*", handler);
}

int SimServer::Bind() {
  if (port_ == 0) return port_ = server_.bind_to_any_port("127.0.0.1");
  return server_.bind_to_port("127.0.0.1", port_) ? port_ : -1;
}

void SimServer::Serve() { server_.listen_after_bind(); }

void SimServer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  server_.stop();
}

bool SimServer::Wait(int ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_; });
}

void SimServer::Handle(const httplib::Request& request, httplib::Response& response) {
  std::vector<std::pair<std::string, std::string>> headers;
  for (const auto& [name, value] : request.headers)
    if (name != "REMOTE_ADDR" && name != "REMOTE_PORT" && name != "LOCAL_ADDR" &&
        name != "LOCAL_PORT")
      headers.emplace_back(name, value);
  log_.Write(request.method, request.target, headers, request.body);

  const size_t question = request.target.find('?');
  SimRequest sim{
      request.method, request.path, request.get_header_value("Host"),
      ParseForm(question == std::string::npos ? "" : request.target.substr(question + 1)),
      ParseForm(request.body)};
  if (sim.host.empty()) sim.host = "127.0.0.1:" + std::to_string(port_);

  const FaultPlan plan = faults_.PlanFor(request.path);
  if (!Wait(plan.delay_ms)) return ResetConnection(request);
  switch (plan.action) {
    case FaultAction::kTimeout:
      Wait(plan.hold_ms);
      return ResetConnection(request);
    case FaultAction::kReset:
      return ResetConnection(request);
    case FaultAction::kError500:
      PutAnswer(ErrorPage(500, "Internal Server Error"), response);
      break;
    default:
      PutAnswer(Route(sim), response);
  }
  PadHeaders(plan.header_bytes, response);
  if (plan.action == FaultAction::kTruncate) Truncate(response);
}

Answer SimServer::Route(const SimRequest& request) {
  const std::string& path = request.path;
  if (path == "/search/ajax/get_search_source.json") return guang_.SearchListing(request);
  if (path == "/detail/ajax/album.json") return guang_.AlbumListing(request);
  if (path == "/detail/index.htm") return guang_.DetailPage(request);
  if (path == "/json/cc_list.htm") return guang_.CommentListing(request);
  if (path == "/item.htm") return guang_.ItemPage(request);
  if (path.starts_with("/pic/")) return Picture(seed_, request);
  if (path == "/router/rest") return gateway_.Rest(request);
  if (path == "/click") return gateway_.Click(request);
  if (path == "/create.php") return links_.Dwz(request);
  if (path == "/v1/data/link_conv/rd_dispatcher.php") return links_.Cnzz(request);
  if (path == "/api/shorten") return links_.Custom(request);
  if (path.starts_with("/s/") || path.starts_with("/c/") || path.starts_with("/u/"))
    return links_.Follow(request);
  if (path == "/sim/words") return guang_.WordList();
  return ErrorPage(404, "Not Found");
}

}  // namespace guang_sim
