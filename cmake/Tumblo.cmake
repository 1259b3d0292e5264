# Shared build rules: one library per source folder, one test program per subsystem test tree.

add_compile_options(-Wall -Wextra -Werror -Winvalid-pch)
# Debug information is kept compressed: a sanitizer build of every test program is several
# gigabytes of it otherwise. Static libraries are thin (they name their objects instead of
# copying them).
add_compile_options(-gz)
add_link_options(-gz)
set(CMAKE_CXX_ARCHIVE_CREATE "<CMAKE_AR> qcT <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_CXX_ARCHIVE_APPEND "<CMAKE_AR> qT <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_C_ARCHIVE_CREATE "<CMAKE_AR> qcT <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_C_ARCHIVE_APPEND "<CMAKE_AR> qT <TARGET> <LINK_FLAGS> <OBJECTS>")
# Programs link with lld (scripts/install-deps installs it): a sanitizer test program with its
# compressed debug information links several times faster than with the default ld.bfd.
find_program(TUMBLO_LLD NAMES ld.lld)
if(TUMBLO_LLD)
  add_link_options(-fuse-ld=lld)
else()
  message(STATUS "ld.lld not found: linking with the system's default linker, more slowly")
endif()
# GCC 12's optimiser reports false overflows inside libstdc++'s own vector and string code
# (GCC bugs 105329, 105651); they stay visible as warnings but do not stop the build.
# Test and benchmark code is dense with the idioms it misreads ("p" + std::to_string(n), a
# byte vector begun with a header and then appended to, a vector built from a range and
# compared); it runs under AddressSanitizer, which finds a real overflow where these warnings
# guess, so its optimised builds leave them off (tests/ and bench/ use this list).
set(TUMBLO_GCC12_FALSE_ALARMS "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-Wno-error=restrict> $<$<NOT:$<CONFIG:Debug>>:-Wno-error=array-bounds>
                      $<$<NOT:$<CONFIG:Debug>>:-Wno-error=stringop-overflow>)
  foreach(warning restrict array-bounds stringop-overflow stringop-overread free-nonheap-object)
    list(APPEND TUMBLO_GCC12_FALSE_ALARMS $<$<NOT:$<CONFIG:Debug>>:-Wno-${warning}>)
  endforeach()
endif()
if(TUMBLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TUMBLO_TSAN)
  if(TUMBLO_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot share a build with AddressSanitizer: one of TUMBLO_TSAN, TUMBLO_SANITIZE")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Unity build of the program's libraries: each folder's files are compiled together in batches,
# which halves a clean build's compile time (most of a small file's time is its headers). The
# files below keep file-local names (anonymous namespaces, statics) that a neighbour also uses,
# so they are compiled on their own, as are the mixing kernels, each compiled for its own
# instruction set around one shared header. -DTUMBLO_UNITY=OFF compiles every file on its own.
option(TUMBLO_UNITY "Compile each library folder's files together (unity build)" ON)
set(TUMBLO_UNITY_APART
  app/window/RDisplayWindowMenus.cpp
  contentgen/content/LibraryBuilder.cpp
  contentgen/lexicon/CompLexWriter.cpp
  contentgen/lexicon/PhonRules.cpp
  contentgen/lexicon/ProxRules.cpp
  contentgen/lexicon/SpecialWords.cpp
  contentgen/lexicon/TrieLexWriter.cpp
  engine/audio/MidiMap.cpp
  engine/audio/PcmMixKernelsAvx2.cpp
  engine/audio/PcmMixKernelsAvx512.cpp
  engine/audio/PcmMixKernelsSse2.cpp
  engine/audio/format/ArchiveWave.cpp
  engine/gfx/GfxPortColors.cpp
  engine/gfx/sprites/SprLayerUpdate.cpp
  engine/gfx/sprites/format/ShapeEncoder.cpp
  engine/os/OsThreads.cpp
  engine/regions/RegionUnion.cpp
  engine/resources/ResourceData.cpp
  framework/controls/RBMOBitmapScroller.cpp
  framework/controls/RTextScroller.cpp
  media/export/PageMovieExport.cpp
  media/quicktime/ImgPicturePreview.cpp
  platform/fiber/Fiber.cpp
  platform/ui/Windows.cpp
  screens/easel/REaselButtons.cpp
  screens/picker/RPickerProjects.cpp
  spell/SplTypoTree.cpp
  spell/SplVerify.cpp
  text/measure/StyleFonts.cpp
  CACHE INTERNAL "")

# Small files of pixel and byte loops that every picture shown or loaded goes through (a page's
# thumbnail, the byte order of 16-bit bitmaps, the walk of packed rows, the canvas kept in a
# page, the transitions between screens): unoptimised under the sanitizers they took a large
# share of the screen tests' and the program's start-up time, so Debug builds compile them
# optimised too, the sanitizers still on. Each is compiled apart from its folder's unity
# batch and costs its own compile: keep the list short.
set(TUMBLO_OPTIMISED_KERNELS
  document/pages/ShrinkPicture.cpp
  engine/gfx/GfxBitmap.cpp
  engine/gfx/PackedPixels.cpp
  screens/easel/CanvasPicture.cpp
  tools/effects/transitions/TransitionKernels.cpp
  CACHE INTERNAL "")

# tumblo_library(<target> [DEPS <targets...>])
# Builds every .cpp of the calling folder into one static library (an interface library for a
# folder of headers alone) whose headers are
# included by their path from the repository root ("engine/MemoryHandles.h").
function(tumblo_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    foreach(source ${sources})
      file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${source})
      if(TUMBLO_UNITY AND (path IN_LIST TUMBLO_UNITY_APART OR path IN_LIST TUMBLO_OPTIMISED_KERNELS))
        set_source_files_properties(${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
      if(path IN_LIST TUMBLO_OPTIMISED_KERNELS)
        set_source_files_properties(${source} PROPERTIES COMPILE_OPTIONS $<$<CONFIG:Debug>:-O2>)
      endif()
    endforeach()
    if(TUMBLO_UNITY)
      set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
    endif()
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    # A folder of headers alone (a seam's interface, whose choice lives in a subfolder).
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
  # Outside libraries found here are made visible everywhere, so that the fuzz targets, built
  # from another folder, can see what a library links.
  foreach(dep ${ARG_DEPS})
    if(TARGET ${dep})
      get_target_property(imported ${dep} IMPORTED)
      get_target_property(global ${dep} IMPORTED_GLOBAL)
      get_target_property(defined_in ${dep} SOURCE_DIR)
      if(imported AND NOT global AND defined_in STREQUAL CMAKE_CURRENT_SOURCE_DIR)
        set_target_properties(${dep} PROPERTIES IMPORTED_GLOBAL TRUE)
      endif()
    endif()
  endforeach()
endfunction()

# The program's own code is compiled with both sanitizers; test sources with neither. The
# sanitizers watch the program: every load and store of the libraries a test calls is checked,
# every allocation and free (the tests' own too) goes through AddressSanitizer's allocator, and
# the test programs link both runtimes for them. Instrumenting GoogleTest's expanded assertions
# as well would add half again to a test file's compile time, to look at the tests' own
# arithmetic and buffers rather than the program's. (libstdc++'s containers carry no
# sanitizer annotations unless asked, so checked and unchecked files share them safely.)
# TUMBLO_SANITIZER_RUNTIME tells the tests that the runtime's hooks are there all the same.
function(tumblo_test_sanitizers target)
  if(TUMBLO_SANITIZE)
    target_compile_options(${target} PRIVATE -fno-sanitize=all)
    target_compile_definitions(${target} PRIVATE TUMBLO_SANITIZER_RUNTIME=1)
  endif()
endfunction()

option(TUMBLO_TEST_UNITY "Compile the test files of each folder together (unity build)" ON)

# tumblo_tests(<target> LABELS <labels...> DEPS <targets...> [FIXTURES <fixtures...>]
#              [EXCLUDE <subfolders...>] [SHARDS <n>])
# Builds every .cpp below the calling test folder (its whole tree, except fuzz/ folders, which
# the nested clang++ build takes, and the EXCLUDEd subfolders) into one GoogleTest program.
# One program per subsystem tree keeps the sanitizer link steps few as the code grows; the
# program is registered with ctest as SHARDS tests (GoogleTest's own sharding), so the cases
# still spread over the cores. GoogleTest's output names the failing case, and
# --gtest_filter picks cases by suite. FIXTURES names ctest fixtures (test data made by a
# setup test) that the program needs.
function(tumblo_tests target)
  cmake_parse_arguments(ARG "" "SHARDS" "LABELS;DEPS;FIXTURES;EXCLUDE" ${ARGN})
  find_package(GTest REQUIRED)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  tumblo_test_program_sources(sources ${CMAKE_CURRENT_SOURCE_DIR} "${sources}" ${ARG_EXCLUDE})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Test programs share one precompiled GoogleTest header: a sanitizer build's header is over
  # 100 MB. It serves only programs compiled with the same macros (-Winvalid-pch refuses the
  # others), so an outside library's compile flags stay private to the platform folder that
  # uses it.
  if(NOT TARGET tumblo_test_pch)
    file(WRITE ${CMAKE_BINARY_DIR}/tumblo_test_pch.cpp "")
    add_library(tumblo_test_pch OBJECT ${CMAKE_BINARY_DIR}/tumblo_test_pch.cpp)
    target_link_libraries(tumblo_test_pch PRIVATE GTest::gtest GTest::gmock)
    target_precompile_headers(tumblo_test_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    tumblo_test_sanitizers(tumblo_test_pch)
  endif()
  target_precompile_headers(${target} REUSE_FROM tumblo_test_pch)
  tumblo_test_sanitizers(${target})
  # Unity build: the test files of one folder are compiled together, as one translation unit,
  # so that the headers they share are parsed, and their inline code compiled, once per folder
  # rather than once per file (most of a sanitizer test compile). Files of one folder share one
  # scope: the names a test file keeps to itself (its anonymous namespace, static functions,
  # file-scope `using namespace`) must not clash with a neighbour's in the same folder. A clash
  # is a compile error naming both files on the first build that adds it, never a quiet change,
  # and files never change batch when others are added elsewhere: mend it by giving the file's
  # own helpers names of their own (its subject in the name). -DTUMBLO_TEST_UNITY=OFF compiles
  # each file alone (to find an include that only a neighbour supplies).
  if(TUMBLO_TEST_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
    foreach(source ${sources})
      get_filename_component(folder ${source} DIRECTORY)
      file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${folder})
      string(MAKE_C_IDENTIFIER "${folder}" group)
      set_source_files_properties(${source} PROPERTIES UNITY_GROUP ${group})
    endforeach()
    # GCC takes a file included into the unity source for a header, where a fixture in an
    # anonymous namespace would be a fault; here each test file is its own source.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    set(name ${target})
    if(ARG_SHARDS GREATER 1)
      set(name ${target}_${shard})
    endif()
    add_test(NAME ${name} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES
      LABELS "${ARG_LABELS}"
      FIXTURES_REQUIRED "${ARG_FIXTURES}"
      ENVIRONMENT "TUMBLO_HEADLESS=1;SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}"
      TIMEOUT 600)
  endforeach()
endfunction()

# tumblo_benchmarks(DEPS <targets...>)
# Builds every *Bench.cpp of the calling folder into its own Google Benchmark program, named
# after its path below bench/: bench/engine/audio/PcmMixKernelsBench.cpp becomes
# bench_engine_audio_PcmMixKernels.
function(tumblo_benchmarks)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Bench.cpp)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/bench ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" folder "${folder}")
  foreach(source ${sources})
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "Bench$" "" stem ${stem})
    set(target bench_${folder}_${stem})
    add_executable(${target} ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
    # The test build makes them only to prove they still compile and link: without debugging
    # information or the sanitizers' checks in their own sources (their libraries keep theirs)
    # each compiles and links in a fraction of the time and disk.
    if(TUMBLO_BUILD_TESTS)
      target_compile_options(${target} PRIVATE -g0 -fno-sanitize=all)
      target_link_options(${target} PRIVATE -Wl,--strip-debug)
    endif()
  endforeach()
endfunction()

# tumblo_module(<name> [DEPS <targets...>])
# Builds every .cpp of the calling folder into the loadable module lib<name>.so, placed in the
# program folder, where the program looks for it at run time. Only the symbols the sources
# mark visible are exported; the libraries it links must be built position-independent.
function(tumblo_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} MODULE ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  set(folder ${TUMBLO_PROGRAM_DIR})
  if(NOT folder)
    set(folder ${CMAKE_BINARY_DIR}/program)
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "lib" LIBRARY_OUTPUT_DIRECTORY ${folder}
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
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

include(${CMAKE_CURRENT_LIST_DIR}/TestSources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Fuzz.cmake)
