#pragma once
#include <string_view>

#include "platform/geometry.h"

namespace oriwen {

enum class MessageButtons { Ok, AbortRetryIgnore };
enum class MessageIcon { None, Exclamation, Information };
enum class MessageAnswer { Ok = 1, Abort = 3, Retry = 4, Ignore = 5 };

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // Modal: returns when the user has answered.
  virtual MessageAnswer ShowMessageBox(WindowId owner, std::string_view text,
                                       std::string_view title, MessageButtons buttons,
                                       MessageIcon icon) = 0;
};

}  // namespace oriwen
