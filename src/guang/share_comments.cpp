#include "guang/share_comments.h"

#include "guang/decode_entities.h"
#include "guang/page_text.h"
#include "guang/text_between.h"
#include "guang/unescape_script_text.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr std::string_view kFullWidthSpace = "　";

// The length of the space or full-width space that starts at `at`; 0 when
// the character there is another.
size_t BlankLength(std::string_view text, size_t at) {
  if (text[at] == ' ') return 1;
  return text.substr(at).starts_with(kFullWidthSpace) ? kFullWidthSpace.size() : 0;
}

// Walks the characters, so that a full-width space is only taken where a
// character starts.
std::string TrimBlanks(std::string_view text) {
  size_t start = 0, end = 0;
  bool leading = true;
  for (size_t at = 0; at < text.size(); at += GbkCharLength(text, at)) {
    if (BlankLength(text, at) != 0) {
      if (leading) start = at + BlankLength(text, at);
      continue;
    }
    leading = false;
    end = at + GbkCharLength(text, at);
  }
  return end > start ? std::string(text.substr(start, end - start)) : std::string();
}

}  // namespace

std::string CommentListingUrl(std::string_view host, const ShareKeys& keys, int comment_count,
                              std::string_view suffix, std::string_view app_id) {
  return "http://" + std::string(host) + "/json/cc_list.htm?rec_user_id=" + keys.user_id +
         "&page_size=" + std::to_string(comment_count) + "&target_key=" + keys.share_id +
         std::string(suffix) + "&app_id=" + std::string(app_id);
}

std::string CommentList(std::string_view response) {
  return TextBetween(UnescapeScriptText(response), "<ul ", "</ul>");
}

std::string JoinComments(std::string_view list) {
  std::string comments;
  long long position = 0;
  for (;;) {
    const std::string item = TextBetween(list, "<li>", "</li>", 0, 0, &position);
    if (item.empty()) break;
    const std::string paragraph = TextBetween(item, "<p class=", "</p>") + "<";
    const std::string text = TrimBlanks(TextBetween(paragraph, "</a>", "<"));
    comments += text;
    if (text.empty()) break;
  }
  if (comments.empty()) return comments;
  return DecodeEntities(ReplaceAll(comments, "回复", ""));
}

std::string ReadComments(Transport& transport, std::string_view host, const ShareKeys& keys,
                         int comment_count, std::string_view app_id) {
  std::string list;
  for (std::string_view suffix : {"", "_2"}) {
    list = CommentList(
        FetchPageText(transport, CommentListingUrl(host, keys, comment_count, suffix, app_id)));
    if (!TextBetween(list, "<li>", "</li>").empty()) break;
  }
  return JoinComments(list);
}

}  // namespace pelrine
