# Cross tree: the program, its libraries and their tests, run under Wine.

set(LV_HOST_TOOLS "" CACHE PATH "Folder of the host tools built by the host tree")
set(LV_WINEPREFIX "${CMAKE_SOURCE_DIR}/build/wine" CACHE PATH "Wine prefix the tests run in")
# Its untouched copy (made by scripts/lib.sh), the source of throwaway prefixes.
set(LV_PRISTINE_PREFIX "${LV_WINEPREFIX}-pristine")

# x87 extra precision makes exact double comparisons (file times) flaky.
add_compile_options(-msse2 -mfpmath=sse)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
add_link_options(-static)

add_library(zlib_static STATIC IMPORTED)
set_target_properties(zlib_static PROPERTIES
  IMPORTED_LOCATION /usr/i686-w64-mingw32/lib/libz.a
  INTERFACE_INCLUDE_DIRECTORIES /usr/i686-w64-mingw32/include)

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

configure_file(cmake/wine-run.in "${CMAKE_BINARY_DIR}/wine-run" @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")

# A host tool built by the host tree.
function(lv_host_tool var name)
  set(${var} "${LV_HOST_TOOLS}/${name}" PARENT_SCOPE)
endfunction()

# A test executable run under Wine by ctest (one ctest entry per executable).
function(lv_win_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  add_test(NAME win.${name} COMMAND ${name})
  set_tests_properties(win.${name} PROPERTIES ENVIRONMENT "LV_OUT_DIR=${LV_OUT_DIR}")
endfunction()

# Runs a Windows test once per locale (LC_ALL, from which Wine takes the user
# locale and the ANSI code page): the first on the test's own entry, the others
# on entries named after them.
function(lv_win_test_locales name first)
  set_property(TEST win.${name} APPEND PROPERTY ENVIRONMENT LC_ALL=${first}.UTF-8)
  foreach(locale ${ARGN})
    add_test(NAME win.${name}.${locale} COMMAND ${name})
    set_tests_properties(win.${name}.${locale} PROPERTIES ENVIRONMENT "LC_ALL=${locale}.UTF-8")
  endforeach()
endfunction()

# A GUI executable with the program's link flags (wide entry point, GUI
# subsystem; -static above links libgcc, libstdc++ and winpthread in).
function(lv_gui_executable name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -municode -mwindows)
endfunction()

# A test that an executable is PE32 i386, GUI subsystem, importing only
# Windows system DLLs.
function(lv_pe_test target)
  add_test(NAME pe.${target} COMMAND bash "${CMAKE_SOURCE_DIR}/tests/build/check-pe.sh" $<TARGET_FILE:${target}>)
endfunction()

add_subdirectory(src)
add_subdirectory(assets)
add_subdirectory(app)
add_subdirectory(assets/payload)
add_subdirectory(tests)
add_subdirectory(bench)
