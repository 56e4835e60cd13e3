# Warnings are errors in every build.
function(korv_warnings target)
  if(MSVC)
    set(flags /W4 /WX /permissive-)
  else()
    set(flags -Wall -Wextra -Wpedantic -Wshadow
      -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual
      -Wconversion -Wsign-conversion -Wnull-dereference -Wdouble-promotion -Wformat=2
      -Werror)
  endif()
  # C++ only: the resource compiler takes none of these.
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
endfunction()
