// A scripted transport for native tests: it records every request and
// answers from a table of rows, without threads or network.
//
//   FakeTransport transport;
//   transport.AnswerFetch("http://host/list?page=1", "<page one>");
//   transport.AnswerFetch("http://host/detail*", "<any detail>");   // a URL prefix
//   transport.AnswerFetch("http://host/slow", {.timed_out = true});
//   ... code under test ...
//   EXPECT_EQ(transport.fetches[0].url, "http://host/list?page=1");
//
// Several rows for the same URL answer in turn, the last one every request
// from then on. A request that no row answers gets an empty reply, as a
// failed connection would.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/event_pump.h"
#include "net/transport.h"

namespace pelrine {

class FakeTransport final : public Transport {
 public:
  // With a pump, every request processes window events once while it
  // "waits", as the real transport does.
  explicit FakeTransport(EventPump* pump = nullptr) : pump_(pump) {}

  // `url` is the whole URL, or its beginning when it ends in "*".
  void AnswerFetch(std::string url, FetchReply reply) {
    fetch_rows_.push_back({std::move(url), std::move(reply)});
  }
  void AnswerFetch(std::string url, std::string body) {
    AnswerFetch(std::move(url), FetchReply{.body = std::move(body)});
  }
  void AnswerRequest(std::string url, UtilityReply reply) {
    request_rows_.push_back({std::move(url), std::move(reply)});
  }

  FetchReply Fetch(const FetchRequest& request) override {
    fetches.push_back(request);
    if (pump_) pump_->ProcessEvents();
    return Answer(fetch_rows_, request.url);
  }

  UtilityReply Request(const UtilityRequest& request) override {
    requests.push_back(request);
    if (pump_) pump_->ProcessEvents();
    return Answer(request_rows_, request.url);
  }

  std::vector<FetchRequest> fetches;     // every Fetch, in order
  std::vector<UtilityRequest> requests;  // every Request, in order

 private:
  template <class Reply>
  struct Row {
    std::string url;
    Reply reply;
    bool used = false;
  };

  static bool Matches(std::string_view pattern, std::string_view url) {
    if (pattern.ends_with('*')) return url.starts_with(pattern.substr(0, pattern.size() - 1));
    return url == pattern;
  }

  // The first unused matching row, or the last matching row when all are used.
  template <class Reply>
  static Reply Answer(std::vector<Row<Reply>>& rows, std::string_view url) {
    Row<Reply>* last = nullptr;
    for (Row<Reply>& row : rows) {
      if (!Matches(row.url, url)) continue;
      if (!row.used) {
        row.used = true;
        return row.reply;
      }
      last = &row;
    }
    return last ? last->reply : Reply{};
  }

  EventPump* pump_;
  std::vector<Row<FetchReply>> fetch_rows_;
  std::vector<Row<UtilityReply>> request_rows_;
};

}  // namespace pelrine
