add_library(oriwen_warnings INTERFACE)
target_compile_options(oriwen_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
  -Wold-style-cast -Woverloaded-virtual -Wpedantic)
if(ORIWEN_WERROR)
  target_compile_options(oriwen_warnings INTERFACE -Werror)
endif()
