# Shared build rules: one library per source folder, one test program per test folder.

add_compile_options(-Wall -Wextra -Werror)
# GCC 12's optimiser reports false overflows inside libstdc++'s own vector and string code
# (GCC bugs 105329, 105651); they stay visible as warnings but do not stop the build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-Wno-error=restrict> $<$<NOT:$<CONFIG:Debug>>:-Wno-error=array-bounds>
                      $<$<NOT:$<CONFIG:Debug>>:-Wno-error=stringop-overflow>)
endif()
if(TUMBLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# tumblo_library(<target> [DEPS <targets...>])
# Builds every .cpp of the calling folder into one static library whose headers are
# included by their path from the repository root ("engine/MemoryHandles.h").
function(tumblo_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# tumblo_tests(<target> LABELS <labels...> DEPS <targets...> [FIXTURES <fixtures...>])
# Builds every .cpp of the calling test folder into one GoogleTest program, registered with
# ctest as one test under the given labels (`ctest -L engine`). One process per program keeps
# the sanitizer start-up cost low; GoogleTest's own output names the failing case. FIXTURES
# names ctest fixtures (test data made by a setup test) that the program needs.
function(tumblo_tests target)
  cmake_parse_arguments(ARG "" "" "LABELS;DEPS;FIXTURES" ${ARGN})
  find_package(GTest REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES
    LABELS "${ARG_LABELS}"
    FIXTURES_REQUIRED "${ARG_FIXTURES}"
    ENVIRONMENT "TUMBLO_HEADLESS=1;SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy"
    TIMEOUT 600)
endfunction()

# tumblo_benchmark(<target> <source> DEPS <targets...>)
function(tumblo_benchmark target source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${target} ${source})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every child folder of the calling folder that has its own CMakeLists.txt, so that a
# new module needs no edit to its parent. Target links resolve whatever the order.
function(tumblo_add_subdirectories)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT children)
  foreach(child ${children})
    get_filename_component(dir ${child} DIRECTORY)
    add_subdirectory(${dir})
  endforeach()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/Fuzz.cmake)
