#include "options.h"

#include <charconv>

#include "faults.h"

namespace guang_sim {

const char kUsage[] =
    "usage: guang-sim --port N [--seed N] [--size WORDSxPAGESxSHARES] [--log FILE]\n"
    "                 [--fault PATH=ITEM[,ITEM...]]... [--app-key KEY] [--app-secret SECRET]\n"
    "                 [--steady]\n"
    "Serves the Guang service, its comment host, the open-platform gateway and the\n"
    "short-URL services on 127.0.0.1:N (0: a free port); prints the port on the\n"
    "first line of its output. See README.md for the paths and the fault items.\n";

namespace {

template <class Number>
bool ReadNumber(const std::string& text, Number& value, Number low, Number high) {
  Number read{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (error != std::errc() || end != text.data() + text.size() || read < low || read > high)
    return false;
  value = read;
  return true;
}

bool ReadSize(const std::string& text, CatalogSize& size) {
  const size_t first = text.find('x'), second = text.find('x', first + 1);
  if (first == std::string::npos || second == std::string::npos) return false;
  return ReadNumber(text.substr(0, first), size.words, 1, 1000000) &&
         ReadNumber(text.substr(first + 1, second - first - 1), size.pages, 1, 1000000) &&
         ReadNumber(text.substr(second + 1), size.shares, 1, 1000);
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i], value;
    const size_t equals = name.find('=');
    const bool inline_value = name.starts_with("--") && equals != std::string::npos;
    if (inline_value) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--help") {
      options.help = true;
      return true;
    }
    if (name == "--steady" && !inline_value) {
      options.steady = true;
      continue;
    }
    if (!inline_value) {
      if (i + 1 == args.size()) {
        error = "missing value after " + name;
        return false;
      }
      value = args[++i];
    }
    bool ok = true;
    if (name == "--port")
      ok = ReadNumber(value, options.port, 0, 65535);
    else if (name == "--seed")
      ok = ReadNumber<uint64_t>(value, options.seed, 0, UINT64_MAX);
    else if (name == "--size")
      ok = ReadSize(value, options.size);
    else if (name == "--log")
      options.log_path = value;
    else if (name == "--app-key")
      options.app_key = value;
    else if (name == "--app-secret")
      options.app_secret = value;
    else if (name == "--fault") {
      Faults probe(0);
      if (!probe.Add(value, error)) return false;
      options.faults.push_back(value);
    } else {
      error = "unknown option " + name;
      return false;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return false;
    }
  }
  if (options.port < 0) {
    error = "--port is required";
    return false;
  }
  return true;
}

}  // namespace guang_sim
