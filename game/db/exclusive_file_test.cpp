// Flat files one process at a time, and fexist.
#include "game/db/exclusive_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using test::NowMs;
using test::Signal;
using test::SpawnNode;
using test::WaitNode;

class ExclusiveFileTest : public test::DbTest {
 protected:
  static void WriteFile(const char* path, const std::string& text) {
    FILE* f = fopen(path, "wb");
    ASSERT_NE(nullptr, f);
    fputs(text.c_str(), f);
    fclose(f);
  }
  static std::string ReadFile(const char* path) {
    std::string text;
    if (FILE* f = fopen(path, "rb")) {
      char buffer[256];
      size_t n;
      while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
      fclose(f);
    }
    return text;
  }
};

TEST_F(ExclusiveFileTest, SecondOpenerWaitsForTheFirstToClose) {
  WriteFile("Data/time.dat", "20240101");
  Signal holding;
  pid_t holder = SpawnNode([&] {
    int fd = -1;
    FILE* f = ExclusiveFileOpen("Data/time.dat", "r+b", &fd);
    if (f == nullptr || fd != fileno(f)) return 2;
    holding.Raise();
    usleep(400 * 1000);
    fputs("20240102", f);
    ExclusiveFileClose(f, fd);
    return 0;
  });
  ASSERT_TRUE(holding.Wait(10000));
  long long start = NowMs();
  ExclusiveFile file("Data/time.dat", "r+b");
  long long waited = NowMs() - start;
  ASSERT_TRUE(file);
  EXPECT_GE(waited, 300);
  EXPECT_LT(waited, 4000);
  char text[32] = {};
  ASSERT_NE(nullptr, fgets(text, sizeof text, file.get()));
  EXPECT_STREQ("20240102", text);  // the holder's write was complete
  EXPECT_EQ(0, WaitNode(holder, 10000));
}

TEST_F(ExclusiveFileTest, WriteModeEmptiesTheFileOnlyOnceItHoldsTheLock) {
  WriteFile("Data/trvlord.dat", "Lord Bob");
  Signal holding;
  pid_t holder = SpawnNode([&] {
    ExclusiveFile f("Data/trvlord.dat", "r+b");
    if (!f) return 2;
    holding.Raise();
    usleep(300 * 1000);
    // The waiting writer has not touched the file meanwhile.
    char text[32] = {};
    if (fgets(text, sizeof text, f.get()) == nullptr) return 3;
    return std::string(text) == "Lord Bob" ? 0 : 4;
  });
  ASSERT_TRUE(holding.Wait(10000));
  ExclusiveFile file("Data/trvlord.dat", "w+b");
  ASSERT_TRUE(file);
  EXPECT_EQ(0, WaitNode(holder, 10000));
  fputs("Lady Ann", file.get());
  file.Close();
  EXPECT_EQ("Lady Ann", ReadFile("Data/trvlord.dat"));
}

TEST_F(ExclusiveFileTest, GivesUpAfterFiveSeconds) {
  WriteFile("Data/item.dat", "x");
  Signal holding;
  Signal release;
  pid_t holder = SpawnNode([&] {
    ExclusiveFile f("Data/item.dat", "rb");
    if (!f) return 2;
    holding.Raise();
    return release.Wait(20000) ? 0 : 3;
  });
  ASSERT_TRUE(holding.Wait(10000));
  long long start = NowMs();
  int fd = 7;
  EXPECT_EQ(nullptr, ExclusiveFileOpen("Data/item.dat", "rb", &fd));
  long long waited = NowMs() - start;
  EXPECT_EQ(-1, fd);
  EXPECT_GT(waited, 5000);
  EXPECT_LT(waited, 7000);
  release.Raise();
  EXPECT_EQ(0, WaitNode(holder, 10000));
  // Free again once the holder is gone.
  EXPECT_TRUE(ExclusiveFile("Data/item.dat", "rb"));
}

TEST_F(ExclusiveFileTest, ReadingAMissingFileFailsAtOnce) {
  long long start = NowMs();
  int fd = 7;
  EXPECT_EQ(nullptr, ExclusiveFileOpen("Data/missing.dat", "rb", &fd));
  EXPECT_EQ(-1, fd);
  EXPECT_EQ(nullptr, ExclusiveFileOpen("Data/missing.dat", "r+b", &fd));
  EXPECT_LT(NowMs() - start, 500);
  // A write mode creates it.
  ExclusiveFile created("Data/missing.dat", "wb");
  EXPECT_TRUE(created);
}

TEST_F(ExclusiveFileTest, FexistFindsFilesNotDirectories) {
  WriteFile("Data/monster.dat", "");
  ASSERT_EQ(0, mkdir("Data/Quests.dir", 0755));
  EXPECT_EQ(1, fexist("Data/monster.dat"));
  EXPECT_EQ(0, fexist("Data/monsters.dat"));
  EXPECT_EQ(0, fexist("Data"));
  EXPECT_EQ(0, fexist(""));
  EXPECT_EQ(1, fexist("Data/*.dat"));
  EXPECT_EQ(1, fexist("Data/mon?ter.*"));
  EXPECT_EQ(0, fexist("Data/mon?ter.txt"));
  EXPECT_EQ(0, fexist("Data/Quests.*"));  // matches only a directory
}

}  // namespace
}  // namespace trv::db
