#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/linux/linux_process.h"

namespace oriwen::linux_shell {
namespace {

TEST(ProgramDirectory, IsTheExecutablesWhenWritableElseTheXdgConfigDirectory) {
  EXPECT_EQ(ChooseProgramDirectory("/opt/oriwen", true, "/home/u/.cfg", "/home/u"), "/opt/oriwen");
  EXPECT_EQ(ChooseProgramDirectory("/usr/bin", false, "/home/u/.cfg", "/home/u"),
            "/home/u/.cfg/oriwen");
  EXPECT_EQ(ChooseProgramDirectory("/usr/bin", false, std::nullopt, "/home/u"),
            "/home/u/.config/oriwen");
  // A relative XDG_CONFIG_HOME is to be ignored.
  EXPECT_EQ(ChooseProgramDirectory("/usr/bin", false, "cfg", "/home/u"), "/home/u/.config/oriwen");
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/oriwen-runtime-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::remove_all(dir_);
  }
  std::string dir_;
};

TEST_F(SingleInstance, ASecondInstanceFindsTheTokenUntilTheFirstClosesIt) {
  LinuxProcess first;
  LinuxProcess second;
  EXPECT_EQ(first.OpenSingleInstanceToken("oriwenqin2.0"), kNoToken);
  TokenHandle held = first.CreateSingleInstanceToken("oriwenqin2.0");
  ASSERT_NE(held, kNoToken);
  EXPECT_EQ(LinuxProcess::LockFilePath("oriwenqin2.0"), dir_ + "/oriwenqin2.0.lock");

  TokenHandle seen = second.OpenSingleInstanceToken("oriwenqin2.0");
  EXPECT_NE(seen, kNoToken);
  second.CloseToken(seen);
  // Another name is another token.
  EXPECT_EQ(second.OpenSingleInstanceToken("other"), kNoToken);

  first.CloseToken(held);  // as the wizard's restart does
  EXPECT_EQ(second.OpenSingleInstanceToken("oriwenqin2.0"), kNoToken);
}

TEST_F(SingleInstance, AKilledInstanceLeavesNoTokenBehind) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    LinuxProcess crashed;
    crashed.OpenSingleInstanceToken("oriwenqin2.0");
    crashed.CreateSingleInstanceToken("oriwenqin2.0");
    raise(SIGKILL);
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  LinuxProcess next;
  EXPECT_EQ(next.OpenSingleInstanceToken("oriwenqin2.0"), kNoToken);
  EXPECT_NE(next.CreateSingleInstanceToken("oriwenqin2.0"), kNoToken);
}

TEST(LinuxProcess, AnswersOsVersion0SoThatThereIsNoGlass) {
  EXPECT_EQ(LinuxProcess().OsMajorVersion(), 0);
}

}  // namespace
}  // namespace oriwen::linux_shell
