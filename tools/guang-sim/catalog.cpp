#include "catalog.h"

#include <cstdio>

#include "rng.h"

namespace guang_sim {
namespace {

// The program's default search words come first, so a fresh start finds results.
constexpr std::string_view kWords[] = {
    "连衣裙", "女装", "秋装", "毛衣",   "围巾", "靴子", "帆布鞋", "牛仔裤", "风衣", "卫衣",
    "手链",   "耳环", "抱枕", "马克杯", "口红", "发夹", "棉襖",   "双肩包", "草帽", "雪纺衫"};
constexpr std::string_view kWordPrefixes[] = {"复古", "韩版", "日系", "甜美",
                                              "简约", "百搭", "欧美", "小清新"};

// Traditional characters such as 藍 and 誠 end in the bytes of "{" and "\".
constexpr std::string_view kNicks[] = {"小花",     "糖糖爱美丽", "藍莓醬",
                                       "陌上花开", "Lily_2012",  "米兰的小铁匠",
                                       "大眼睛",   "猫小姐",     "誠品控"};

// As the service writes them inside a JSON string: entities, escaped quotes
// and slashes stay for the client to keep or decode.
constexpr std::string_view kDescriptions[] = {
    "今天新入手的&quot;小黑裙&quot;，搭配一双短靴&hellip;完美！",
    "秋天到了 &amp; 该换装了&mdash;&mdash;大家觉得这样搭好看吗？",
    "她说\\\"好看\\\"，我就买了",
    "&lt;3 超爱这件&#39;毛衣&#39;，质量&amp;做工都不错",
    "誠意推薦：藍色款更顯白",
    "",
    "链接看这里 http:\\/\\/guang.example\\/item &rarr; 快去看看",
    "价格&times;2&divide;3&middot;约&asymp;100元&nbsp;&nbsp;哈哈",
    "Simple &amp; classic, 简单就是美"};

const std::vector<std::vector<std::string_view>> kTagLists = {
    {"秋装", "连衣裙"},       {"碎花"},         {},
    {"韩版", "百搭", "显瘦"}, {"棉襖", "复古"}, {"日系", "小清新", "学院风", "格子"}};

constexpr std::string_view kItemTitles[] = {"2012秋装新款 韩版 修身长袖连衣裙",
                                            "欧美复古 碎花雪纺 连衣裙",
                                            "包邮 加厚羊毛 针织开衫",
                                            "日系 小清新 帆布双肩包",
                                            "纯色百搭围巾",
                                            "真皮 短靴 女 马丁靴",
                                            "It's 新款 毛呢外套"};

// The album heading's link text as the detail page writes it; "" stands for
// a page without an album heading.
constexpr std::string_view kAlbumNames[] = {
    "夏日碎花", "我的 衣橱", "\t韩版\t穿搭\r\n",    "　秋冬　搭配　", "小清新&nbsp;日系",
    "默认专辑", "",          "Tom&amp;Jerry的 收藏"};

// The text after a commenter's link, as the comment listing writes it.
constexpr std::string_view kCommentTexts[] = {"：好看",
                                              " 不错 ",
                                              "回复 @小花：谢谢亲",
                                              "：尺码偏小1/2码，建议拍大一号",
                                              "：&quot;同款&quot;已入手 &amp; 很满意",
                                              "：太美了&hellip;",
                                              "　质量很好　",
                                              "：It's so cute!",
                                              "：求链接！"};

constexpr std::string_view kAppIds[] = {"1", "6", "12", "111"};

// A sticker-only comment: nothing but a blank before the next tag.
constexpr std::string_view kStickerComment = " <img class=\"cc-emoji\" src=\"/img/emoji/12.gif\">";

std::string Digits(Rng& rng, uint64_t low, uint64_t span) {
  return std::to_string(low + rng.Below(span));
}

std::string HostileId(uint64_t slot) {
  std::string n = std::to_string(slot);
  switch (slot % 5) {
    case 0:
      return "..";
    case 1:
      return "..\\..\\..\\guang-sim-escape-" + n;
    case 2:
      return "../../guang-sim-escape-" + n;
    case 3:
      return "C:\\guang-sim-escape-" + n;
    default:
      return "guang:sim-stream-" + n;
  }
}

bool IsNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string PictureName(Rng& rng) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(rng.Next()));
  uint64_t kind = rng.Below(20);
  const char* extension = kind < 10   ? ".jpg"
                          : kind < 14 ? ".jpg_310x310.jpg"
                          : kind < 18 ? ".png"
                          : kind < 19 ? ""
                                      : ".jpg?x=1";
  return std::string(hex) + extension;
}

std::vector<Comment> MakeComments(Rng& rng) {
  std::vector<Comment> comments(rng.Below(13));
  for (Comment& c : comments) {
    c.nick = rng.Pick(kNicks);
    c.uid = Digits(rng, 100000, 900000);
    c.text = rng.Pick(kCommentTexts);
    c.escape_unicode = rng.Chance(50);
  }
  if (comments.size() > 3 && rng.Chance(15)) comments[2].text = kStickerComment;
  return comments;
}

}  // namespace

Catalog::Catalog(uint64_t seed, CatalogSize size, bool steady)
    : seed_(seed), size_(size), steady_(steady) {
  const size_t base = std::size(kWords), prefixes = std::size(kWordPrefixes);
  for (size_t i = 0; i < static_cast<size_t>(size.words); ++i) {
    if (i < base) {
      words_.emplace_back(kWords[i]);
      continue;
    }
    size_t k = i - base;
    std::string word =
        std::string(kWordPrefixes[k % prefixes]) + std::string(kWords[k / prefixes % base]);
    if (k >= base * prefixes) word += std::to_string(k / (base * prefixes) + 1);
    words_.push_back(word);
  }
}

uint64_t Catalog::WordSlot(std::string_view word) const {
  for (size_t i = 0; i < words_.size(); ++i)
    if (words_[i] == word) return i;
  return words_.size() + Mix(seed_, std::string("word:").append(word)) % 100000;
}

std::vector<std::string> Catalog::PageShareIds(std::string_view word, int page) const {
  if (page < 1) return {};
  if (page > size_.pages) {
    switch (steady_ ? 0 : Mix(seed_, std::string("end:").append(word)) % 5) {
      case 3:
        page = 1;
        break;
      case 4:
        return {};
      default:
        page = size_.pages;
    }
  }
  const uint64_t slot = WordSlot(word);
  const int hostile_page = size_.pages < 2 ? 1 : 2;
  std::vector<std::string> ids;
  for (int s = 0; s < size_.shares; ++s) {
    if (page == hostile_page && s == size_.shares - 1) {
      ids.push_back(HostileId(slot));
    } else {
      uint64_t index = (slot * size_.pages + (page - 1)) * size_.shares + s;
      ids.push_back(std::to_string(2000000000ULL + index));
    }
  }
  return ids;
}

bool Catalog::PageEmptyOnFirstRequest(std::string_view word, int page) const {
  return !steady_ && page > 1 && page <= size_.pages &&
         Mix(seed_, std::string("flaky:").append(word) + ":" + std::to_string(page)) % 12 == 0;
}

Share Catalog::FindShare(std::string_view id) const {
  Rng rng(Mix(seed_, std::string("share:").append(id)));
  Share s;
  s.id = id;
  s.uid = Digits(rng, 100000, 900000);
  s.album_id = Digits(rng, 300000, 700000);
  s.app_id = rng.Pick(kAppIds);
  s.picture = PictureName(rng);
  char date[32];
  std::snprintf(date, sizeof date, "2012-%02d-%02d %02d:%02d", static_cast<int>(1 + rng.Below(12)),
                static_cast<int>(1 + rng.Below(28)), static_cast<int>(rng.Below(24)),
                static_cast<int>(rng.Below(60)));
  s.date = date;
  s.description = rng.Pick(kDescriptions);
  s.nick = rng.Pick(kNicks);
  s.likes = static_cast<int>(rng.Below(1000));
  s.flowers = static_cast<int>(rng.Below(100));
  s.eggs = static_cast<int>(rng.Below(10));
  for (std::string_view tag : rng.Pick(kTagLists)) s.tags.emplace_back(tag);
  s.has_item = rng.Chance(80);
  if (s.has_item) {
    s.item_id = Digits(rng, 10000000000ULL, 9000000000ULL);
    s.item_title = rng.Pick(kItemTitles);
    uint64_t kind = rng.Below(20);
    s.price_kind = kind < 14   ? PriceKind::kPresent
                   : kind < 17 ? PriceKind::kEmpty
                               : PriceKind::kAbsent;
    if (s.price_kind == PriceKind::kPresent)
      s.price = std::to_string(9 + rng.Below(490)) + (rng.Chance(50) ? ".00" : ".90");
  }
  s.in_album = !rng.Chance(5);
  s.prefix_twin = IsNumber(id) && rng.Chance(8);
  s.album_name = rng.Pick(kAlbumNames);
  s.page_kind = static_cast<PageKind>(rng.Below(6));
  s.comments = MakeComments(rng);
  if (!s.comments.empty())
    s.comment_key = rng.Chance(25) ? CommentKey::kSecond : CommentKey::kFirst;
  return s;
}

std::vector<std::string> Catalog::AlbumMates(std::string_view album_id) const {
  Rng rng(Mix(seed_, std::string("album:").append(album_id)));
  std::vector<std::string> ids(2 + rng.Below(5));
  for (std::string& id : ids) id = Digits(rng, 1000000000, 999999999);
  return ids;
}

}  // namespace guang_sim
