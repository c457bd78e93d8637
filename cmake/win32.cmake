# Cross tree: the program, its libraries and their tests, run under Wine.
# Built for i686 (the shipped program) or x86_64 (its twin for machines that
# cannot run 32-bit code), chosen by the toolchain file.

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(LV_TRIPLE x86_64-w64-mingw32)
  set(LV_WIDTH 64)
  set(LV_MANIFEST_ARCH amd64)
  set(LV_PE_FORMAT pei-x86-64)
  set(LV_WIN win64)
  set(LV_PE pe64)
else()
  set(LV_TRIPLE i686-w64-mingw32)
  set(LV_WIDTH 32)
  set(LV_MANIFEST_ARCH x86)
  set(LV_PE_FORMAT pei-i386)
  set(LV_WIN win32)
  set(LV_PE pe32)
  # x87 extra precision makes exact double comparisons (file times) flaky.
  add_compile_options(-msse2 -mfpmath=sse)
endif()
# Test names begin with the width (win32.*, win64.*, pe32.*, pe64.*), so one
# ctest run over all trees can tell them apart.

set(LV_HOST_TOOLS "" CACHE PATH "Folder of the host tools built by the host tree")
set(LV_WINEPREFIX "${CMAKE_SOURCE_DIR}/build/wine" CACHE PATH "Wine prefix the tests run in")
# Its untouched copy (made by scripts/lib.sh), the source of throwaway prefixes.
set(LV_PRISTINE_PREFIX "${LV_WINEPREFIX}-pristine")

add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
add_link_options(-static)
# Built for size: none of our code is hot (zlib, which inflates the payload,
# comes prebuilt and optimised), and setup.exe travels as one download. One
# section per function and datum lets the linker drop what nothing reaches.
# The tests link the same libraries, so they share these flags and one build.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-Os> $<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-fdata-sections>)
add_link_options(-Wl,--gc-sections)

add_library(zlib_static STATIC IMPORTED)
set_target_properties(zlib_static PROPERTIES
  IMPORTED_LOCATION /usr/${LV_TRIPLE}/lib/libz.a
  INTERFACE_INCLUDE_DIRECTORIES /usr/${LV_TRIPLE}/include)

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

configure_file(cmake/wine-run.in "${CMAKE_BINARY_DIR}/wine-run" @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")

# A host tool built by the host tree.
function(lv_host_tool var name)
  set(${var} "${LV_HOST_TOOLS}/${name}" PARENT_SCOPE)
endfunction()

# A test executable run under Wine by ctest (one ctest entry per executable);
# IN_PREFIX_COPY runs it in a throwaway copy of the prefix.
function(lv_win_test name)
  cmake_parse_arguments(T "IN_PREFIX_COPY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  if(T_IN_PREFIX_COPY)
    lv_prefix_copy_test(${LV_WIN}.${name} ${name})
  else()
    add_test(NAME ${LV_WIN}.${name} COMMAND ${name})
    set_tests_properties(${LV_WIN}.${name} PROPERTIES ENVIRONMENT "LV_OUT_DIR=${LV_OUT_DIR}")
  endif()
endfunction()

# A ctest entry that runs the executable in a throwaway copy of the pristine
# prefix, for tests that change what the setup owns or that need the prefix
# changed first; the rest of the arguments are its environment (see
# tests/support/run-in-prefix-copy.sh for the LV_PREFIX_* settings).
function(lv_prefix_copy_test test target)
  add_test(NAME ${test}
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/support/run-in-prefix-copy.sh" "${LV_PRISTINE_PREFIX}"
            $<TARGET_FILE:${target}>)
  set(env "LV_OUT_DIR=${LV_OUT_DIR}" ${ARGN})
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${env}")
endfunction()

# The executable again at other looks, each in a prefix copy: dpiN (a screen
# of N pixels per inch, checked through LV_EXPECT_DPI), unthemed (no visual
# style), or both (dpi144_unthemed). Extra environment follows ENV.
function(lv_look_variants target)
  cmake_parse_arguments(V "" "" "LOOKS;ENV" ${ARGN})
  foreach(look ${V_LOOKS})
    set(env ${V_ENV})
    if(look MATCHES "dpi([0-9]+)")
      list(APPEND env "LV_PREFIX_DPI=${CMAKE_MATCH_1}" "LV_EXPECT_DPI=${CMAKE_MATCH_1}")
    endif()
    if(look MATCHES "unthemed")
      list(APPEND env "LV_PREFIX_UNTHEMED=1")
    endif()
    lv_prefix_copy_test(${LV_WIN}.${target}.${look} ${target} ${env})
  endforeach()
endfunction()

# Runs a Windows test once per locale (LC_ALL, from which Wine takes the user
# locale and the ANSI code page): the first on the test's own entry, the others
# on entries named after them.
function(lv_win_test_locales name first)
  set_property(TEST ${LV_WIN}.${name} APPEND PROPERTY ENVIRONMENT LC_ALL=${first}.UTF-8)
  foreach(locale ${ARGN})
    add_test(NAME ${LV_WIN}.${name}.${locale} COMMAND ${name})
    set_tests_properties(${LV_WIN}.${name}.${locale} PROPERTIES ENVIRONMENT "LC_ALL=${locale}.UTF-8")
  endforeach()
endfunction()

# Where 32-bit code runs only under the user-mode emulator, a smoke of the
# 32-bit tree (smoke32.*) runs a few tests of an executable in the 64-bit
# prefix (IN_PREFIX_COPY: in a throwaway copy of it), judged by GoogleTest's
# result line. Elsewhere the full suite covers
# them and scripts/test leaves the smoke out.
set(LV_SMOKE_PREFIX "${CMAKE_SOURCE_DIR}/build/wine64" CACHE PATH "64-bit Wine prefix the 32-bit smoke runs in")
function(lv_smoke_test name filter)
  cmake_parse_arguments(S "IN_PREFIX_COPY" "" "" ${ARGN})
  if(LV_WIN STREQUAL "win32")
    set(prefix "${LV_SMOKE_PREFIX}")
    set(env "LV_OUT_DIR=${LV_OUT_DIR}")
    if(S_IN_PREFIX_COPY)
      set(prefix "${LV_SMOKE_PREFIX}-pristine")
      list(APPEND env "LV_JUDGED_IN_COPY=1")
    endif()
    add_test(NAME smoke32.${name}
      COMMAND bash "${CMAKE_SOURCE_DIR}/tests/support/run-judged-by-result.sh" "${prefix}"
              $<TARGET_FILE:${name}> --gtest_filter=${filter})
    # Room for a second attempt (see the script).
    set_tests_properties(smoke32.${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
  endif()
endfunction()

# A GUI executable with the program's link flags (wide entry point, GUI
# subsystem; -static above links libgcc, libstdc++ and winpthread in).
function(lv_gui_executable name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -municode -mwindows)
endfunction()

# A test that an executable is a PE image of this tree's width (PE32 i386 or
# PE32+ x86-64), GUI subsystem, importing only Windows system DLLs.
function(lv_pe_test target)
  add_test(NAME ${LV_PE}.${target}
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/build/check-pe.sh" ${LV_PE_FORMAT} $<TARGET_FILE:${target}>)
endfunction()

add_subdirectory(src)
add_subdirectory(assets)
add_subdirectory(app)
add_subdirectory(assets/payload)
add_subdirectory(tests)
add_subdirectory(bench)
