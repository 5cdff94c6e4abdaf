// Templates, share values and search words of any bytes: rendering, the
// swap and the title never crash, and the file names made from them never
// hold a path separator.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "guang/random_source.h"
#include "net/event_pump.h"
#include "net/gbk_text.h"
#include "run/output_files.h"
#include "run/template_renderer.h"

namespace {

bool HoldsSeparator(std::string_view name) {
  return pelrine::FindOnCharBoundary(name, "\\") != std::string_view::npos ||
         pelrine::FindOnCharBoundary(name, "/") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pelrine;
  // Parts separated by 0x01: template, title template, search word, the
  // sixteen template values, the share id.
  const std::vector<std::string> parts =
      SplitText(std::string_view(reinterpret_cast<const char*>(data), size), "\x01");
  const auto part = [&parts](size_t i) { return i < parts.size() ? parts[i] : std::string(); };
  ShareRecord share;
  for (size_t f = 0; f < kRecordTemplateFields.size(); ++f)
    share.*kRecordTemplateFields[f] = part(3 + f);
  share.shareId = part(3 + kRecordTemplateFields.size());

  SeededRandom random(static_cast<std::uint32_t>(size));
  NoEvents events;
  const std::string content = RenderShare(part(0), share) + "\r\n";
  std::vector<ShareRecord> batch = {share, ShareRecord{}, share};
  SwapSameKind(batch, random, events);
  const std::string word = part(2);
  const TitleInsertion insertion{true, static_cast<int>(size % 5) - 1, word};
  const std::string title = RenderTitle(part(1), batch[0], content, insertion, random, events);

  if (content.size() > kMaxRenderedBytes + 2 || title.size() > kMaxRenderedBytes + word.size())
    std::abort();
  if (HoldsSeparator(ArticleFileName(title, "htm"))) std::abort();
  const std::string picture = SafePictureName(share.shareId + PictureExtension(share.pictureUrl));
  if (HoldsSeparator(picture) || picture.find_first_not_of(". ") == std::string::npos)
    std::abort();
  return 0;
}
