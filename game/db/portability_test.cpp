// The exported file and system helpers.
#include "game/db/portability.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using test::Signal;
using test::SpawnNode;
using test::WaitNode;

class PortabilityTest : public test::DbTest {
 protected:
  static void Touch(const char* path, const char* text = "") {
    FILE* f = fopen(path, "wb");
    ASSERT_NE(nullptr, f);
    fputs(text, f);
    fclose(f);
  }
};

TEST_F(PortabilityTest, NameAndExtensionOfAPath) {
  EXPECT_STREQ("item.dat", getfname("Data/item.dat"));
  EXPECT_STREQ("x.tar.gz", getfname("C:\\Game\\x.tar.gz"));
  EXPECT_STREQ("", getfname("Data/"));
  EXPECT_STREQ(".gz", getfext("C:\\Game\\x.tar.gz"));
  EXPECT_EQ(nullptr, getfext("Skins.d/INTRO"));  // a dot in the directory is no extension
  EXPECT_EQ(nullptr, getfext("noext"));
}

TEST_F(PortabilityTest, FileTimesAndSizes) {
  Touch("Data/news.txt", "twelve bytes");
  EXPECT_EQ(12, flength("Data/news.txt"));
  EXPECT_EQ(-1, flength("Data/none.txt"));
  const time_t kWhen = 1000000000;
  EXPECT_EQ(0, setfdate("Data/news.txt", kWhen));
  EXPECT_EQ(kWhen, fdate("Data/news.txt"));
  int fd = open("Data/news.txt", O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(kWhen, filetime(fd));
  close(fd);
  EXPECT_EQ(-1, setfdate("Data/none.txt", kWhen));
}

TEST_F(PortabilityTest, ExistsWhateverTheCaseAndLearnsTheCase) {
  Touch("Data/Item.DAT");
  ASSERT_EQ(0, mkdir("Data/skins", 0755));
  char name[] = "Data/item.dat";
  EXPECT_EQ(1, fexistcase(name));
  EXPECT_STREQ("Data/Item.DAT", name);
  char pattern[] = "Data/ITEM.*";
  EXPECT_EQ(1, fexistcase(pattern));
  char folder[] = "Data/SKINS";
  EXPECT_EQ(0, fexistcase(folder));
  char missing[] = "Data/magic.dat";
  EXPECT_EQ(0, fexistcase(missing));
}

TEST_F(PortabilityTest, DeletesMatchingFilesOnly) {
  Touch("Data/a.bak");
  Touch("Data/b.bak");
  Touch("Data/c.db");
  ASSERT_EQ(0, mkdir("Data/d.bak", 0755));
  EXPECT_EQ(2, delfiles("Data", "*.bak"));
  EXPECT_EQ(-1, flength("Data/a.bak"));
  EXPECT_EQ(0, flength("Data/c.db"));
  EXPECT_EQ(1, isdir("Data/d.bak"));
  EXPECT_EQ(0, delfiles("Data/", "*.none"));
}

TEST_F(PortabilityTest, TextHelpers) {
  char path[16] = "Data";
  EXPECT_STREQ("Data/", backslash(path));
  EXPECT_STREQ("Data/", backslash(path));  // once only
  char windows[16] = "Data\\";
  EXPECT_STREQ("Data\\", backslash(windows));
  EXPECT_EQ('/', lastchar(path));
  EXPECT_EQ('\0', lastchar(""));

  char small[6];
  EXPECT_EQ(5, safe_snprintf(small, sizeof small, "%s", "Tarvessia"));
  EXPECT_STREQ("Tarve", small);
  EXPECT_EQ(3, safe_snprintf(small, sizeof small, "%d", 123));
  EXPECT_STREQ("123", small);
}

TEST_F(PortabilityTest, RandomStaysBelowItsBound) {
  EXPECT_EQ(0, xp_random(0));
  EXPECT_EQ(0, xp_random(1));
  EXPECT_EQ(0, xp_random(-5));
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    int roll = xp_random(3);
    ASSERT_GE(roll, 0);
    ASSERT_LT(roll, 3);
    seen.insert(roll);
  }
  EXPECT_EQ(3u, seen.size());
  for (int i = 0; i < 2000; ++i) ASSERT_LT(xp_random(1000000000), 1000000000);
}

TEST_F(PortabilityTest, ByteRangeLocksKeepOtherProcessesOut) {
  Touch("Data/lock.dat", "0123456789");
  int fd = open("Data/lock.dat", O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(3, lseek(fd, 3, SEEK_SET));
  ASSERT_EQ(0, lock(fd, 0, 5));
  EXPECT_EQ(3, lseek(fd, 0, SEEK_CUR));  // the position stays

  Signal unlocked;
  Signal checked;
  pid_t other = SpawnNode([&] {
    int mine = open("Data/lock.dat", O_RDWR);
    if (lock(mine, 2, 2) != -1) return 2;  // overlaps the held range
    if (lock(mine, 5, 5) != 0) return 3;   // next to it is free
    checked.Raise();
    if (!unlocked.Wait(10000)) return 4;
    return lock(mine, 0, 5) == 0 ? 0 : 5;
  });
  ASSERT_TRUE(checked.Wait(10000));
  EXPECT_EQ(0, unlock(fd, 0, 5));
  EXPECT_EQ(3, lseek(fd, 0, SEEK_CUR));
  unlocked.Raise();
  EXPECT_EQ(0, WaitNode(other, 10000));
  close(fd);
}

}  // namespace
}  // namespace trv::db
