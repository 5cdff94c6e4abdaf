#include "run/output_files.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"
#include "run_fakes.h"

namespace pelrine {
namespace {

TEST(SafeFileName, ReplacesWhatANameCannotHold) {
  struct Case {
    std::string_view title, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a:b/c\"d", "a：b／cd"},
           {"\\/:*?|<>", "＼／：＊？｜＜＞"},
           {"一\r\n二\r三\n四", "一二三四"},
           {" 标题. ", " 标题. "},  // neither trimmed nor shortened
           {"", ""},
           {"\xB0|", "\xB0|"},  // 0x7C as the trail byte of a character
           // A broken lead byte would pair with the replacement and free a backslash.
           {"\xCA*\xF7\\\\", "_＊\xF7\\＼"},
           {"a\xB0", "a_"},
       })
    EXPECT_EQ(SafeFileName(c.title), c.want) << c.title;
}

TEST(ArticleFileName, KeepsTitlesButNotDeviceNames) {
  struct Case {
    std::string_view title, extension, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"标题", "htm", "标题.htm"},
           {"", "htm", ".htm"},
           {"a:b", "txt", "a：b.txt"},
           {"nul", "htm", "_nul.htm"},
           {"Com3 ", "htm", "_Com3 .htm"},
           {"console", "htm", "console.htm"},
           {"com0", "htm", "com0.htm"},
       })
    EXPECT_EQ(ArticleFileName(c.title, c.extension), c.want) << c.title;
}

TEST(PictureExtension, TakesTheTextFromTheLastDot) {
  struct Case {
    std::string_view url, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"http://img.test/a.png", ".png"},
           {"http://img.test/a.jpg_200x200.jpg", ".jpg"},
           {"http://img.test/a.jpg?x=1", ".jpg?x=1"},
           {"http://img.test/pic", ".jpg"},   // the last dot lies in the host
           {"http://img/dir.d/pic", ".jpg"},  // or in a directory
           {"pic", ""},
           {"", ""},
       })
    EXPECT_EQ(PictureExtension(c.url), c.want) << c.url;
}

TEST(SafePictureName, NeverLeavesThePictureDirectory) {
  struct Case {
    std::string_view name, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"123456.jpg", "123456.jpg"},
           {"123456", "123456"},
           {"..\\..\\win.ini", "..＼..＼win.ini"},
           {"../x.jpg", "..／x.jpg"},
           {"c:evil.jpg", "c：evil.jpg"},
           {"", "_"},
           {"..", "_.."},
           {". .", "_. ."},
           {"CON.jpg", "_CON.jpg"},
           {"1.jpg?x=1", "1.jpg？x=1"},
       })
    EXPECT_EQ(SafePictureName(c.name), c.want) << c.name;
}

TEST(CreatePathDirectories, CreatesEveryMissingDirectory) {
  MemoryFileSystem files;
  files.directories = {"C:\\out"};
  EXPECT_TRUE(CreatePathDirectories("C:\\out\\词\\子目录\\", files));
  EXPECT_EQ(files.directories,
            (std::set<std::string>{"C:\\out", "C:\\out\\词", "C:\\out\\词\\子目录"}));
  EXPECT_TRUE(CreatePathDirectories("C:\\out\\词\\", files));  // all there already

  // "\xB0\x5C" is one character whose trail byte is a backslash.
  EXPECT_TRUE(CreatePathDirectories("C:\\out\\\xB0\x5C\\", files));
  EXPECT_EQ(files.directories.count("C:\\out\\\xB0\x5C"), 1u);

  EXPECT_FALSE(CreatePathDirectories("C:\\out\\a|b\\c\\", files));
  EXPECT_EQ(files.directories.count("C:\\out\\a|b\\c"), 0u);
}

class LocalisePictureTest : public ::testing::Test {
 protected:
  ShareRecord Localise(ShareRecord share) {
    LocalisePicture("C:\\out\\", "img", share, files, fetch, window);
    return share;
  }

  MemoryFileSystem files;
  FakePictures fetch;
  FakeRunWindow window;
  void SetUp() override { files.directories = {"C:\\out"}; }
};

TEST_F(LocalisePictureTest, StoresThePictureAndRefersToIt) {
  const ShareRecord share = Localise(TestShare(7));
  EXPECT_EQ(share.pictureUrl, "img/7.jpg");
  EXPECT_EQ(files.files.at("C:\\out\\img\\7.jpg"), "picture of http://img.test/p7.jpg");
  EXPECT_EQ(window.statuses, (std::vector<std::string>{"下载图片到相对路径 img\\7.jpg"}));

  // Stored once, never fetched again.
  Localise(TestShare(7));
  EXPECT_EQ(fetch.fetched.size(), 1u);
}

TEST_F(LocalisePictureTest, StoresNothingForAFailedFetch) {
  struct Case {
    FetchedBody answer;
  };
  for (const Case& c : std::initializer_list<Case>{{{"", false}}, {{"time-out text", true}}}) {
    files.files.clear();
    fetch.answers["http://img.test/p7.jpg"] = c.answer;
    EXPECT_EQ(Localise(TestShare(7)).pictureUrl, "img/7.jpg");
    EXPECT_TRUE(files.files.empty());
    // A later run fetches it again.
    fetch.answers.clear();
    Localise(TestShare(7));
    EXPECT_EQ(files.files.count("C:\\out\\img\\7.jpg"), 1u);
  }
}

TEST_F(LocalisePictureTest, HostileShareIdsStayInThePictureDirectory) {
  for (std::string_view id : {"..\\..\\boot", "../../boot", "", "..", "c:\\x", "a\r\nb", "nul"}) {
    files.files.clear();
    ShareRecord share = TestShare(1);
    share.shareId = id;
    share.pictureUrl = "http://img.test/p";
    share = Localise(share);
    ASSERT_EQ(files.files.size(), 1u) << id;
    const std::string& path = files.files.begin()->first;
    EXPECT_EQ(path.rfind("C:\\out\\img\\", 0), 0u) << path;
    EXPECT_EQ(FindOnCharBoundary(std::string_view(path).substr(11), "\\"), std::string::npos)
        << path;
    EXPECT_EQ("img/" + path.substr(11), share.pictureUrl);
  }
}

}  // namespace
}  // namespace pelrine
