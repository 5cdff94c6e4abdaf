// The MD5 seam's known digests, run by the native and the Windows test
// programs alike: both platforms must give the same 32 upper-case digits.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "links/md5.h"

namespace pelrine {
namespace {

using namespace std::string_view_literals;

TEST(Md5Hex, GivesTheKnownDigests) {
  struct Case {
    std::string_view bytes, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           // The test suite of RFC 1321.
           {"", "D41D8CD98F00B204E9800998ECF8427E"},
           {"a", "0CC175B9C0F1B6A831C399E269772661"},
           {"abc", "900150983CD24FB0D6963F7D28E17F72"},
           {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
           {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
           {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
            "57EDF4A22BE3C955AC49DA2E2107B67A"},
           // Zero and high bytes are hashed like any other.
           {"a\0b"sv, "70350F6027BCE3713F6B76473084309B"},
           {"\xD6\xD0\xCE\xC4", "BCCE109775E8E1972E9F5FCDA3E12895"},  // 中文 as GBK
       })
    EXPECT_EQ(Md5Hex(c.bytes), c.want) << c.bytes;
}

TEST(Md5Hex, HashesALongInputWhole) {
  EXPECT_EQ(Md5Hex(std::string(1000000, 'a')), "7707D6AE4E027C70EEA2A935C2296F21");
}

}  // namespace
}  // namespace pelrine
