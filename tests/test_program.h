#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "platform/common/gbk_codec.h"
#include "platform/headless/headless_platform.h"

namespace oriwen::testing {

// A whole program on the headless platform, in a fresh program directory.
struct TestProgram {
  TestProgram() : TestProgram(headless::Machine{}) {}
  explicit TestProgram(headless::Machine m) : machine(std::move(m)) {
    if (machine.programDirectory.empty()) machine.programDirectory = directory.path();
    platform = std::make_unique<headless::Platform>(
        machine, [this](const std::string& line) { effects.push_back(line); });
    program = std::make_unique<Program>(platform->ports());
  }

  std::filesystem::path SettingsPath() const {
    return std::filesystem::path(machine.programDirectory) /
           std::filesystem::u8path("电子琴设置.ini");
  }
  // Writes the settings file from UTF-8 text, stored as GBK like the real one.
  void WriteSettingsFile(const std::string& utf8) const {
    std::ofstream(SettingsPath(), std::ios::binary) << Utf8ToGbk(utf8);
  }
  std::string SettingsFileBytes() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool Start() { return StartProgram(*program); }
  void Close() { CloseMainWindow(*program); }
  std::vector<std::uint32_t>& Midi() { return platform->midi.sent; }

  headless::TemporaryDirectory directory;
  headless::Machine machine;
  std::vector<std::string> effects;
  std::unique_ptr<headless::Platform> platform;
  std::unique_ptr<Program> program;
};

inline std::uint32_t Msg(unsigned status, unsigned d1, unsigned d2 = 0) {
  return status | (d1 << 8) | (d2 << 16);
}

}  // namespace oriwen::testing
