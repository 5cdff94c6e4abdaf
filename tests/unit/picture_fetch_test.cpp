#include "run/picture_fetch.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"

namespace pelrine {
namespace {

TEST(PagePictureFetch, GetsTheBodyAndTellsATimeOutApart) {
  FakeTransport transport;
  transport.AnswerFetch("http://img.test/a.jpg", std::string("\xFF\xD8jpeg\0bytes", 11));
  transport.AnswerFetch("http://img.test/slow.jpg", FetchReply{.timed_out = true});
  PagePictureFetch fetch(transport);

  const FetchedBody picture = fetch.Fetch("img.test/a.jpg");
  EXPECT_EQ(picture.bytes, std::string("\xFF\xD8jpeg\0bytes", 11));
  EXPECT_FALSE(picture.timed_out);
  ASSERT_EQ(transport.fetches.size(), 1u);
  EXPECT_EQ(transport.fetches[0].url, "http://img.test/a.jpg");
  EXPECT_EQ(transport.fetches[0].method, "GET");
  EXPECT_EQ(transport.fetches[0].timeout_seconds, 60);

  const FetchedBody slow = fetch.Fetch("http://img.test/slow.jpg");
  EXPECT_TRUE(slow.timed_out);
  EXPECT_EQ(slow.bytes, "");  // not the time-out message

  EXPECT_EQ(fetch.Fetch("").bytes, "");
  EXPECT_EQ(transport.fetches.size(), 2u);  // no request for an empty address
}

}  // namespace
}  // namespace pelrine
