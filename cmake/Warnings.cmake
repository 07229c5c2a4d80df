function(skarnel_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wformat=2 -Wshadow -Wnon-virtual-dtor)
  if(SKARNEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The core also keeps every narrowing, sign change and cast explicit.
function(skarnel_set_core_warnings target)
  skarnel_set_warnings(${target})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion -Wold-style-cast)
  endif()
endfunction()
