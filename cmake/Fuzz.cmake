# libFuzzer targets. The main build uses g++, which has no libFuzzer, so every fuzz target is
# built by a nested clang++ project (cmake/fuzz) from the sources of the project libraries it
# needs, and run by ctest for a bounded number of inputs.

option(TUMBLO_BUILD_FUZZ "Build the libFuzzer targets with clang++ and run them briefly under ctest" ON)
find_program(TUMBLO_FUZZ_CXX NAMES clang++ clang++-14)

# clang++ without its libFuzzer runtime (a separate package) cannot link fuzz targets. Asked
# for with the tests, the fuzz targets are never left out quietly: what is missing stops the
# configuration.
if(TUMBLO_BUILD_FUZZ AND TUMBLO_BUILD_TESTS AND NOT TUMBLO_FUZZ_CXX)
  message(FATAL_ERROR "The fuzz targets need clang++ (scripts/install-deps installs it), or -DTUMBLO_BUILD_FUZZ=OFF")
endif()
if(TUMBLO_BUILD_FUZZ AND TUMBLO_FUZZ_CXX)
  execute_process(COMMAND ${TUMBLO_FUZZ_CXX} -print-file-name=libclang_rt.fuzzer-${CMAKE_SYSTEM_PROCESSOR}.a
                  OUTPUT_VARIABLE _tumblo_fuzz_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_tumblo_fuzz_runtime}" OR NOT EXISTS "${_tumblo_fuzz_runtime}")
    if(TUMBLO_BUILD_TESTS)
      message(FATAL_ERROR "${TUMBLO_FUZZ_CXX} has no libFuzzer runtime (libclang-rt-dev, scripts/install-deps), "
                          "or -DTUMBLO_BUILD_FUZZ=OFF")
    endif()
    set(TUMBLO_FUZZ_CXX "")
  endif()
endif()

# Appends the outside libraries an imported target stands for, with their include folders.
function(_tumblo_fuzz_collect_imported target libraries_var includes_var seen_var)
  set(libraries ${${libraries_var}})
  set(includes ${${includes_var}})
  set(seen ${${seen_var}})
  if(target IN_LIST seen)
    return()
  endif()
  list(APPEND seen ${target})
  foreach(property IMPORTED_LOCATION IMPORTED_LOCATION_RELEASE IMPORTED_LOCATION_NOCONFIG)
    get_target_property(location ${target} ${property})
    if(location)
      list(APPEND libraries ${location})
      break()
    endif()
  endforeach()
  get_target_property(folders ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(folders)
    list(APPEND includes ${folders})
  endif()
  get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  foreach(link ${links})
    if(TARGET ${link})
      _tumblo_fuzz_collect_imported(${link} libraries includes seen)
    elseif(link)
      list(APPEND libraries ${link})
    endif()
  endforeach()
  set(${libraries_var} ${libraries} PARENT_SCOPE)
  set(${includes_var} ${includes} PARENT_SCOPE)
  set(${seen_var} ${seen} PARENT_SCOPE)
endfunction()

# Appends to seen the targets that target links, depth first, and records the sources of each
# project library once (global property TUMBLO_FUZZ_LIB_<library>); outside libraries (imported
# targets and plain library names) go to the libraries and include lists.
function(_tumblo_fuzz_collect_libraries target seen_var libraries_var includes_var)
  set(seen ${${seen_var}})
  set(libraries ${${libraries_var}})
  set(includes ${${includes_var}})
  get_target_property(imported ${target} IMPORTED)
  if(imported)
    _tumblo_fuzz_collect_imported(${target} libraries includes seen)
  elseif(NOT target IN_LIST seen)
    list(APPEND seen ${target})
    get_property(known GLOBAL PROPERTY TUMBLO_FUZZ_LIB_${target} SET)
    if(NOT known)
      get_target_property(own ${target} SOURCES)
      get_target_property(dir ${target} SOURCE_DIR)
      set(sources "")
      foreach(source ${own})
        if(NOT IS_ABSOLUTE ${source})
          set(source ${dir}/${source})
        endif()
        list(APPEND sources ${source})
      endforeach()
      list(FILTER sources INCLUDE REGEX "\\.cpp$")
      if(sources)
        set_property(GLOBAL PROPERTY TUMBLO_FUZZ_LIB_${target} "${sources}")
        set_property(GLOBAL APPEND PROPERTY TUMBLO_FUZZ_LIBS ${target})
      endif()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link ${links})
      if(TARGET ${link})
        _tumblo_fuzz_collect_libraries(${link} seen libraries includes)
      elseif(link)
        list(APPEND libraries ${link})
      endif()
    endforeach()
  endif()
  set(${seen_var} ${seen} PARENT_SCOPE)
  set(${libraries_var} ${libraries} PARENT_SCOPE)
  set(${includes_var} ${includes} PARENT_SCOPE)
endfunction()

# tumblo_fuzz_seeds(<fixture> SOURCE <seed maker .cpp> DEPS <libraries...> [LABELS <labels...>])
# Builds a seed maker (a program of ours that writes inputs with the project's own writers into
# the folder it is given) and adds the ctest setup test <fixture>_setup that fills
# ${CMAKE_CURRENT_BINARY_DIR}/<fixture>; sets <fixture>_DIR to that folder for the caller.
function(tumblo_fuzz_seeds fixture)
  cmake_parse_arguments(ARG "" "SOURCE" "DEPS;LABELS" ${ARGN})
  add_executable(make_${fixture} ${ARG_SOURCE})
  target_include_directories(make_${fixture} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(make_${fixture} PRIVATE ${ARG_DEPS})
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${fixture})
  add_test(NAME ${fixture}_setup COMMAND make_${fixture} ${folder})
  set_tests_properties(${fixture}_setup PROPERTIES FIXTURES_SETUP ${fixture} LABELS "${ARG_LABELS}")
  set(${fixture}_DIR ${folder} PARENT_SCOPE)
endfunction()

# tumblo_fuzz_target(<name> SOURCE <fuzz source> [<program sources...>] DEPS <project libraries...>
#                    CORPUS <seed folder> [RUNS <inputs>] [FIXTURES <ctest fixtures...>] [LABELS <labels...>])
# Declares <name>, built with clang++ -fsanitize=fuzzer,address, and adds the ctest entry <name>
# that runs it over the seed corpus for RUNS inputs (default 2000) or 10 seconds, whichever ends
# first (a test run's brief look; a long search runs the target by hand), with a memory limit (a
# block of 256 MB, or 2 GB in all, fails it). New inputs found go to a scratch corpus in the
# build tree, never into the seed folder.
# Program sources given after the fuzz source are built in without their library, for readers
# whose library the nested build cannot take whole (sources built with instruction-set flags of
# their own). Every target is built by one nested project (_tumblo_fuzz_build), where each
# project library is compiled once, whatever the number of targets that link it.
function(tumblo_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS;RUNS" "SOURCE;DEPS;FIXTURES;LABELS" ${ARGN})
  if(NOT TUMBLO_BUILD_FUZZ OR NOT TUMBLO_FUZZ_CXX)
    return()
  endif()
  if(NOT ARG_RUNS)
    set(ARG_RUNS 2000)
  endif()
  set(seen "")
  set(libraries "")
  set(includes "")
  foreach(dep ${ARG_DEPS})
    _tumblo_fuzz_collect_libraries(${dep} seen libraries includes)
  endforeach()
  set(project_libraries "")
  foreach(target ${seen})
    get_property(known GLOBAL PROPERTY TUMBLO_FUZZ_LIB_${target} SET)
    if(known)
      list(APPEND project_libraries ${target})
    endif()
  endforeach()
  set(own ${ARG_SOURCE})
  list(FILTER own INCLUDE REGEX "\\.cpp$")
  list(REMOVE_DUPLICATES includes)
  set_property(GLOBAL APPEND PROPERTY TUMBLO_FUZZ_TARGETS ${name})
  set_property(GLOBAL PROPERTY TUMBLO_FUZZ_TARGET_${name}
    "set(FUZZ_${name}_SOURCES [==[${own}]==])\n"
    "set(FUZZ_${name}_OBJECTS [==[${project_libraries}]==])\n"
    "set(FUZZ_${name}_LIBRARIES [==[${libraries}]==])\n"
    "set(FUZZ_${name}_INCLUDES [==[${includes}]==])\n")

  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}_found)
  file(MAKE_DIRECTORY ${scratch})
  # An input that makes a reader ask for a huge block, or grow without end, fails the run as a
  # crash does: no reader of ours needs a block of a quarter of a gigabyte. Leaks are looked for
  # once, when the run ends (LeakSanitizer at exit), not after every input: a target whose
  # modules keep their state from one input to the next would otherwise scan the whole heap
  # after each, three quarters of its run.
  add_test(NAME ${name}
           COMMAND ${TUMBLO_FUZZ_BINARY_DIR}/${name} -runs=${ARG_RUNS} -seed=1 -max_len=65536 -max_total_time=10
                   -malloc_limit_mb=256 -rss_limit_mb=2048 -detect_leaks=0 ${scratch} ${ARG_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz;${ARG_LABELS}" FIXTURES_REQUIRED "${ARG_FIXTURES}")
endfunction()

# Writes what every declared fuzz target needs into one file and builds them all in one nested
# clang++ project; runs once, after the whole tree is configured. The file is rewritten only
# when it changes, so an unchanged tree does not configure the nested project again.
function(_tumblo_fuzz_build)
  get_property(targets GLOBAL PROPERTY TUMBLO_FUZZ_TARGETS)
  if(NOT targets)
    return()
  endif()
  get_property(libraries GLOBAL PROPERTY TUMBLO_FUZZ_LIBS)
  set(text "set(FUZZ_INCLUDE_DIR [==[${PROJECT_SOURCE_DIR}]==])\n")
  string(APPEND text "set(FUZZ_OBJECT_LIBRARIES [==[${libraries}]==])\n")
  foreach(library ${libraries})
    get_property(sources GLOBAL PROPERTY TUMBLO_FUZZ_LIB_${library})
    string(APPEND text "set(FUZZ_LIB_${library}_SOURCES [==[${sources}]==])\n")
  endforeach()
  string(APPEND text "set(FUZZ_TARGETS [==[${targets}]==])\n")
  # The nested build compiles each library's files together as the outer build does.
  if(TUMBLO_UNITY)
    list(TRANSFORM TUMBLO_UNITY_APART PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE apart)
    string(APPEND text "set(FUZZ_UNITY_APART [==[${apart}]==])\nset(CMAKE_UNITY_BUILD ON)\n")
  endif()
  foreach(target ${targets})
    get_property(lines GLOBAL PROPERTY TUMBLO_FUZZ_TARGET_${target})
    string(APPEND text ${lines})
  endforeach()
  set(file ${CMAKE_BINARY_DIR}/fuzz/targets.cmake)
  file(WRITE ${file}.new "${text}")
  configure_file(${file}.new ${file} COPYONLY)

  set(byproducts "")
  foreach(target ${targets})
    list(APPEND byproducts ${TUMBLO_FUZZ_BINARY_DIR}/${target})
  endforeach()
  include(ExternalProject)
  ExternalProject_Add(fuzz_targets
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/fuzz
    BINARY_DIR ${TUMBLO_FUZZ_BINARY_DIR}
    CMAKE_CACHE_ARGS
      -DCMAKE_CXX_COMPILER:FILEPATH=${TUMBLO_FUZZ_CXX}
      -DCMAKE_CXX_COMPILER_LAUNCHER:STRING=${CMAKE_CXX_COMPILER_LAUNCHER}
      -DCMAKE_BUILD_TYPE:STRING=RelWithDebInfo
      -DFUZZ_TARGETS_FILE:FILEPATH=${file}
    # No fixed parallelism: the nested Ninja runs as many jobs as the cores this build may use
    # (taskset and CI limits included), or CMAKE_BUILD_PARALLEL_LEVEL's, never the machine's
    # whole count on top of the outer build's own jobs.
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${TUMBLO_FUZZ_BINARY_DIR}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${byproducts}
    INSTALL_COMMAND "")
endfunction()

if(TUMBLO_BUILD_FUZZ AND TUMBLO_FUZZ_CXX)
  set(TUMBLO_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz/build)
  cmake_language(DEFER CALL _tumblo_fuzz_build)
endif()
