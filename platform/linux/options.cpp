#include "platform/linux/options.h"

#include <charconv>

namespace oriwen::linux_shell {
namespace {

struct OptionName {
  const char* flag;
  const char* env;
};

constexpr OptionName kSoundfont{"--soundfont", "ORIWEN_SOUNDFONT"};
constexpr OptionName kAudioDriver{"--audio-driver", "ORIWEN_AUDIO_DRIVER"};
constexpr OptionName kPeriodSize{"--period-size", "ORIWEN_PERIOD_SIZE"};
constexpr OptionName kPeriods{"--periods", "ORIWEN_PERIODS"};
constexpr OptionName kSampleRate{"--sample-rate", "ORIWEN_SAMPLE_RATE"};
constexpr OptionName kWavFile{"--wav-file", "ORIWEN_WAV_FILE"};
constexpr OptionName kMidiSink{"--midi-sink", "ORIWEN_MIDI_SINK"};
constexpr OptionName kAll[] = {kSoundfont, kAudioDriver, kPeriodSize, kPeriods,
                               kSampleRate, kWavFile, kMidiSink};

std::optional<int> Number(const std::string& text, int lowest, int highest) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

std::string SoundfontPath(const std::string& value) {
  if (value.empty() || value.find('/') != std::string::npos) return value;
  std::string file = value;
  if (file.size() < 4 || file.substr(file.size() - 4) != ".sf2") file += ".sf2";
  return "/usr/share/sounds/sf2/" + file;
}

// Applies one option's value; the reason when it is not usable.
std::string Apply(Options& o, const std::string& flag, const std::string& value) {
  auto number = [&](int& field, int lowest, int highest) -> std::string {
    auto n = Number(value, lowest, highest);
    if (!n) {
      return flag + " needs a whole number from " + std::to_string(lowest) + " to " +
             std::to_string(highest) + ", not \"" + value + "\"";
    }
    field = *n;
    return {};
  };
  if (flag == kSoundfont.flag) {
    o.soundfont = SoundfontPath(value);
  } else if (flag == kAudioDriver.flag) {
    o.audioDriver = value;
  } else if (flag == kPeriodSize.flag) {
    return number(o.periodSize, 64, 8192);
  } else if (flag == kPeriods.flag) {
    return number(o.periods, 2, 64);
  } else if (flag == kSampleRate.flag) {
    return number(o.sampleRate, 8000, 96000);
  } else if (flag == kWavFile.flag) {
    o.wavFile = value;
  } else if (flag == kMidiSink.flag) {
    o.midiSink = value;
  }
  return {};
}

const OptionName* FindFlag(const std::string& flag) {
  for (const OptionName& option : kAll) {
    if (flag == option.flag) return &option;
  }
  return nullptr;
}

}  // namespace

ParseResult ParseOptions(const std::vector<std::string>& arguments,
                         const std::function<std::optional<std::string>(const char*)>& getEnv) {
  ParseResult result;
  Options& o = result.options;
  bool driverChosen = false;
  for (const OptionName& option : kAll) {
    if (auto value = getEnv(option.env); value && !value->empty()) {
      std::string error = Apply(o, option.flag, *value);
      if (!error.empty()) {
        result.error = std::string(option.env) + ": " + error;
        return result;
      }
      driverChosen |= option.flag == kAudioDriver.flag;
    }
  }
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      o.help = true;
      continue;
    }
    std::string flag = argument.substr(0, argument.find('='));
    const OptionName* option = FindFlag(flag);
    if (!option) {
      // Qt's own options (-platform, -display, ...) start with one dash.
      if (argument.rfind("--", 0) == 0 && argument != "--platform") {
        result.error = "unknown option " + argument + " (see --help)";
        return result;
      }
      o.toolkitArguments.push_back(argument);
      if (argument.rfind("-", 0) == 0 && i + 1 < arguments.size() &&
          arguments[i + 1].rfind("-", 0) != 0 &&
          (argument == "-platform" || argument == "--platform" || argument == "-display" ||
           argument == "-style" || argument == "-geometry")) {
        o.toolkitArguments.push_back(arguments[++i]);
      }
      continue;
    }
    std::string value;
    if (flag.size() < argument.size()) {
      value = argument.substr(flag.size() + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      result.error = flag + " needs a value";
      return result;
    }
    std::string error = Apply(o, flag, value);
    if (!error.empty()) {
      result.error = error;
      return result;
    }
    driverChosen |= flag == kAudioDriver.flag;
  }
  // A WAV file is written by FluidSynth's file driver.
  if (!o.wavFile.empty() && !driverChosen) o.audioDriver = "file";
  return result;
}

double LatencyMs(const Options& options) {
  return 1000.0 * options.periods * options.periodSize / options.sampleRate;
}

std::string HelpText() {
  return "usage: oriwen [OPTION]...\n"
         "Oriwen电子琴 2.4: the computer keyboard as a musical instrument.\n"
         "\n"
         "Every option can also be given by the environment variable shown; the\n"
         "command line wins.\n"
         "  --soundfont FILE     General MIDI soundfont (ORIWEN_SOUNDFONT); a name\n"
         "                       without \"/\" is looked up in /usr/share/sounds/sf2,\n"
         "                       e.g. FluidR3_GM; default\n"
         "                       /usr/share/sounds/sf2/TimGM6mb.sf2\n"
         "  --audio-driver NAME  FluidSynth audio driver (ORIWEN_AUDIO_DRIVER):\n"
         "                       pulseaudio, alsa, jack, pipewire, file, ...;\n"
         "                       default pulseaudio, then alsa\n"
         "  --period-size N      frames per audio period, 64..8192\n"
         "                       (ORIWEN_PERIOD_SIZE); default 64\n"
         "  --periods N          audio periods, 2..64 (ORIWEN_PERIODS); default 2\n"
         "  --sample-rate N      sample rate in Hz, 8000..96000\n"
         "                       (ORIWEN_SAMPLE_RATE); default 48000\n"
         "  --wav-file FILE      play into a WAV file instead of a sound card (the\n"
         "                       file driver; ORIWEN_WAV_FILE)\n"
         "  --midi-sink FILE     MIDI device 0 writes every short message to FILE\n"
         "                       as a line of hex bytes instead of playing it\n"
         "                       (ORIWEN_MIDI_SINK); no sound card needed\n"
         "  -h, --help           this text\n"
         "Qt's own options (-platform offscreen, -display :1, ...) are passed on.\n"
         "\n"
         "The default latency is 2 x 64 / 48000 = 2.7 ms. The settings file\n"
         "电子琴设置.ini lives beside the program when its directory is writable,\n"
         "otherwise in $XDG_CONFIG_HOME/oriwen (~/.config/oriwen).\n";
}

}  // namespace oriwen::linux_shell
