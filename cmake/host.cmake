# Host tree: tools and native tests of portable code (sanitizers on).

set(LV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_subdirectory(/usr/src/googletest/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

find_package(ZLIB REQUIRED)

# A native test linked against gtest_main, built with sanitizers.
function(lv_host_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  add_test(NAME host.${name} COMMAND ${name})
endfunction()

# Portable sources compiled natively with sanitizers, for the host tests.
function(lv_host_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${LV_SANITIZE})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
endfunction()

add_subdirectory(src)
add_subdirectory(tools)
add_subdirectory(tests)
