#include <windows.h>

#include <gtest/gtest.h>

TEST(WineEnvironment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }
