#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace oriwen::linux_shell {

// How the Linux program sounds, from its command line and environment.
struct Options {
  std::string soundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  std::string audioDriver;  // empty: PulseAudio, then ALSA
  int periodSize = 64;      // frames
  int periods = 2;
  int sampleRate = 48000;
  std::string wavFile;    // the file driver's output
  std::string midiSink;   // device 0 writes its messages here instead of playing
  bool help = false;
  std::vector<std::string> toolkitArguments;  // everything left for Qt
};

// Reads the environment (ORIWEN_SOUNDFONT, ...) first, then the command
// line, which wins. A soundfont without a "/" is looked up among the
// system's soundfonts ("FluidR3_GM" is /usr/share/sounds/sf2/FluidR3_GM.sf2).
// Gives the reason when an option is unknown or its value is not usable.
struct ParseResult {
  Options options;
  std::string error;  // empty when the options are usable
};
ParseResult ParseOptions(const std::vector<std::string>& arguments,
                         const std::function<std::optional<std::string>(const char*)>& getEnv);

std::string HelpText();

// Audio latency of the options in milliseconds: periods x frames / rate.
double LatencyMs(const Options& options);

}  // namespace oriwen::linux_shell
