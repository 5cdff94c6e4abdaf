// Turns shares into article text: content templates with their sixteen
// markers, the same-kind swap within an article, and the article's title.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "guang/random_source.h"
#include "guang/share_record.h"
#include "net/event_pump.h"

namespace pelrine {

// The most bytes a rendered share or title may reach: a substitution that
// would go beyond it is not made (hostile values full of markers would
// otherwise grow without bound).
inline constexpr size_t kMaxRenderedBytes = size_t{16} << 20;

// The content templates of a run: the text split at "#分隔#", or the single
// template "#描述#" when that gives no piece.
std::vector<std::string> ContentTemplates(std::string_view text);

// `tmpl` with each of the sixteen markers, in their substitution order,
// replaced by its value of `share` (ASCII case ignored), each over the text
// as the earlier ones left it; a marker whose substitution would make the
// text longer than `max_bytes` stays as it is.
std::string RenderShare(std::string_view tmpl, const ShareRecord& share,
                        size_t max_bytes = kMaxRenderedBytes);

// Permutes each of the sixteen template values independently over the
// batch; the share ids stay in place. Processes events after each share.
void SwapSameKind(std::vector<ShareRecord>& batch, RandomSource& random, EventPump& events);

// How the search word goes into a title.
struct TitleInsertion {
  bool enabled = false;
  int position = 0;  // 1 left, 2 right, 3 left or right, anything else a random place
  std::string_view search_word;
};

// The title of an article: the five title markers from the batch's first
// share, every "#随机一句#" replaced by its own random sentence of `content`,
// then the search word inserted unless the title holds it already.
std::string RenderTitle(std::string_view title_template, const ShareRecord& first,
                        std::string_view content, const TitleInsertion& insertion,
                        RandomSource& random, EventPump& events);

// `word` inserted after a random character of `text` (never before the
// first); "" for an empty text.
std::string InsertAtRandomPosition(std::string_view text, std::string_view word,
                                   RandomSource& random);

}  // namespace pelrine
