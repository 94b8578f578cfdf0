# Warnings, sanitizers and fuzzing instrumentation for every target of the project.
add_library(orvela_options INTERFACE)
target_compile_options(orvela_options INTERFACE
  -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
  -Wmissing-declarations -Wunused)
if(ORVELA_WERROR)
  target_compile_options(orvela_options INTERFACE -Werror)
endif()

if(ORVELA_SANITIZE)
  set(ORVELA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
  add_compile_options(${ORVELA_SANITIZER_FLAGS})
  add_link_options(${ORVELA_SANITIZER_FLAGS})
endif()

if(ORVELA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVELA_FUZZ needs clang (libFuzzer)")
  endif()
  # Coverage guidance for the code under test; the fuzz targets add the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
