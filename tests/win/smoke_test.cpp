#include <gtest/gtest.h>
#include <windows.h>

TEST(WineEnvironment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }
