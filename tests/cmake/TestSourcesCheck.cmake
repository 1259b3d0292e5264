# Which sources join a test tree's program, for a clone below a folder named fuzz whose path
# also holds regular-expression characters. Run with cmake -P.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/TestSources.cmake)

set(folder "/home/pat/fuzz/c++ (copy)/tests/engine")
set(sources
  ${folder}/base/ATest.cpp
  ${folder}/gfx/decoder/TestDecoder.cpp
  ${folder}/gfx/decoderish/BTest.cpp
  ${folder}/resources/fuzz/ArchiveFuzz.cpp
  ${folder}/fuzz/TopFuzz.cpp
  ${folder}/fuzzy/CTest.cpp
  ${folder}/DTest.cpp)
set(expected
  ${folder}/base/ATest.cpp
  ${folder}/gfx/decoderish/BTest.cpp
  ${folder}/fuzzy/CTest.cpp
  ${folder}/DTest.cpp)

tumblo_test_program_sources(kept "${folder}" "${sources}" gfx/decoder)
if(NOT kept STREQUAL expected)
  string(REPLACE ";" "\n  " kept "${kept}")
  message(FATAL_ERROR "kept:\n  ${kept}")
endif()
tumblo_test_program_sources(none "${folder}" "${folder}/fuzz/OnlyFuzz.cpp")
if(none)
  message(FATAL_ERROR "a fuzz source joined the program: ${none}")
endif()
