#pragma once
#include <iosfwd>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/headless/headless_platform.h"

namespace oriwen::headless {

// Runs the real program on the headless platform from a line script and
// writes every observable effect to `out`, one a line. The protocol is in
// docs/driver-protocol.md.
class Driver {
 public:
  explicit Driver(std::ostream& out);
  ~Driver();

  // One script line; false when the line could not be understood.
  bool RunLine(const std::string& line);
  // Every line of a script; the number of lines that failed.
  int RunScript(std::istream& in);

  Program* program() { return program_.get(); }
  Platform* platform() { return platform_.get(); }
  Machine& machine() { return machine_; }

 private:
  bool Start(const std::string& args);
  bool PrintFile(const std::string& name);
  bool WriteFile(const std::string& args);
  bool PrintWindow(const std::string& name);
  bool PrintControl(const std::string& name);
  void PrintSettings();
  void PrintRows();
  bool KeyCommand(const std::string& command, const std::string& args);
  bool Focus(const std::string& args);  // "WINDOW [CONTROL]"
  bool OpenStandIn(const std::string& name);
  bool Click(const std::string& name);
  bool Frame(const std::string& args);
  bool PrintReceived(const std::string& name);
  // main, settings, wizard, other, none or a window's name; false when there
  // is no such window.
  bool ResolveWindow(const std::string& name, WindowId& window) const;
  void Stop();
  std::string ResolvePath(const std::string& name) const;
  void Emit(const std::string& line);

  std::ostream& out_;
  Machine machine_;
  std::unique_ptr<TemporaryDirectory> tempDirectory_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<Program> program_;
  std::deque<MessageAnswer> pendingAnswers_;
  bool running_ = false;
};

}  // namespace oriwen::headless
