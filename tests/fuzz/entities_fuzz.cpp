// DecodeEntities on arbitrary bytes: every entity is longer than its
// character, so a decoded text is never longer than its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "guang/decode_entities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (pelrine::DecodeEntities(text).size() > text.size()) std::abort();
  return 0;
}
