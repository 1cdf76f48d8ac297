#include "platform/common/profile_file_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/common/gbk_codec.h"
#include "platform/headless/headless_platform.h"

namespace oriwen {
namespace {
namespace fs = std::filesystem;

struct StoreTest : ::testing::Test {
  headless::TemporaryDirectory dir;
  ProfileFileStore store;
  std::string Path() const { return dir.path() + "\\电子琴设置.ini"; }
  fs::path File() const { return ProfileFileStore::NativePath(Path()); }
  std::string Bytes() const {
    std::ifstream in(File(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(StoreTest, WritesGbkBytesAndReadsThemBackAsUtf8) {
  ASSERT_TRUE(store.WriteProfileString("按键", "1", "15", Path()));
  EXPECT_EQ(Bytes(), Utf8ToGbk("[按键]\r\n1=15\r\n"));
  EXPECT_EQ(Bytes().substr(0, 6), "[\xB0\xB4\xBC\xFC]");
  EXPECT_EQ(store.ReadProfileString("按键", "1", "x", Path(), 10240), "15");
  EXPECT_EQ(store.ReadProfileString("按键", "2", "默认", Path(), 10240), "默认");
}

TEST_F(StoreTest, AMissingFileGivesTheDefaultAndIsNotCreated) {
  EXPECT_EQ(store.ReadProfileString("s", "k", "d", Path(), 10240), "d");
  EXPECT_FALSE(fs::exists(File()));
}

TEST_F(StoreTest, ValuesAreCutToTheBuffer) {
  std::string longValue(20000, '7');
  ASSERT_TRUE(store.WriteProfileString("s", "k", longValue, Path()));
  EXPECT_EQ(store.ReadProfileString("s", "k", "", Path(), 10240).size(), 10239u);
}

TEST_F(StoreTest, AReadOnlyFileOrDirectoryIsNotChangedAndTheWriteFails) {
  ASSERT_TRUE(store.WriteProfileString("s", "k", "1", Path()));
  std::string before = Bytes();

  fs::permissions(File(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(store.WriteProfileString("s", "k", "2", Path()));
  EXPECT_EQ(Bytes(), before);
  fs::permissions(File(), fs::perms::owner_write, fs::perm_options::add);

  fs::permissions(dir.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(store.WriteProfileString("s", "k", "3", Path()));
  fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(StoreTest, AWriteLeavesNoTemporaryFileBehind) {
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(store.WriteProfileString("s", "k", std::to_string(i), Path()));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(StoreTest, RefusesAValueThatWouldInjectLines) {
  ASSERT_TRUE(store.WriteProfileString("s", "k", "1", Path()));
  std::string before = Bytes();
  EXPECT_FALSE(store.WriteProfileString("s", "k", "1\r\n[其他]\r\n主音=9", Path()));
  EXPECT_EQ(Bytes(), before);
}

}  // namespace
}  // namespace oriwen
