// The Guang client on arbitrary service answers: the search listing, the
// album listing, the comment listing and the detail page each come from the
// input, and the client's parsers run on every part alone too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_transport.h"
#include "guang/guang_client.h"
#include "guang/share_comments.h"
#include "guang/share_details.h"
#include "guang/text_between.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// The input's parts, each ended by a zero byte (the last by the input's end).
std::vector<std::string> Parts(std::string_view input, size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const size_t end = input.find('\0');
    parts.emplace_back(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  parts.emplace_back(input);
  return parts;
}

class FixedRandom final : public pelrine::RandomSource {
 public:
  int Uniform(int low, int) override { return low; }
};

}  // namespace

// Input: listing, album listing, comment response and detail page, separated
// by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pelrine;
  const std::vector<std::string> parts =
      Parts(std::string_view(reinterpret_cast<const char*>(data), size), 4);
  const std::string &listing = parts[0], &album = parts[1], &comments = parts[2],
                    &detail = parts[3];

  FakeTransport transport;
  transport.AnswerFetch("http://g/search/*", listing);
  transport.AnswerFetch("http://g/detail/ajax/*", album);
  transport.AnswerFetch("http://g/detail/index.htm*", detail);
  transport.AnswerFetch("http://c/*", comments);
  FixedRandom random;
  GuangClient client(transport, {.guang = "g", .comment = "c"}, random);
  InsertWordList words1 = InsertWordList::FromText("a\r\nb"), words2;
  std::string separator;
  const std::vector<ShareRecord> shares =
      client.CollectSearchPage("#评论##专辑##插入词1##插入词2#", listing.substr(0, 8), 0, 1, 0, 1,
                               words1, words2, separator, 0, nullptr);

  size_t entries = 0;
  for (long long position = 0; !NextShareEntry(listing, &position).empty();) ++entries;
  Require(separator == ",");
  Require(shares.size() <= entries);
  Require(transport.fetches.size() <= 1 + entries * 4);
  for (const ShareRecord& share : shares) {
    Require(!share.shareId.empty());
    Require(!share.album.empty());
    Require(share.insertWord2.empty());
  }

  RegexObject blanks;
  blanks.Create(kAlbumNameBlanks);
  const std::string name = AlbumNameFromPage(detail, blanks);
  Require(name.find(' ') == std::string::npos && name.find('\t') == std::string::npos);
  const std::string id = TextBetween(album, "''id'':", ",", 0, 0, nullptr, false, true);
  if (const std::optional<std::string> entry = FindAlbumEntry(album, id)) {
    ShareRecord share;
    ReadAlbumEntry(*entry, ",", share);
    Require(!id.empty() && entry->find(id) != std::string::npos);
  }
  JoinComments(CommentList(comments));
  JoinComments(comments);
  return 0;
}
