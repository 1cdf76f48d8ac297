#pragma once
#include <string>
#include <string_view>

namespace oriwen {

using TokenHandle = int;  // 0 means none
inline constexpr TokenHandle kNoToken = 0;

// The process and the operating system around it.
class ProcessPort {
 public:
  virtual ~ProcessPort() = default;
  // Opens the named single-instance token if another instance holds it.
  virtual TokenHandle OpenSingleInstanceToken(std::string_view name) = 0;
  virtual TokenHandle CreateSingleInstanceToken(std::string_view name) = 0;
  virtual void CloseToken(TokenHandle token) = 0;
  // Major version the operating system reports (0 when it cannot be read).
  virtual int OsMajorVersion() = 0;
  // The program's directory without a trailing separator, and its file.
  virtual std::string ProgramDirectory() = 0;
  virtual std::string ProgramFile() = 0;
  // Ends the process at once; a shell that cannot return from here (tests)
  // records the code, and the core returns without doing anything more.
  virtual void EndProcess(int exitCode) = 0;
};

}  // namespace oriwen
