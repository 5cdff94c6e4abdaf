#include "guang_service.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <set>

#include "net/gbk_text.h"

namespace guang_sim {
namespace {

SimRequest Get(std::string path, std::string query) {
  return {"GET", std::move(path), "sim.test", ParseForm(query), {}};
}

// The search word as the program sends it: every byte as %XX, twice.
std::string EncodeTwice(std::string_view word) {
  auto every_byte = [](std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) out += std::string("%") + kHex[b >> 4] + kHex[b & 15];
    return out;
  };
  return every_byte(every_byte(word));
}

std::string ListingQuery(std::string_view word, int page) {
  return "page_size=6&cpage=" + std::to_string(page) +
         "&_input_charset=utf-8&cat_id=0&sort=1&type=0&q=" + EncodeTwice(word);
}

// The text between the first `left` at or after `from` and the next `right`;
// moves `from` past `right`. "" when either is missing.
std::string Cut(const std::string& text, const std::string& left, const std::string& right,
                size_t* from = nullptr) {
  const size_t start = text.find(left, from ? *from : 0);
  if (start == std::string::npos) return "";
  const size_t end = text.find(right, start + left.size());
  if (end == std::string::npos) return "";
  if (from) *from = end + right.size();
  return text.substr(start + left.size(), end - start - left.size());
}

std::vector<std::string> CutAll(const std::string& text, const std::string& left,
                                const std::string& right) {
  std::vector<std::string> pieces;
  size_t from = 0;
  for (std::string piece; !(piece = Cut(text, left, right, &from)).empty();)
    pieces.push_back(piece);
  return pieces;
}

// The listed share ids of every page of every word.
std::vector<std::string> ListedIds(const Catalog& catalog) {
  std::vector<std::string> ids;
  for (const std::string& word : catalog.words())
    for (int page = 1; page <= catalog.size().pages; ++page)
      for (const std::string& id : catalog.PageShareIds(word, page)) ids.push_back(id);
  return ids;
}

TEST(SearchListing, EntriesCarryTheShareKeys) {
  const Catalog catalog(7, {3, 4, 6});
  GuangService guang(catalog);
  for (const std::string& word : catalog.words()) {
    for (int page = 1; page <= 5; ++page) {
      std::string body =
          guang.SearchListing(Get("/search/ajax/get_search_source.json", ListingQuery(word, page)))
              .body;
      if (catalog.PageEmptyOnFirstRequest(word, page)) {
        EXPECT_EQ(CutAll(body, "{\"bought\":", "\"width\":").size(), 0u);
        body =
            guang
                .SearchListing(Get("/search/ajax/get_search_source.json", ListingQuery(word, page)))
                .body;
      }
      const std::vector<std::string> entries = CutAll(body, "{\"bought\":", "\"width\":");
      const std::vector<std::string> ids = catalog.PageShareIds(word, page);
      ASSERT_EQ(entries.size(), ids.size()) << word << " page " << page;
      for (size_t i = 0; i < ids.size(); ++i) {
        const Share share = catalog.FindShare(ids[i]);
        EXPECT_EQ(Cut(entries[i], "\"rid\":", ","), ids[i]);
        EXPECT_EQ(Cut(entries[i], "\"uid\":", ","), share.uid);
        EXPECT_EQ(Cut(entries[i], "\"favContAlbumId\":", ","), share.album_id);
      }
    }
  }
}

TEST(SearchListing, SomePagesAnswerEmptyOnceThenInFull) {
  const Catalog catalog(1, {20, 10, 6});
  GuangService guang(catalog);
  int flaky = 0;
  for (const std::string& word : catalog.words()) {
    for (int page = 1; page <= 10; ++page) {
      const SimRequest request =
          Get("/search/ajax/get_search_source.json", ListingQuery(word, page));
      const size_t first =
          CutAll(guang.SearchListing(request).body, "{\"bought\":", "\"width\":").size();
      const size_t second =
          CutAll(guang.SearchListing(request).body, "{\"bought\":", "\"width\":").size();
      EXPECT_EQ(second, 6u);
      EXPECT_EQ(first, catalog.PageEmptyOnFirstRequest(word, page) ? 0u : 6u);
      flaky += first == 0;
    }
  }
  EXPECT_GT(flaky, 0);
}

TEST(SearchListing, WordsEndByRepeatingAPageOrWithEmptyPages) {
  const Catalog catalog(1, {20, 3, 6});
  std::map<std::string, int> endings;
  for (const std::string& word : catalog.words()) {
    const std::vector<std::string> after = catalog.PageShareIds(word, 4);
    EXPECT_EQ(catalog.PageShareIds(word, 9), after) << word;
    endings[after.empty()                            ? "empty"
            : after == catalog.PageShareIds(word, 3) ? "last page again"
            : after == catalog.PageShareIds(word, 1) ? "first page again"
                                                     : "other"]++;
  }
  EXPECT_EQ(endings.count("other"), 0u);
  EXPECT_EQ(endings.size(), 3u);
}

// The album listing, cut as the program cuts it: the first entry that
// contains the id key followed by the share id.
std::string FirstEntryWith(const std::string& album, const std::string& id) {
  for (const std::string& entry : CutAll(album, "{\"actionType\":", "\"userId\":"))
    if (entry.find("\"id\":" + id) != std::string::npos) return entry;
  return "";
}

TEST(SearchListing, SteadyWordsHaveNeitherGapsNorEmptyEndings) {
  const Catalog catalog(1, {20, 10, 6}, true);
  for (const std::string& word : catalog.words()) {
    for (int page = 1; page <= 10; ++page)
      EXPECT_FALSE(catalog.PageEmptyOnFirstRequest(word, page));
    EXPECT_EQ(catalog.PageShareIds(word, 11), catalog.PageShareIds(word, 10)) << word;
  }
}

TEST(AlbumListing, ListsTheShareWithEveryField) {
  const Catalog catalog(1, {3, 10, 6});
  const GuangService guang(catalog);
  int twins = 0, left_out = 0;
  for (const std::string& id : ListedIds(catalog)) {
    const Share s = catalog.FindShare(id);
    const std::string album =
        guang
            .AlbumListing(Get("/detail/ajax/album.json",
                              "sid=" + id + "&uid=" + s.uid + "&aid=" + s.album_id))
            .body;
    std::string entry = FirstEntryWith(album, id);
    if (!s.in_album) {
      EXPECT_EQ(FirstEntryWith(album, id + ","), "") << id;
      ++left_out;
      continue;
    }
    if (s.prefix_twin) {  // an entry whose id starts with the share's digits comes first
      EXPECT_EQ(Cut(entry, "\"id\":", ","), id + "7");
      entry = FirstEntryWith(album, id + ",");
      ++twins;
    }
    ASSERT_NE(entry, "") << id;
    std::string tags;
    for (const std::string& tag : s.tags) tags += (tags.empty() ? "" : "\",\"") + tag;
    const std::map<std::string, std::string> want = {
        {"\"appId\":|,", s.app_id},
        {"\"coverUrl\":\"|\"", "http://sim.test/pic/" + s.picture},
        {"\"createTimeStr\":\"|\"", s.date},
        {"\"description\":\"|\",\"", s.description},
        {"\"favorCount\":|,", std::to_string(s.likes)},
        {"\"flowerCount\":|,", std::to_string(s.flowers)},
        {"\"nick\":\"|\"", s.nick},
        {"\"shitCount\":|,", std::to_string(s.eggs)},
        {"\"tagList\":[\"|\"]", tags},
        {"\"title\":\"|\"", s.item_title},
        {"\"url\":\"|\"", s.has_item ? "http://sim.test/item.htm?id=" + s.item_id : ""},
        {"\"price\":\"|\"", s.price},
    };
    for (const auto& [markers, value] : want) {
      const size_t bar = markers.find('|');
      EXPECT_EQ(Cut(entry, markers.substr(0, bar), markers.substr(bar + 1)), value)
          << id << " " << markers;
    }
  }
  EXPECT_GT(twins, 0);
  EXPECT_GT(left_out, 0);
}

TEST(AlbumListing, LeavesTheShareOutUnderOtherKeys) {
  const Catalog catalog(1, {1, 1, 6});
  const GuangService guang(catalog);
  std::string id;
  for (const std::string& listed : catalog.PageShareIds(catalog.words()[0], 1))
    if (catalog.FindShare(listed).in_album) id = listed;
  ASSERT_NE(id, "");
  const Share s = catalog.FindShare(id);
  struct Case {
    std::string what, query;
    bool listed;
  };
  for (const Case& c : std::vector<Case>{
           {"own keys", "sid=" + id + "&uid=" + s.uid + "&aid=" + s.album_id, true},
           {"keys in another order", "aid=" + s.album_id + "&sid=" + id + "&uid=" + s.uid, true},
           {"other user", "sid=" + id + "&uid=1&aid=" + s.album_id, false},
           {"other album", "sid=" + id + "&uid=" + s.uid + "&aid=1", false},
           {"user and album swapped", "sid=" + id + "&uid=" + s.album_id + "&aid=" + s.uid, false},
           {"no user", "sid=" + id + "&aid=" + s.album_id, false},
       }) {
    const std::string album = guang.AlbumListing(Get("/detail/ajax/album.json", c.query)).body;
    EXPECT_EQ(FirstEntryWith(album, id + ",") != "", c.listed) << c.what;
    EXPECT_GE(CutAll(album, "{\"actionType\":", "\"userId\":").size(), 2u)
        << c.what;  // the album's other shares
  }
}

std::string Utf8ToGbk(const std::string& utf8) {
  std::string out;
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string in = utf8;
  char* in_ptr = in.data();
  size_t in_left = in.size();
  std::string buffer(in.size() * 2 + 16, '\0');
  char* out_ptr = buffer.data();
  size_t out_left = buffer.size();
  iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  return buffer.substr(0, buffer.size() - out_left);
}

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

// What the program reads from a detail page: the page converted from UTF-8
// when its head (or, without a head, the page) declares it, the album
// heading's link text, "&nbsp;" and "&amp;" decoded, blanks removed.
std::string AlbumAsTheProgramReadsIt(const std::string& page, bool* converted) {
  std::string head = Cut(page, "<head>", "</head>");
  if (head.empty()) head = page;
  head = AsciiLower(head);
  *converted = head.find("charset=utf-8") != std::string::npos ||
               head.find("charset=\"utf-8\"") != std::string::npos;
  const std::string text = *converted ? Utf8ToGbk(page) : page;
  const std::string heading = Cut(text, "<h3 class=\"album__title\">", "</h3>");
  std::string name = Cut(Cut(heading, "<a", "</a>") + "</a>", ">", "</a>");
  for (const auto& [entity, character] :
       {std::pair<std::string, std::string>{"&nbsp;", " "}, {"&amp;", "&"}})
    for (size_t at; (at = name.find(entity)) != std::string::npos;)
      name.replace(at, entity.size(), character);
  std::string bare;
  for (size_t i = 0, length; i < name.size(); i += length) {
    length = pelrine::GbkCharLength(name, i);
    const std::string character = name.substr(i, length);
    if (character != "　" && character != " " && character != "\t" && character != "\r" &&
        character != "\n")
      bare += character;
  }
  return bare;
}

TEST(DetailPage, DeclaresItsCharsetTheWayTheProgramReadsIt) {
  const Catalog catalog(1, {3, 10, 6});
  const GuangService guang(catalog);
  const std::string gbk_mark = "逛逛", utf8_mark = GbkToUtf8("逛逛");
  std::map<std::string, int> names;
  std::map<int, int> kinds;
  for (const std::string& id : ListedIds(catalog)) {
    const Share s = catalog.FindShare(id);
    const std::string page =
        guang.DetailPage(Get("/detail/index.htm", "uid=" + s.uid + "&sid=" + id)).body;
    const bool gbk = page.find(gbk_mark) != std::string::npos,
               utf8 = page.find(utf8_mark) != std::string::npos;
    EXPECT_NE(gbk, utf8) << id;
    bool converted = false;
    names[AlbumAsTheProgramReadsIt(page, &converted)]++;
    EXPECT_EQ(converted, utf8) << id;
    kinds[static_cast<int>(s.page_kind)]++;
  }
  EXPECT_EQ(kinds.size(), 6u);
  std::map<std::string, int> want = {{"", 0},         {"夏日碎花", 0},       {"我的衣橱", 0},
                                     {"韩版穿搭", 0}, {"秋冬搭配", 0},       {"小清新日系", 0},
                                     {"默认专辑", 0}, {"Tom&Jerry的收藏", 0}};
  for (const auto& [name, count] : names) EXPECT_TRUE(want.count(name)) << name;
  EXPECT_EQ(names.size(), want.size());
}

// The comment answer as a script string literal would read it.
std::string ScriptUnescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    if (next == 'u') {
      const std::u16string unit(
          1, static_cast<char16_t>(std::stoi(text.substr(i + 1, 4), nullptr, 16)));
      std::string utf16(reinterpret_cast<const char*>(unit.data()), 2);
      iconv_t cd = iconv_open("GBK", "UTF-16LE");
      char* in = utf16.data();
      size_t in_left = 2, out_left = 4;
      char buffer[4];
      char* out_ptr = buffer;
      iconv(cd, &in, &in_left, &out_ptr, &out_left);
      iconv_close(cd);
      out.append(buffer, out_ptr);
      i += 4;
    } else {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
  }
  return out;
}

struct CommentAnswer {
  size_t items;
  std::vector<std::string> texts;
};

CommentAnswer Comments(const GuangService& guang, const std::string& query) {
  const std::string raw = guang.CommentListing(Get("/json/cc_list.htm", query)).body;
  EXPECT_EQ(raw.find_first_of("\r\n"),
            std::string::npos);  // a line break would end the script literal
  const std::string list = Cut(ScriptUnescape(raw), "<ul ", "</ul>");
  CommentAnswer answer{0, {}};
  size_t from = 0;
  for (std::string item; !(item = Cut(list, "<li>", "</li>", &from)).empty();) {
    ++answer.items;
    answer.texts.push_back(Cut(Cut(item, "<p class=", "</p>") + "<", "</a>", "<"));
  }
  return answer;
}

TEST(CommentListing, AnswersOnlyTheShareOwnKeys) {
  const Catalog catalog(1, {3, 10, 6});
  const GuangService guang(catalog);
  Share first, second;
  for (const std::string& id : ListedIds(catalog)) {
    const Share s = catalog.FindShare(id);
    if (s.comment_key == CommentKey::kFirst && s.comments.size() > first.comments.size()) first = s;
    if (s.comment_key == CommentKey::kSecond && s.comments.size() > 1) second = s;
  }
  ASSERT_GT(first.comments.size(), 10u);
  ASSERT_FALSE(second.id.empty());
  auto query = [](const Share& s, std::string suffix, std::string uid, std::string app,
                  std::string count) {
    return "rec_user_id=" + uid + "&page_size=" + count + "&target_key=" + s.id + suffix +
           "&app_id=" + app;
  };
  struct Case {
    std::string what, query;
    size_t items;
  };
  for (const Case& c : std::vector<Case>{
           {"own keys", query(first, "", first.uid, first.app_id, "3"), 3},
           {"count 0 reads as 10", query(first, "", first.uid, first.app_id, "0"), 10},
           {"no count reads as 10", query(first, "", first.uid, first.app_id, ""), 10},
           {"second key of a first-key share", query(first, "_2", first.uid, first.app_id, "10"),
            0},
           {"other user", query(first, "", "1", first.app_id, "10"), 0},
           {"other application", query(first, "", first.uid, "999", "10"), 0},
           {"first key of a second-key share", query(second, "", second.uid, second.app_id, "10"),
            0},
           {"second key", query(second, "_2", second.uid, second.app_id, "10"),
            std::min<size_t>(10, second.comments.size())},
       })
    EXPECT_EQ(Comments(guang, c.query).items, c.items) << c.what;
}

TEST(CommentListing, TextsFollowTheCommenterLink) {
  const Catalog catalog(1, {3, 10, 6});
  const GuangService guang(catalog);
  int escaped = 0, raw = 0;
  for (const std::string& id : ListedIds(catalog)) {
    const Share s = catalog.FindShare(id);
    if (s.comment_key == CommentKey::kNone) continue;
    const CommentAnswer answer = Comments(
        guang, "rec_user_id=" + s.uid + "&page_size=20&target_key=" + id +
                   (s.comment_key == CommentKey::kSecond ? "_2" : "") + "&app_id=" + s.app_id);
    ASSERT_EQ(answer.texts.size(), s.comments.size()) << id;
    for (size_t i = 0; i < s.comments.size(); ++i) {
      const std::string& text = s.comments[i].text;
      EXPECT_EQ(answer.texts[i], text.substr(0, text.find('<'))) << id;
      (s.comments[i].escape_unicode ? escaped : raw)++;
    }
  }
  EXPECT_GT(escaped, 0);
  EXPECT_GT(raw, 0);
}

TEST(Catalog, DefaultSizeHoldsEveryCase) {
  const Catalog catalog(1, {});
  std::map<std::string, int> cases;
  for (const std::string& id : ListedIds(catalog)) {
    const Share s = catalog.FindShare(id);
    if (id == "..") cases["id .."]++;
    if (id.find('\\') != std::string::npos) cases["id with \\"]++;
    if (id.find('/') != std::string::npos) cases["id with /"]++;
    if (!s.in_album) cases["left out of its album"]++;
    if (s.prefix_twin) cases["twin id first"]++;
    if (!s.has_item) cases["no item"]++;
    if (s.has_item) cases["price " + std::to_string(static_cast<int>(s.price_kind))]++;
    cases["comments " + std::to_string(static_cast<int>(s.comment_key))]++;
    for (const Comment& c : s.comments)
      if (c.text.starts_with(" <img")) cases["sticker comment"]++;
    cases["page " + std::to_string(static_cast<int>(s.page_kind))]++;
    cases["tags " + std::to_string(std::min<size_t>(s.tags.size(), 2))]++;
    if (s.picture.find(".png") != std::string::npos) cases["png"]++;
    if (s.picture.find('.') == std::string::npos) cases["picture without extension"]++;
    if (s.picture.find('?') != std::string::npos) cases["picture with query"]++;
    if (s.description.find("&quot;") != std::string::npos) cases["entities"]++;
  }
  for (const std::string c : {"id ..",
                              "id with \\",
                              "id with /",
                              "left out of its album",
                              "twin id first",
                              "no item",
                              "price 0",
                              "price 1",
                              "price 2",
                              "comments 0",
                              "comments 1",
                              "comments 2",
                              "sticker comment",
                              "page 0",
                              "page 1",
                              "page 2",
                              "page 3",
                              "page 4",
                              "page 5",
                              "tags 0",
                              "tags 1",
                              "tags 2",
                              "png",
                              "picture without extension",
                              "picture with query",
                              "entities"})
    EXPECT_GT(cases[c], 0) << c;
}

TEST(Catalog, SameSeedSameWorld) {
  const Catalog a(9, {}), b(9, {}), c(10, {});
  EXPECT_EQ(a.words(), b.words());
  EXPECT_EQ(a.words().front(), "连衣裙");
  const Share one = a.FindShare("2000000001"), two = b.FindShare("2000000001"),
              other = c.FindShare("2000000001");
  EXPECT_EQ(one.uid, two.uid);
  EXPECT_EQ(one.picture, two.picture);
  EXPECT_EQ(one.comments.size(), two.comments.size());
  EXPECT_NE(one.picture, other.picture);
}

TEST(Catalog, MakesAsManyDistinctWordsAsAsked) {
  const Catalog catalog(1, {500, 1, 1});
  std::set<std::string> distinct(catalog.words().begin(), catalog.words().end());
  EXPECT_EQ(distinct.size(), 500u);
}

}  // namespace
}  // namespace guang_sim
