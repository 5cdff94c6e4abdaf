#include "options.h"

#include <gtest/gtest.h>

namespace guang_sim {
namespace {

TEST(ParseOptions, ReadsTheCommandLine) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(ParseOptions(
      {"--port", "0", "--seed=42", "--size", "10x167x6", "--log", "/tmp/x.log", "--fault",
       "/a=reset", "--fault=/b=latency:5", "--app-key", "k", "--app-secret", "s", "--steady"},
      options, error))
      << error;
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.seed, 42u);
  EXPECT_EQ(options.size.words, 10);
  EXPECT_EQ(options.size.pages, 167);
  EXPECT_EQ(options.size.shares, 6);
  EXPECT_EQ(options.log_path, "/tmp/x.log");
  EXPECT_EQ(options.faults, (std::vector<std::string>{"/a=reset", "/b=latency:5"}));
  EXPECT_EQ(options.app_key, "k");
  EXPECT_EQ(options.app_secret, "s");
  EXPECT_TRUE(options.steady);
}

TEST(ParseOptions, RefusesWrongLines) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},               // no port
           {"--seed", "1"},  // no port
           {"--port"},       // no value
           {"--port", "65536"},
           {"--port", "-1"},
           {"--port", "80x"},
           {"--port", "0", "--size", "3x10"},
           {"--port", "0", "--size", "0x1x1"},
           {"--port", "0", "--size", "1x1x1001"},
           {"--port", "0", "--size", "axbxc"},
           {"--port", "0", "--seed", "-3"},
           {"--port", "0", "--fault", "/a=explode"},
           {"--port", "0", "--colour", "red"},
           {"--port", "0", "--steady=1"},
       }) {
    SimOptions options;
    std::string error;
    EXPECT_FALSE(ParseOptions(args, options, error)) << ::testing::PrintToString(args);
    EXPECT_FALSE(error.empty());
  }
}

TEST(ParseOptions, HelpNeedsNoPort) {
  SimOptions options;
  std::string error;
  EXPECT_TRUE(ParseOptions({"--help"}, options, error));
  EXPECT_TRUE(options.help);
}

}  // namespace
}  // namespace guang_sim
