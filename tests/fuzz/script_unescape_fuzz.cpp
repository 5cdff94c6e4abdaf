// UnescapeScriptText on arbitrary bytes; a text without anything to decode
// comes back as its own round trip through wide text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "guang/unescape_script_text.h"
#include "net/code_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pelrine;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string decoded = UnescapeScriptText(text);
  if (text.find_first_of("\\%\r\n'{\xA1") == std::string_view::npos &&
      decoded != WideToGbk(GbkToWide(text)))
    std::abort();
  return 0;
}
