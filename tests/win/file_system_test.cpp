#include "net/file_system_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelrine {
namespace {

std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(
      CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
      static_cast<int>(wide.size()))));
  return wide;
}

// The names in a directory, "." and ".." left out.
std::vector<std::string> Names(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::string& path) {
  for (const std::string& name : Names(path)) {
    const std::string child = path + "\\" + name;
    if (GetFileAttributesA(child.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTree(child);
    else
      DeleteFileA(child.c_str());
  }
  RemoveDirectoryA(path.c_str());
}

class AnsiFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    root = std::string(temp) + "pelrine-files-" + std::to_string(GetCurrentProcessId());
    RemoveTree(root);
    ASSERT_TRUE(files.MakeDirectory(root));
  }
  void TearDown() override { RemoveTree(root); }

  AnsiFileSystem files;
  std::string root;
};

TEST_F(AnsiFileSystemTest, GbkNamesRoundTrip) {
  const std::string directory = root + "\\采集目录";
  EXPECT_FALSE(files.Exists(directory));
  EXPECT_TRUE(files.MakeDirectory(directory));
  EXPECT_FALSE(files.MakeDirectory(directory));  // exists already
  EXPECT_TRUE(files.Exists(directory));

  const std::string path = directory + "\\文章《一》.htm";
  const std::string bytes = std::string("<p>标题</p>\r\n\0\xFF", 17);
  ASSERT_TRUE(files.WriteWholeFile(path, bytes));
  EXPECT_EQ(files.ReadWholeFile(path), bytes);
  // The system stored the name as the characters the GBK bytes stand for.
  EXPECT_NE(GetFileAttributesW((Wide(root) + L"\\采集目录\\文章《一》.htm").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(AnsiFileSystemTest, WriteReplacesTheWholeFileAndLeavesNothingBeside) {
  const std::string path = root + "\\图片.jpg";
  ASSERT_TRUE(files.WriteWholeFile(path, std::string(1 << 20, 'x')));
  ASSERT_TRUE(files.WriteWholeFile(path, "short"));
  EXPECT_EQ(files.ReadWholeFile(path), "short");
  ASSERT_TRUE(files.WriteWholeFile(path, ""));
  EXPECT_EQ(files.ReadWholeFile(path), "");
  EXPECT_EQ(Names(root), std::vector<std::string>{"图片.jpg"});
}

TEST_F(AnsiFileSystemTest, FailedWriteKeepsTheEarlierFile) {
  const std::string path = root + "\\文章.htm";
  ASSERT_TRUE(files.WriteWholeFile(path, "earlier"));
  // Held open without delete sharing, the file cannot be replaced.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files.WriteWholeFile(path, "later"));
  CloseHandle(held);
  EXPECT_EQ(files.ReadWholeFile(path), "earlier");
  EXPECT_EQ(Names(root), std::vector<std::string>{"文章.htm"});
}

TEST_F(AnsiFileSystemTest, MissingPlacesFail) {
  EXPECT_FALSE(files.WriteWholeFile(root + "\\无此目录\\文章.htm", "x"));
  EXPECT_FALSE(files.MakeDirectory(root + "\\无此目录\\子目录"));
  EXPECT_EQ(files.ReadWholeFile(root + "\\无此文件.htm"), std::nullopt);
  EXPECT_FALSE(files.WriteWholeFile(root + "\\a?b.htm", "x"));
  EXPECT_TRUE(Names(root).empty());
}

}  // namespace
}  // namespace pelrine
