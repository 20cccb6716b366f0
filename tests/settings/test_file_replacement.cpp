// Saving a profile file the hard way: links, read-only files, other contents, and writers
// killed in the middle of a save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <random>

#include "settings/profile_file.h"
#include "tests/settings/temp_directory.h"

namespace orbelle::settings {
namespace {

using Geometry = std::vector<std::pair<std::string, std::string>>;
const Geometry kOld = {{"Height", " 4065"}, {"Width", " 5730"}, {"Left", " 4815"}, {"Top", " 3720"}};
const Geometry kNew = {{"Height", " 3000"}, {"Width", " 6000"}, {"Left", " 150"}, {"Top", " 90"}};
const std::string kOther = "; kept\n[Other]\nKey=kept\n";

class FileReplacementTest : public ::testing::Test {
 protected:
  std::string Contents(const Geometry& g) const {
    std::string text = kOther + "[Size]\n";
    for (const auto& [key, value] : g) text += key + "=" + value + "\n";
    return text;
  }
  int TemporaryFiles() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      count += entry.path().filename().string().rfind("P.INI.", 0) == 0;
    }
    return count;
  }
  testing::TempDirectory dir;
  std::filesystem::path file = dir.path() / "P.INI";
};

TEST_F(FileReplacementTest, AllKeysInOneReplacementKeepingContentsModeAndLink) {
  const auto target = dir.Write("target.ini", Contents(kOld));
  chmod(target.c_str(), 0640);
  std::filesystem::create_symlink("target.ini", file);
  ASSERT_TRUE(WritePrivateProfileStrings("Size", kNew, file));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_EQ(dir.Read("target.ini"), Contents(kNew));
  EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
  EXPECT_EQ(TemporaryFiles(), 0);
}

// A read-only file, and one there but not readable as a profile (too large, or a FIFO), stay
// as they are: writing would lose what they hold.
TEST_F(FileReplacementTest, ReadOnlyOrUnreadableFileIsLeftAlone) {
  dir.Write("P.INI", Contents(kOld));
  chmod(file.c_str(), 0444);
  EXPECT_FALSE(WritePrivateProfileStrings("Size", kNew, file));
  EXPECT_EQ(dir.Read("P.INI"), Contents(kOld));

  const std::string large = Contents(kOld) + std::string(2 << 20, ';');
  std::filesystem::remove(file);
  dir.Write("P.INI", large);
  EXPECT_FALSE(WritePrivateProfileStrings("Size", kNew, file));
  EXPECT_EQ(dir.Read("P.INI"), large);
  // At the limit: one more key would make the file unreadable from then on.
  const std::string full = Contents(kOld) + std::string(kProfileFileLimit - Contents(kOld).size() - 1, ';') + "\n";
  dir.Write("P.INI", full);
  EXPECT_FALSE(WritePrivateProfileString("Size", "Extra", "1", file));
  EXPECT_EQ(dir.Read("P.INI"), full);

  std::filesystem::remove(file);
  ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
  EXPECT_FALSE(WritePrivateProfileStrings("Size", kNew, file));
  EXPECT_TRUE(std::filesystem::is_fifo(file));
  EXPECT_EQ(TemporaryFiles(), 0);
}

// The temporary file of a writer that died goes at the next save; one whose writer still
// holds it stays, and so do the user's own copies (they were removed as abandoned).
TEST_F(FileReplacementTest, AbandonedTemporaryFilesGoAtTheNextSave) {
  dir.Write("P.INI.saving-a1b2c3", "abandoned");
  const auto live = dir.Write("P.INI.saving-d4e5f6", "being written");
  const auto copy = dir.Write("P.INI.backup", "the user's");
  const int held = open(live.c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  ASSERT_TRUE(WritePrivateProfileStrings("Size", kNew, file));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "P.INI.saving-a1b2c3"));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_TRUE(std::filesystem::exists(copy));
  close(held);
}

// 211 writers killed at random moments while they save one geometry after the other: the file
// always holds one whole geometry and the other contents, and what a killed writer left
// behind is gone after the next save.
TEST_F(FileReplacementTest, KilledWritersLeaveOneWholeGeometry) {
  std::mt19937 random(11);
  int old_files = 0, new_files = 0, mixed = 0, left_behind = 0;
  for (int kill_count = 0; kill_count < 211; ++kill_count) {
    dir.Write("P.INI", Contents(kOld));
    const pid_t writer = fork();
    if (writer == 0) {
      for (int i = 0;; ++i) WritePrivateProfileStrings("Size", i % 2 ? kOld : kNew, file);
    }
    usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::string text = dir.Read("P.INI");
    old_files += text == Contents(kOld);
    new_files += text == Contents(kNew);
    mixed += text != Contents(kOld) && text != Contents(kNew);
    left_behind += TemporaryFiles();
    ASSERT_TRUE(WritePrivateProfileStrings("Size", kOld, file));
    ASSERT_EQ(TemporaryFiles(), 0) << "after the save that followed kill " << kill_count + 1;
  }
  std::cout << "211 kills: " << old_files << " old, " << new_files << " new, " << mixed << " mixed; " << left_behind
            << " temporary files left, none after the next save\n";
  EXPECT_EQ(mixed, 0);
}

}  // namespace
}  // namespace orbelle::settings
