# libFuzzer targets, built with clang++ whatever compiler builds the rest, and run by ctest for
# a bounded number of inputs from a seed corpus that a program of the project writes.
#
# tumblo_fuzz_target(<name> SOURCES <files...> SEED_GENERATOR <target> RUNS <n> [LABELS <labels...>])
#   SOURCES: the fuzz entry point and every source it needs (only header-only dependencies
#            beyond them); SEED_GENERATOR: an executable that takes one folder and writes seeds.
include_guard(GLOBAL)
find_program(TUMBLO_FUZZ_CXX NAMES clang++ clang++-14)

function(tumblo_fuzz_target name)
  cmake_parse_arguments(ARG "" "SEED_GENERATOR;RUNS" "SOURCES;LABELS" ${ARGN})
  if(NOT TUMBLO_FUZZ_CXX)
    message(STATUS "clang++ not found: fuzz target ${name} not built")
    return()
  endif()
  set(sources)
  set(headers)
  foreach(source ${ARG_SOURCES})
    get_filename_component(path ${source} ABSOLUTE)
    list(APPEND sources ${path})
    get_filename_component(folder ${path} DIRECTORY)
    file(GLOB folder_headers ${folder}/*.h)
    list(APPEND headers ${folder_headers})
  endforeach()
  file(GLOB engine_headers ${PROJECT_SOURCE_DIR}/engine/*.h)
  set(binary ${CMAKE_CURRENT_BINARY_DIR}/fuzzers/${name})
  add_custom_command(
    OUTPUT ${binary}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/fuzzers
    COMMAND ${TUMBLO_FUZZ_CXX} -std=c++20 -g -O1 -Wall -Wextra -Werror
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${PROJECT_SOURCE_DIR} ${sources} -o ${binary}
    DEPENDS ${sources} ${headers} ${engine_headers}
    COMMENT "Building fuzz target ${name} with clang++"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${binary})

  set(seeds ${CMAKE_CURRENT_BINARY_DIR}/${name}_seeds)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_work)
  add_test(NAME ${name}_seeds
           COMMAND ${CMAKE_COMMAND} -DSEEDS=${seeds} -DWORK=${work} -DGENERATOR=$<TARGET_FILE:${ARG_SEED_GENERATOR}>
                   -P ${PROJECT_SOURCE_DIR}/cmake/FuzzSeeds.cmake)
  set_tests_properties(${name}_seeds PROPERTIES FIXTURES_SETUP ${name}_corpus LABELS "${ARG_LABELS}")
  add_test(NAME ${name} COMMAND ${binary} -runs=${ARG_RUNS} -seed=1 ${work} ${seeds})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${name}_corpus LABELS "${ARG_LABELS}")
endfunction()
