// The simulator's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog.h"

namespace guang_sim {

struct SimOptions {
  int port = -1;  // 0: a free port
  uint64_t seed = 1;
  CatalogSize size;
  std::string log_path;
  std::vector<std::string> faults;  // PATH=ITEM[,ITEM...], checked
  // The program's initial App Key and Secret, so a fresh start signs correctly.
  std::string app_key = "58316047", app_secret = "9f4be07c15d2a86e3b71c0d94a5e2f68";
  bool steady = false;  // see Catalog
  bool help = false;
};

extern const char kUsage[];

// Reads `--name value` and `--name=value`; false with `error` set when the
// line is wrong or the port is missing (unless --help).
bool ParseOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

}  // namespace guang_sim
