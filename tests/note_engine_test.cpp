#include "note_engine/note_engine.h"

#include <gtest/gtest.h>

#include "note_engine/instrument_names.h"
#include "test_program.h"

namespace oriwen::testing {
namespace {

// A started program with its start-up messages cleared.
struct NoteEngineTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(t.Start());
    t.Midi().clear();
  }
  Program& p() { return *t.program; }
  Settings& s() { return t.program->settings; }
  TestProgram t;
};

TEST(NoteTableTest, HoldsTheCMajorScaleFrom0To120) {
  NoteTable table;
  FillNoteTable(table);
  std::vector<int> first, last;
  for (int k = 1; k <= 8; ++k) first.push_back(table[k]);
  for (int k = 64; k <= 71; ++k) last.push_back(table[k]);
  EXPECT_EQ(first, (std::vector<int>{0, 2, 4, 5, 7, 9, 11, 12}));
  EXPECT_EQ(last, (std::vector<int>{108, 110, 112, 113, 115, 117, 119, 120}));
  EXPECT_EQ(table[36], 60);
}

TEST_F(NoteEngineTest, TheFirstKeyOfRow1PlaysTonicPlusItsScaleNote) {
  EXPECT_EQ(NoteKeyDown(p(), 27, 0), 1);  // Esc; tonic 5, position 15
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x91, 29, 127)}));
}

TEST_F(NoteEngineTest, AHeldKeySoundsOnceAndRestOnReleaseStopsBothNotes) {
  s().rowRestOnRelease[0] = 1;
  EXPECT_EQ(NoteKeyDown(p(), 27, 0), 1);
  EXPECT_EQ(NoteKeyDown(p(), 27, 0), 1);  // auto-repeat
  EXPECT_EQ(NoteKeyUp(p(), 27), 1);
  EXPECT_EQ(NoteKeyUp(p(), 27), 1);  // a second release still stops
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x91, 29, 127), Msg(0x81, 29), Msg(0x81, 30),
                                                  Msg(0x81, 29), Msg(0x81, 30)}));
}

TEST_F(NoteEngineTest, WithoutRestOnReleaseTheNoteRingsAndAPressPlaysItAgain) {
  NoteKeyDown(p(), 27, 0);
  NoteKeyUp(p(), 27);
  NoteKeyDown(p(), 27, 0);
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x91, 29, 127), Msg(0x91, 29, 127)}));
}

TEST_F(NoteEngineTest, RaiseFollowsTheScaleDegreeAndTheRowOption) {
  // Row 5 (Z X C ...) starts at index 53: degrees 4,5,6,7,1,2,3,...
  struct Case {
    int key;
    int raise;
    int mayRaise;
    int note;
  } cases[] = {
      {90, 1, 1, 5 + 89 + 1},  // Z: index 53, Fa -> raised
      {67, 1, 1, 5 + 93 + 1},  // C: index 55, La -> raised
      {86, 1, 1, 5 + 95},      // V: index 56, Xi has no sharp
      {77, 1, 1, 5 + 100},     // M: index 59, Mi has no sharp
      {90, 2, 1, 5 + 89},      // raise must be exactly 1
      {90, 1, 0, 5 + 89},      // the row may not be raised
  };
  for (const Case& c : cases) {
    t.Midi().clear();
    s().rowMayRaise[4] = c.mayRaise;
    NoteKeyDown(p(), c.key, c.raise);
    NoteKeyUp(p(), c.key);
    ASSERT_EQ(t.Midi().size(), 1u) << c.key;
    EXPECT_EQ(t.Midi()[0], Msg(0x95, static_cast<unsigned>(c.note), 127)) << c.key;
  }
}

TEST_F(NoteEngineTest, TheFirstEnabledRowHoldingTheKeyPlaysIt) {
  p().rows.keys[1] = {65, 65};
  p().rows.keys[1 + 0].push_back(66);
  p().rows.keys[3] = {65};
  p().rows.downFlags[1].assign(3, 0);
  p().rows.downFlags[3].assign(1, 0);
  NoteKeyDown(p(), 65, 0);
  NoteKeyUp(p(), 65);
  s().rowEnabled[1] = 0;
  NoteKeyDown(p(), 65, 0);
  NoteKeyUp(p(), 65);
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x92, 5 + 41, 127),     // row 2, index 25
                                                  Msg(0x94, 5 + 77, 127)}));  // row 4, index 46
}

TEST_F(NoteEngineTest, KeysInNoEnabledRowAreNotClaimed) {
  EXPECT_EQ(NoteKeyDown(p(), 1000, 0), 0);
  EXPECT_EQ(NoteKeyUp(p(), 1000), 0);
  s().rowEnabled[0] = 0;
  EXPECT_EQ(NoteKeyDown(p(), 27, 0), 0);
  EXPECT_TRUE(t.Midi().empty());
}

TEST_F(NoteEngineTest, AReleaseStopsTheNoteOfTheSettingsOfThatMoment) {
  s().rowRestOnRelease[0] = 1;
  NoteKeyDown(p(), 27, 0);  // 29
  s().tonic = 0;
  s().rowPosition[0] = 1;
  NoteKeyUp(p(), 27);  // index 1: note 0 and its sharp 1
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x91, 29, 127), Msg(0x81, 0), Msg(0x81, 1)}));
}

TEST_F(NoteEngineTest, ARowDisabledWhileHeldKeepsItsKeySilentUntilReleased) {
  NoteKeyDown(p(), 27, 0);
  s().rowEnabled[0] = 0;
  NoteKeyUp(p(), 27);  // not seen by the disabled row
  s().rowEnabled[0] = 1;
  NoteKeyDown(p(), 27, 0);  // still held: swallowed without sound
  EXPECT_EQ(t.Midi().size(), 1u);
}

TEST_F(NoteEngineTest, ANoteBeyondTheMidiRangeIsNotSent) {
  s().tonic = 7;
  p().rows.keys[0] = {27};
  p().rows.downFlags[0] = {0};
  s().rowPosition[0] = 71;  // index 71 = note 120, degree Do
  s().rowRestOnRelease[0] = 1;
  NoteKeyDown(p(), 27, 1);  // 7 + 120 + 1 = 128
  NoteKeyUp(p(), 27);       // note-offs 127 and 128
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0x81, 127)}));
}

TEST_F(NoteEngineTest, InstrumentPositionsBecomeProgramChanges) {
  struct Case {
    int position;
    std::vector<std::uint32_t> sent;
  } cases[] = {
      {0, {Msg(0xC1, 1)}},
      {25, {Msg(0xC1, 26)}},
      {125, {Msg(0xC1, 126)}},
      {126, {}},  // "Gunshot" lies beyond the last program: refused
  };
  for (const Case& c : cases) {
    t.Midi().clear();
    s().rowInstrument[0] = c.position;
    ApplyInstruments(p(), 1);
    EXPECT_EQ(t.Midi(), c.sent) << c.position;
  }
  t.Midi().clear();
  s().mouseInstrument = 3;
  ApplyInstruments(p(), 0);
  EXPECT_EQ(t.Midi(), (std::vector<std::uint32_t>{Msg(0xC6, 4)}));
}

TEST_F(NoteEngineTest, AllNotesOffStopsEveryNoteOnChannels1To6NoteByNote) {
  AllNotesOff(p());
  ASSERT_EQ(t.Midi().size(), 768u);
  EXPECT_EQ(t.Midi()[0], Msg(0x81, 0));
  EXPECT_EQ(t.Midi()[5], Msg(0x86, 0));
  EXPECT_EQ(t.Midi()[6], Msg(0x81, 1));
  EXPECT_EQ(t.Midi()[767], Msg(0x86, 127));
}

TEST(InstrumentNames, AreTheComponentsList) {
  EXPECT_EQ(InstrumentName(1), "Acoustic Grand Piano");
  EXPECT_EQ(InstrumentName(26), "Acoustic Guitar (steel)Electric Guitar (jazz)");
  EXPECT_EQ(InstrumentName(27), "Electric Guitar (clean)");
  EXPECT_EQ(InstrumentName(127), "Gunshot");
  EXPECT_EQ(InstrumentName(0), "");
  EXPECT_EQ(InstrumentName(128), "");
}

}  // namespace
}  // namespace oriwen::testing
