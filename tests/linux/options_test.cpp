#include <gtest/gtest.h>

#include <map>

#include "platform/linux/options.h"

namespace oriwen::linux_shell {
namespace {

ParseResult Parse(std::vector<std::string> args, std::map<std::string, std::string> env = {}) {
  return ParseOptions(args, [&env](const char* name) -> std::optional<std::string> {
    auto it = env.find(name);
    return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
  });
}

TEST(Options, DefaultToTheSmallSoundfontAndTwoPeriodsOf64FramesAt48kHz) {
  ParseResult r = Parse({});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.soundfont, "/usr/share/sounds/sf2/TimGM6mb.sf2");
  EXPECT_EQ(r.options.audioDriver, "");
  EXPECT_EQ(r.options.periods, 2);
  EXPECT_EQ(r.options.periodSize, 64);
  EXPECT_EQ(r.options.sampleRate, 48000);
  EXPECT_NEAR(LatencyMs(r.options), 2.667, 0.001);
  EXPECT_FALSE(r.options.help);
}

TEST(Options, TheCommandLineWinsOverTheEnvironmentInEitherSpelling) {
  ParseResult r = Parse({"--period-size=128", "--audio-driver", "alsa", "--midi-sink", "/tmp/m"},
                        {{"ORIWEN_PERIOD_SIZE", "256"},
                         {"ORIWEN_PERIODS", "3"},
                         {"ORIWEN_AUDIO_DRIVER", "jack"},
                         {"ORIWEN_SAMPLE_RATE", "44100"}});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.periodSize, 128);
  EXPECT_EQ(r.options.periods, 3);
  EXPECT_EQ(r.options.audioDriver, "alsa");
  EXPECT_EQ(r.options.sampleRate, 44100);
  EXPECT_EQ(r.options.midiSink, "/tmp/m");
}

TEST(Options, ASoundfontNameIsLookedUpAmongTheSystemSoundfonts) {
  EXPECT_EQ(Parse({"--soundfont", "FluidR3_GM"}).options.soundfont,
            "/usr/share/sounds/sf2/FluidR3_GM.sf2");
  EXPECT_EQ(Parse({}, {{"ORIWEN_SOUNDFONT", "FluidR3_GM.sf2"}}).options.soundfont,
            "/usr/share/sounds/sf2/FluidR3_GM.sf2");
  EXPECT_EQ(Parse({"--soundfont=./my.sf2"}).options.soundfont, "./my.sf2");
}

TEST(Options, AWavFileChoosesTheFileDriverUnlessADriverIsNamed) {
  EXPECT_EQ(Parse({"--wav-file", "out.wav"}).options.audioDriver, "file");
  EXPECT_EQ(Parse({}, {{"ORIWEN_WAV_FILE", "out.wav"}}).options.audioDriver, "file");
  EXPECT_EQ(Parse({"--wav-file", "out.wav", "--audio-driver", "alsa"}).options.audioDriver, "alsa");
}

TEST(Options, QtsOwnOptionsArePassedOnWithTheirValues) {
  ParseResult r = Parse({"-platform", "offscreen", "--periods", "4", "-reverse"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.toolkitArguments, (std::vector<std::string>{"-platform", "offscreen", "-reverse"}));
  EXPECT_EQ(r.options.periods, 4);
}

TEST(Options, UnusableValuesAndUnknownOptionsAreRefusedWithTheReason) {
  struct Case {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::string reasonStart;
  };
  const Case cases[] = {
      {{"--period-size", "32"}, {}, "--period-size needs a whole number from 64"},
      {{"--periods=1"}, {}, "--periods needs"},
      {{"--sample-rate", "48k"}, {}, "--sample-rate needs"},
      {{"--periods"}, {}, "--periods needs a value"},
      {{"--soundfnt", "x"}, {}, "unknown option --soundfnt"},
      {{}, {{"ORIWEN_PERIODS", "zwei"}}, "ORIWEN_PERIODS: --periods needs"},
  };
  for (const Case& c : cases) {
    std::string error = Parse(c.args, c.env).error;
    EXPECT_EQ(error.rfind(c.reasonStart, 0), 0u) << error;
  }
}

TEST(Options, HelpNamesEveryOptionWithItsVariable) {
  EXPECT_TRUE(Parse({"--help"}).options.help);
  std::string help = HelpText();
  for (const char* word : {"--soundfont", "ORIWEN_SOUNDFONT", "--audio-driver", "ORIWEN_AUDIO_DRIVER",
                           "--period-size", "ORIWEN_PERIOD_SIZE", "--periods", "ORIWEN_PERIODS",
                           "--sample-rate", "ORIWEN_SAMPLE_RATE", "--wav-file", "ORIWEN_WAV_FILE",
                           "--midi-sink", "ORIWEN_MIDI_SINK"}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace oriwen::linux_shell
