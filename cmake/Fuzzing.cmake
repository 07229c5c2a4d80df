# The fuzz build: clang, AddressSanitizer and UndefinedBehaviorSanitizer in everything, and
# every finding aborts so that libFuzzer stops on it. Coverage feedback is added only to the
# core and the fuzz targets (fuzz/CMakeLists.txt), so the simulator does not steer the search.
if(NOT SKARNEL_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "SKARNEL_FUZZ needs clang: configure with CXX=clang++")
endif()
if(NOT SKARNEL_SANITIZE STREQUAL "")
  message(FATAL_ERROR "SKARNEL_FUZZ brings its own sanitizers: leave SKARNEL_SANITIZE empty")
endif()
if(SKARNEL_BUILD_GUI)
  message(FATAL_ERROR "SKARNEL_FUZZ builds the core only: set SKARNEL_BUILD_GUI=OFF")
endif()
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
