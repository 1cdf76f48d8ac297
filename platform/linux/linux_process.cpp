#include "platform/linux/linux_process.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace oriwen::linux_shell {
namespace fs = std::filesystem;

namespace {

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

std::string ExecutablePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

int OpenLockFile(std::string_view name) {
  std::string path = LinuxProcess::LockFilePath(name);
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

}  // namespace

std::string ChooseProgramDirectory(const std::string& executableDirectory, bool writable,
                                   const std::optional<std::string>& xdgConfigHome,
                                   const std::optional<std::string>& home) {
  if (writable && !executableDirectory.empty()) return executableDirectory;
  if (xdgConfigHome && !xdgConfigHome->empty() && (*xdgConfigHome)[0] == '/') {
    return *xdgConfigHome + "/oriwen";
  }
  return home.value_or("") + "/.config/oriwen";
}

LinuxProcess::LinuxProcess() = default;

LinuxProcess::~LinuxProcess() {
  for (auto& [handle, fd] : files_) ::close(fd);
  for (auto& [name, fd] : freeLocks_) ::close(fd);
}

std::string LinuxProcess::LockFilePath(std::string_view name) {
  std::string dir = Env("XDG_RUNTIME_DIR").value_or("/tmp/oriwen-" + std::to_string(::getuid()));
  return dir + "/" + std::string(name) + ".lock";
}

TokenHandle LinuxProcess::OpenSingleInstanceToken(std::string_view name) {
  int fd = OpenLockFile(name);
  if (fd < 0) return kNoToken;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    // Nobody holds it. Keep the lock for CreateSingleInstanceToken, so that
    // no other instance can slip in between the two calls.
    auto [it, fresh] = freeLocks_.emplace(std::string(name), fd);
    if (!fresh) ::close(fd);
    return kNoToken;
  }
  TokenHandle handle = next_++;
  files_[handle] = fd;  // an open file without the lock stands for the other's token
  return handle;
}

TokenHandle LinuxProcess::CreateSingleInstanceToken(std::string_view name) {
  int fd = -1;
  if (auto it = freeLocks_.find(std::string(name)); it != freeLocks_.end()) {
    fd = it->second;
    freeLocks_.erase(it);
  } else {
    fd = OpenLockFile(name);
    if (fd < 0) return kNoToken;
    ::flock(fd, LOCK_EX | LOCK_NB);  // as on Windows, the result is not looked at
  }
  TokenHandle handle = next_++;
  files_[handle] = fd;
  return handle;
}

void LinuxProcess::CloseToken(TokenHandle token) {
  auto it = files_.find(token);
  if (it == files_.end()) return;
  ::close(it->second);  // closing the file drops its lock
  files_.erase(it);
}

std::string LinuxProcess::ProgramDirectory() {
  if (programDirectory_.empty()) {
    std::string dir = fs::path(ExecutablePath()).parent_path().string();
    bool writable = !dir.empty() && ::access(dir.c_str(), W_OK) == 0;
    programDirectory_ = ChooseProgramDirectory(dir, writable, Env("XDG_CONFIG_HOME"), Env("HOME"));
    std::error_code ec;
    fs::create_directories(programDirectory_, ec);
  }
  return programDirectory_;
}

std::string LinuxProcess::ProgramFile() { return ExecutablePath(); }

void LinuxProcess::EndProcess(int code) {
  ended = true;
  exitCode = code;
  if (onEnd) onEnd(code);
}

}  // namespace oriwen::linux_shell
