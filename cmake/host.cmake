# Host tree: tools and native tests of portable code (sanitizers on).

set(LV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_subdirectory(/usr/src/googletest/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
# A false positive inside GoogleTest's own sources with this compiler.
target_compile_options(gtest PRIVATE -Wno-restrict)

find_package(ZLIB REQUIRED)

# A native test linked against gtest_main, built with sanitizers.
function(lv_host_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  add_test(NAME host.${name} COMMAND ${name})
endfunction()

# Portable sources compiled natively with sanitizers, for the host tests.
function(lv_host_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${LV_SANITIZE})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
endfunction()

# A host tool, built with the sanitizers into the tools folder of this tree,
# where the cross tree looks for it (lv_host_tool).
function(lv_tool name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_options(${name} PRIVATE ${LV_SANITIZE})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tools")
endfunction()

add_subdirectory(src)
add_subdirectory(tools)
add_subdirectory(tests)
