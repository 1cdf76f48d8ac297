// The key hooks run for every keystroke of the desktop: they must not
// allocate. Every allocation of this test binary is counted while a hook runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "input/background_key_hook.h"
#include "input/foreground_key_hook.h"
#include "input/main_window_filter.h"
#include "test_program.h"

namespace {
bool counting = false;
int allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace oriwen::testing {
namespace {

class SilentMidi : public MidiPort {
 public:
  int DeviceCount() override { return 1; }
  bool Open(int) override { return true; }
  void SendShortMessage(std::uint32_t) override { ++sent; }
  int sent = 0;
};

TEST(KeyHooks, AllocateNothingPerKeystroke) {
  TestProgram t;
  SilentMidi midi;
  Ports ports = t.platform->ports();
  Program p(Ports{ports.windows, ports.timers, midi, ports.store, ports.process, ports.messages,
                  ports.hooks, ports.glass});
  ASSERT_TRUE(StartProgram(p));
  p.settings.rowRestOnRelease = {1, 1, 1, 1, 1};
  static const WindowLayout kWizard{"LayoutWizard", "", 400, 300, {}};
  p.layoutWizard = t.platform->windows.CreateFromLayout(kWizard, p.mainWindow);
  t.platform->windows.foreground = p.mainWindow;  // open, but not in front

  const KeyEvent keys[] = {{160, false, false}, {65, false, false}, {65, false, false},
                           {65, false, true},   {160, false, true}, {13, true, false},
                           {13, true, true},    {96, false, false}, {96, false, true},
                           {17, false, false},  {162, false, false}};  // Ctrl to each hook
  auto run = [&](auto hook) {
    counting = true;
    allocations = 0;
    for (const KeyEvent& k : keys) hook(p, k);
    counting = false;
    return allocations;
  };
  EXPECT_EQ(run([](Program& q, const KeyEvent& k) { ForegroundKeyHook(q, k); }), 0);
  EXPECT_EQ(run([](Program& q, const KeyEvent& k) {
              MainWindowFilter(
                  q, {k.up ? MainWindowMessageKind::KeyUp : MainWindowMessageKind::KeyDown,
                      k.virtualKey});
            }),
            0);
  ASSERT_TRUE(InstallBackgroundKeyHook(p));
  EXPECT_EQ(run([](Program& q, const KeyEvent& k) { BackgroundKeyHook(q, k); }), 0);
  EXPECT_GT(midi.sent, 768 * 2);  // the keys did play
}

}  // namespace
}  // namespace oriwen::testing
