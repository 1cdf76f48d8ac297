#pragma once
#include <string>
#include <string_view>

namespace oriwen {

struct Program;

inline constexpr std::string_view kSettingsFileName = "电子琴设置.ini";
inline constexpr int kProfileBufferSize = 10240;

// The settings file: the program's directory + "\电子琴设置.ini", built anew
// for every access.
std::string SettingsFilePath(Program& program);
std::string ReadSetting(Program& program, std::string_view section, std::string_view key,
                        std::string_view defaultText);
bool WriteSetting(Program& program, std::string_view section, std::string_view key,
                  std::string_view value);

// Fills the settings, the key rows and their held flags from the file.
void LoadSettings(Program& program);
// Writes the 37 keys the program changes while it runs.
void SaveSettings(Program& program);

}  // namespace oriwen
