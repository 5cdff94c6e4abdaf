// The end-to-end driver: runs one case against the real program.
//   e2e_driver CASE PROGRAM PICTURES
// PROGRAM is the program file in the case folder, PICTURES the folder for
// pictures of its windows (both Windows paths). Prints each check; exits 0
// when all passed, 1 when one failed, 2 on wrong arguments.
#include <cstdio>
#include <cstring>

#include "cases.h"

namespace {

struct NamedCase {
  const char* name;
  void (*run)(e2e::CaseContext&);
};

constexpr NamedCase kCases[] = {
    {"first-start", e2e::FirstStartCase},
    {"settings-kept", e2e::SettingsKeptCase},
    {"save-fails", e2e::SaveFailsCase},
    {"odd-settings", e2e::OddSettingsCase},
    {"help-page", e2e::HelpPageCase},
    {"preview-run", e2e::PreviewRunCase},
    {"collect-run", e2e::CollectRunCase},
    {"stop-run", e2e::StopRunCase},
    {"close-during-run", e2e::CloseDuringRunCase},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4) {
    for (const NamedCase& named : kCases) {
      if (std::strcmp(argv[1], named.name) != 0) continue;
      e2e::CaseContext context{argv[2], argv[3], {}};
      named.run(context);
      return context.log.failures() == 0 ? 0 : 1;
    }
  }
  std::fprintf(stderr, "usage: e2e_driver CASE PROGRAM PICTURES\ncases:");
  for (const NamedCase& named : kCases) std::fprintf(stderr, " %s", named.name);
  std::fprintf(stderr, "\n");
  return 2;
}
