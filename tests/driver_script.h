#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/headless/driver.h"

namespace oriwen::headless {

// Runs a driver script (every line must be understood) and returns its output.
inline std::string RunDriver(const std::string& script) {
  std::ostringstream out;
  Driver driver(out);
  std::istringstream in(script);
  EXPECT_EQ(driver.RunScript(in), 0) << out.str();
  return out.str();
}

// Whether the output holds this whole line.
inline bool Contains(const std::string& output, const std::string& line) {
  return output.find(line + "\n") != std::string::npos;
}

}  // namespace oriwen::headless
