#include "guang_service.h"

#include <algorithm>
#include <cstdlib>

namespace guang_sim {
namespace {

constexpr char kJson[] = "application/json;charset=GBK";

std::string Number(int value) { return std::to_string(value); }

std::string ListingEntry(const Share& s, const std::string& host) {
  return "{\"bought\":" + Number(s.has_item ? s.likes % 3 : 0) + ",\"uid\":" + s.uid +
         ",\"nick\":\"" + s.nick + "\",\"favContAlbumId\":" + s.album_id + ",\"rid\":" + s.id +
         ",\"picUrl\":\"http://" + host + "/pic/" + s.picture + "\",\"title\":\"" + s.item_title +
         "\",\"width\":310,\"height\":" + Number(300 + s.likes % 200) + ",\"liked\":false}";
}

std::string Listing(std::string_view word, int page, int page_size, const std::string& entries,
                    bool more) {
  return "{\"status\":{\"code\":200,\"msg\":\"ok\"},\"data\":{\"keyword\":\"" +
         ScriptString(word, false) + "\",\"page\":" + Number(page) +
         ",\"pageSize\":" + Number(page_size) + ",\"hasMore\":" + (more ? "true" : "false") +
         ",\"list\":[" + entries + "]}}";
}

std::string AlbumEntry(const Share& s, const std::string& user_id, const std::string& host) {
  std::string tags;
  for (const std::string& tag : s.tags) tags += (tags.empty() ? "\"" : ",\"") + tag + "\"";
  std::string item;
  if (s.has_item) {
    item = ",\"item\":{\"itemId\":" + s.item_id + ",\"title\":\"" + s.item_title +
           "\",\"url\":\"http://" + host + "/item.htm?id=" + s.item_id + "\"";
    if (s.price_kind != PriceKind::kAbsent) item += ",\"price\":\"" + s.price + "\"";
    item += "}";
  }
  return "{\"actionType\":1,\"appId\":" + s.app_id + ",\"coverUrl\":\"http://" + host + "/pic/" +
         s.picture + "\",\"createTimeStr\":\"" + s.date + "\",\"description\":\"" + s.description +
         "\",\"favorCount\":" + Number(s.likes) + ",\"flowerCount\":" + Number(s.flowers) +
         ",\"id\":" + s.id + ",\"nick\":\"" + s.nick + "\",\"shitCount\":" + Number(s.eggs) +
         ",\"tagList\":[" + tags + "]" + item + ",\"userId\":" + user_id +
         ",\"albumId\":" + s.album_id + "}";
}

std::string AlbumHeading(const Share& s, const std::string& host) {
  if (s.album_name.empty())
    return "<div class=\"album-info album-info--empty\">这张图片还没有加入专辑</div>\r\n";
  return "<div class=\"album-info\">\r\n<h3 class=\"album__title\"><a href=\"http://" + host +
         "/album.htm?id=" + s.album_id + "\" target=\"_blank\">" + s.album_name +
         "</a></h3>\r\n<span class=\"album__count\">共 " + Number(3 + s.likes % 40) +
         " 张</span>\r\n</div>\r\n";
}

std::string DetailBody(const Share& s, const std::string& host) {
  return "<div class=\"site-header\"><h3 class=\"site__title\"><a "
         "href=\"/\">逛逛</a></h3></div>\r\n"
         "<div class=\"share\">\r\n<img class=\"share__pic\" src=\"http://" +
         host + "/pic/" + s.picture + "\">\r\n<p class=\"share__user\">" + s.nick + " 发布于 " +
         s.date + "</p>\r\n<p class=\"share__desc\">" + s.description + "</p>\r\n" +
         AlbumHeading(s, host) + "</div>\r\n";
}

Answer Detail(const Share& s, const std::string& host) {
  const std::string title = "<title>" + s.nick + "的分享 - 逛逛</title>\r\n";
  const std::string body = DetailBody(s, host);
  auto page = [&](std::string_view meta, std::string_view extra) {
    return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n" + std::string(meta) + title +
           "<link rel=\"stylesheet\" href=\"/css/detail.css\">\r\n</head>\r\n<body>\r\n" + body +
           std::string(extra) + "</body>\r\n</html>\r\n";
  };
  const std::string http_equiv =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";
  switch (s.page_kind) {
    case PageKind::kGbkDeclared:
      return {200, "text/html;charset=GBK", page("<meta charset=\"gbk\">\r\n", ""), ""};
    case PageKind::kGbkUndeclared:
      return {200, "text/html", page("", ""), ""};
    case PageKind::kUtf8HttpEquiv:
      return {200, "text/html;charset=utf-8", GbkToUtf8(page(http_equiv, "")), ""};
    case PageKind::kUtf8QuotedCapital:
      return {200, "text/html", GbkToUtf8(page("<META CHARSET=\"UTF-8\">\r\n", "")), ""};
    case PageKind::kGbkBodyMentionsUtf8:
      return {
          200, "text/html;charset=GBK",
          page("<meta charset=\"gbk\">\r\n", "<!-- 旧版页面为 charset=utf-8，现已改为 GBK -->\r\n"),
          ""};
    case PageKind::kUtf8WithoutHead:
      return {200, "text/html", GbkToUtf8(http_equiv + title + body), ""};
  }
  return ErrorPage(500, "Internal Server Error");
}

// One comment as the comment listing writes it, ready for the script string.
std::string CommentItem(const Comment& c, const std::string& host) {
  const std::string user = "http://" + host + "/u/" + c.uid;
  return ScriptString("<li><a class=\"cc-avatar\" href=\"" + user + "\"><img src=\"http://" + host +
                          "/pic/avatar" + c.uid + ".jpg\"></a><p class=\"cc-text\"><a href=\"" +
                          user + "\" class=\"cc-nick\">" + c.nick + "</a>" + c.text +
                          "</p><span class=\"cc-time\">" + c.uid.substr(0, 2) +
                          "分钟前</span></li>",
                      c.escape_unicode);
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

Answer GuangService::SearchListing(const SimRequest& request) {
  const std::string word = FormDecode(ParamValue(request.query, "q"));
  const int page = std::atoi(ParamValue(request.query, "cpage").c_str());
  const int size = catalog_.size().shares;
  if (catalog_.PageEmptyOnFirstRequest(word, page)) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (served_pages_.insert(word + "\n" + std::to_string(page)).second)
      return {200, kJson, Listing(word, page, size, "", true), ""};
  }
  std::string entries;
  if (page == 1)  // the first page opens with a promotion banner shaped like a share
    entries =
        "{\"type\":\"banner\",\"bought\":0,\"uid\":0,\"favContAlbumId\":0,\"rid\":0,"
        "\"title\":\"秋季上新\",\"width\":980,\"height\":120},";
  const std::vector<std::string> ids = catalog_.PageShareIds(word, page);
  for (const std::string& id : ids)
    entries +=
        (&id == &ids.front() ? "" : ",") + ListingEntry(catalog_.FindShare(id), request.host);
  if (ids.empty()) entries.clear();
  return {200, kJson, Listing(word, page, size, entries, page < catalog_.size().pages), ""};
}

Answer GuangService::AlbumListing(const SimRequest& request) const {
  const std::string sid = ParamValue(request.query, "sid"), uid = ParamValue(request.query, "uid"),
                    aid = ParamValue(request.query, "aid");
  const Share share = catalog_.FindShare(sid);
  const std::vector<std::string> mates = catalog_.AlbumMates(aid);
  const bool listed = share.in_album && share.uid == uid && share.album_id == aid;
  const size_t at = static_cast<size_t>(share.likes) % (mates.size() + 1);
  std::vector<std::string> entries;
  for (size_t i = 0; i <= mates.size(); ++i) {
    if (i == at && listed) {
      if (share.prefix_twin)
        entries.push_back(AlbumEntry(catalog_.FindShare(sid + "7"), uid, request.host));
      entries.push_back(AlbumEntry(share, uid, request.host));
    }
    if (i < mates.size()) {
      Share mate = catalog_.FindShare(mates[i]);
      mate.album_id = aid;
      entries.push_back(AlbumEntry(mate, uid, request.host));
    }
  }
  std::string list;
  for (const std::string& entry : entries) list += (list.empty() ? "" : ",") + entry;
  return {200, kJson,
          "{\"status\":200,\"data\":{\"album\":{\"albumId\":" + (aid.empty() ? "0" : aid) +
              ",\"count\":" + Number(static_cast<int>(entries.size())) + "},\"list\":[" + list +
              "]}}",
          ""};
}

Answer GuangService::DetailPage(const SimRequest& request) const {
  return Detail(catalog_.FindShare(ParamValue(request.query, "sid")), request.host);
}

Answer GuangService::CommentListing(const SimRequest& request) const {
  const std::string key = ParamValue(request.query, "target_key");
  const bool second = EndsWith(key, "_2");
  const Share share = catalog_.FindShare(second ? key.substr(0, key.size() - 2) : key);
  const bool answered = ParamValue(request.query, "rec_user_id") == share.uid &&
                        ParamValue(request.query, "app_id") == share.app_id &&
                        share.comment_key == (second ? CommentKey::kSecond : CommentKey::kFirst);
  int count = std::atoi(ParamValue(request.query, "page_size").c_str());
  if (count < 1) count = 10;
  std::string html;
  if (answered) {
    html = ScriptString("<ul class=\"cc-list\">", false);
    const size_t shown = std::min(share.comments.size(), static_cast<size_t>(count));
    for (size_t i = 0; i < shown; ++i) html += CommentItem(share.comments[i], request.host);
    html += ScriptString("</ul><div class=\"cc-more\"><a href=\"http://" + request.host +
                             "/detail/index.htm?uid=" + share.uid + "&sid=" + share.id +
                             "\">查看全部 " + Number(static_cast<int>(share.comments.size())) +
                             " 条评论</a></div>",
                         false);
  } else {
    html = ScriptString("<div class=\"cc-empty\">还没有评论，快来抢沙发吧</div>", false);
  }
  return {200, "text/javascript",
          "TB.Guang.Comment.render({\"code\":0,\"total\":" +
              Number(answered ? static_cast<int>(share.comments.size()) : 0) + ",\"html\":\"" +
              html + "\"});",
          ""};
}

Answer GuangService::ItemPage(const SimRequest& request) const {
  const std::string id = MarkupEscape(ParamValue(request.query, "id"));
  return {200, "text/html;charset=GBK",
          "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"gbk\">\r\n<title>宝贝详情 " + id +
              "</title>\r\n</head>\r\n<body>\r\n<h1>宝贝 " + id + "</h1>\r\n<p>推广编号：" +
              MarkupEscape(ParamValue(request.query, "pid")) + "</p>\r\n</body>\r\n</html>\r\n",
          ""};
}

Answer GuangService::WordList() const {
  std::string words;
  for (const std::string& word : catalog_.words()) words += (words.empty() ? "" : "|") + word;
  return {200, "text/plain;charset=GBK", words, ""};
}

}  // namespace guang_sim
