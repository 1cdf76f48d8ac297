// oriwen-driver: runs the program on the headless platform from a script
// (a file named on the command line, or standard input).
#include <fstream>
#include <iostream>
#include <string>

#include "platform/headless/driver.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  oriwen::headless::Driver driver(std::cout);
  if (argc > 1 && std::string(argv[1]) == "--help") {
    std::cout << "usage: oriwen-driver [script]\n"
                 "Runs the program without a display from a line script (standard input\n"
                 "when no file is named) and prints every effect; see docs/driver-protocol.md.\n";
    return 0;
  }
  int failures = 0;
  if (argc > 1) {
    std::ifstream script(argv[1]);
    if (!script) {
      std::cerr << "oriwen-driver: cannot read " << argv[1] << "\n";
      return 2;
    }
    failures = driver.RunScript(script);
  } else {
    failures = driver.RunScript(std::cin);
  }
  std::cout.flush();
  return failures == 0 ? 0 : 1;
}
