# One place for the warning and sanitizer flags; every target links barlog_flags.
add_library(barlog_flags INTERFACE)
target_compile_options(barlog_flags INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
  -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
target_compile_definitions(barlog_flags INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(BARLOG_WERROR)
  target_compile_options(barlog_flags INTERFACE -Werror)
endif()
if(BARLOG_SANITIZE)
  target_compile_options(barlog_flags INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(barlog_flags INTERFACE -fsanitize=address,undefined)
endif()
