#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/process_port.h"

namespace oriwen::linux_shell {

// Where the program keeps its files: the executable's directory when it can
// be written, otherwise $XDG_CONFIG_HOME/oriwen (~/.config/oriwen).
std::string ChooseProgramDirectory(const std::string& executableDirectory, bool writable,
                                   const std::optional<std::string>& xdgConfigHome,
                                   const std::optional<std::string>& home);

// The process on Linux. The single-instance token is an exclusive lock
// (flock) on a file of the user's runtime directory: the kernel drops it
// with the process, so a crashed instance never leaves it behind.
class LinuxProcess : public ProcessPort {
 public:
  LinuxProcess();
  ~LinuxProcess() override;
  LinuxProcess(const LinuxProcess&) = delete;
  LinuxProcess& operator=(const LinuxProcess&) = delete;

  TokenHandle OpenSingleInstanceToken(std::string_view name) override;
  TokenHandle CreateSingleInstanceToken(std::string_view name) override;
  void CloseToken(TokenHandle token) override;
  int OsMajorVersion() override { return 0; }  // no glass on Linux
  std::string ProgramDirectory() override;
  std::string ProgramFile() override;
  void EndProcess(int exitCode) override;

  // The lock file of a token name ($XDG_RUNTIME_DIR, else /tmp/oriwen-UID).
  static std::string LockFilePath(std::string_view name);

  bool ended = false;
  int exitCode = 0;
  // Called by EndProcess, so that a running event loop stops.
  std::function<void(int)> onEnd;

 private:
  std::map<TokenHandle, int> files_;           // handle -> descriptor
  std::map<std::string, int> freeLocks_;       // locks taken while looking
  TokenHandle next_ = 1;
  std::string programDirectory_;
};

}  // namespace oriwen::linux_shell
