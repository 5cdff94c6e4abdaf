// One collected share: sixteen template values and the share id. A plain
// value; the Guang client fills it and the run renders it.
#pragma once

#include <array>
#include <string>

namespace pelrine {

struct ShareRecord {
  std::string pageUrl;      // address of the share's detail page
  std::string pictureUrl;   // picture address, or its relative local path once downloaded
  std::string date;
  std::string description;
  std::string likeCount;
  std::string flowerCount;
  std::string eggCount;
  std::string nick;
  std::string tags;         // joined by the tag separator
  std::string comments;
  std::string itemTitle;
  std::string itemUrl;      // buy link; the affiliate link once converted
  std::string price;
  std::string album;
  std::string insertWord1;
  std::string insertWord2;
  std::string shareId;      // names the downloaded picture; no template value

  bool operator==(const ShareRecord&) const = default;
};

// The sixteen template values in record order (the share id is not one of them).
inline constexpr std::array<std::string ShareRecord::*, 16> kRecordTemplateFields = {
    &ShareRecord::pageUrl,     &ShareRecord::pictureUrl, &ShareRecord::date,
    &ShareRecord::description, &ShareRecord::likeCount,  &ShareRecord::flowerCount,
    &ShareRecord::eggCount,    &ShareRecord::nick,       &ShareRecord::tags,
    &ShareRecord::comments,    &ShareRecord::itemTitle,  &ShareRecord::itemUrl,
    &ShareRecord::price,       &ShareRecord::album,      &ShareRecord::insertWord1,
    &ShareRecord::insertWord2,
};

}  // namespace pelrine
