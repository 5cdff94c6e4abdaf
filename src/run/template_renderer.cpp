#include "run/template_renderer.h"

#include <array>
#include <climits>
#include <span>
#include <utility>

#include "guang/no_repeat_picker.h"
#include "net/gbk_text.h"
#include "run/char_text.h"
#include "run/random_sentence.h"

namespace pelrine {
namespace {

using MarkerField = std::pair<std::string_view, std::string ShareRecord::*>;

constexpr std::array<MarkerField, 16> kShareMarkers = {{
    {"#图片#", &ShareRecord::pictureUrl},
    {"#昵称#", &ShareRecord::nick},
    {"#日期#", &ShareRecord::date},
    {"#描述#", &ShareRecord::description},
    {"#专辑#", &ShareRecord::album},
    {"#喜欢#", &ShareRecord::likeCount},
    {"#鲜花#", &ShareRecord::flowerCount},
    {"#鸡蛋#", &ShareRecord::eggCount},
    {"#标签#", &ShareRecord::tags},
    {"#页面#", &ShareRecord::pageUrl},
    {"#评论#", &ShareRecord::comments},
    {"#标题#", &ShareRecord::itemTitle},
    {"#购买#", &ShareRecord::itemUrl},
    {"#价格#", &ShareRecord::price},
    {"#插入词1#", &ShareRecord::insertWord1},
    {"#插入词2#", &ShareRecord::insertWord2},
}};

constexpr std::array<MarkerField, 5> kTitleMarkers = {{
    {"#专辑#", &ShareRecord::album},
    {"#标签#", &ShareRecord::tags},
    {"#标题#", &ShareRecord::itemTitle},
    {"#插入词1#", &ShareRecord::insertWord1},
    {"#插入词2#", &ShareRecord::insertWord2},
}};

constexpr std::string_view kSentenceMarker = "#随机一句#";

size_t CountOccurrences(std::string_view text, std::string_view marker) {
  size_t count = 0;
  for (size_t at = FindOnCharBoundary(text, marker); at != std::string_view::npos;
       at = FindOnCharBoundary(text, marker, at + marker.size()))
    ++count;
  return count;
}

// The markers replaced one after the other, as MultiReplace does, but a
// marker whose values would take the text beyond `max_bytes` is skipped.
// Letter case is to be ignored, and since no marker holds a letter, exact
// matching does just that.
std::string Substitute(std::string_view text, std::span<const MarkerField> markers,
                       const ShareRecord& share, size_t max_bytes) {
  std::string result(text);
  for (const auto& [marker, field] : markers) {
    const std::string& value = share.*field;
    const size_t count = CountOccurrences(result, marker);
    if (count == 0) continue;
    const size_t rest = result.size() - count * marker.size();
    const size_t room = max_bytes > rest ? max_bytes - rest : 0;
    if (!value.empty() && count > room / value.size()) continue;
    result = ReplaceAll(result, marker, value);
  }
  return result;
}

// Every "#随机一句#", left to right, gets its own sentence of `content`. The
// scan goes on after each inserted sentence, so a sentence that itself reads
// "#随机一句#" is not expanded again; sentences that would take the title
// beyond the size limit are not inserted.
void InsertSentences(std::string& title, std::string_view content, RandomSource& random,
                     EventPump& events) {
  size_t at = FindOnCharBoundary(title, kSentenceMarker);
  if (at == std::string::npos) return;
  const SentencePieces sentences(content);
  for (; at != std::string::npos; at = FindOnCharBoundary(title, kSentenceMarker, at)) {
    const std::string sentence = sentences.RandomSentence(random, events);
    if (title.size() - kSentenceMarker.size() + sentence.size() > kMaxRenderedBytes) return;
    title.replace(at, kSentenceMarker.size(), sentence);
    at += sentence.size();
  }
}

std::string InsertSearchWord(const std::string& title, const TitleInsertion& insertion,
                             RandomSource& random) {
  const std::string word(insertion.search_word);
  switch (insertion.position) {
    case 1:
      return word + title;
    case 2:
      return title + word;
    case 3:
      return random.Uniform(1, 2) == 1 ? title + word : word + title;
    default:
      return InsertAtRandomPosition(title, word, random);
  }
}

}  // namespace

std::vector<std::string> ContentTemplates(std::string_view text) {
  std::vector<std::string> templates = SplitText(text, "#分隔#");
  if (templates.empty()) templates.emplace_back("#描述#");
  return templates;
}

std::string RenderShare(std::string_view tmpl, const ShareRecord& share, size_t max_bytes) {
  return Substitute(tmpl, kShareMarkers, share, max_bytes);
}

void SwapSameKind(std::vector<ShareRecord>& batch, RandomSource& random, EventPump& events) {
  const std::vector<ShareRecord> original = batch;
  const int size = static_cast<int>(batch.size());
  std::array<NoRepeatPicker, kRecordTemplateFields.size()> pickers;
  for (ShareRecord& share : batch) {
    for (size_t f = 0; f < kRecordTemplateFields.size(); ++f) {
      const auto field = kRecordTemplateFields[f];
      share.*field = original[static_cast<size_t>(pickers[f].Pick(1, size, random) - 1)].*field;
    }
    events.ProcessEvents();
  }
}

std::string RenderTitle(std::string_view title_template, const ShareRecord& first,
                        std::string_view content, const TitleInsertion& insertion,
                        RandomSource& random, EventPump& events) {
  std::string title = Substitute(title_template, kTitleMarkers, first, kMaxRenderedBytes);
  InsertSentences(title, content, random, events);
  if (insertion.enabled && FindOnCharBoundary(title, insertion.search_word) == std::string::npos)
    title = InsertSearchWord(title, insertion, random);
  return title;
}

std::string InsertAtRandomPosition(std::string_view text, std::string_view word,
                                   RandomSource& random) {
  if (text.empty()) return {};
  const long long count = std::min<long long>(CharCount(text), INT_MAX);
  // A new picker's first draw is a plain uniform draw.
  const long long place = random.Uniform(1, static_cast<int>(count));
  return CharMid(text, 1, place) + std::string(word) + CharMid(text, place + 1, count - place);
}

}  // namespace pelrine
