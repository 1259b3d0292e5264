# libFuzzer targets. The main build uses g++, which has no libFuzzer, so every fuzz target is
# built by a nested clang++ project (cmake/fuzz) from the sources of the project libraries it
# needs, and run by ctest for a bounded number of inputs.

option(TUMBLO_BUILD_FUZZ "Build the libFuzzer targets with clang++ and run them briefly under ctest" ON)
find_program(TUMBLO_FUZZ_CXX NAMES clang++ clang++-14)

# clang++ without its libFuzzer runtime (a separate package) cannot link fuzz targets.
if(TUMBLO_BUILD_FUZZ AND TUMBLO_FUZZ_CXX)
  execute_process(COMMAND ${TUMBLO_FUZZ_CXX} -print-file-name=libclang_rt.fuzzer-${CMAKE_SYSTEM_PROCESSOR}.a
                  OUTPUT_VARIABLE _tumblo_fuzz_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_tumblo_fuzz_runtime}" OR NOT EXISTS "${_tumblo_fuzz_runtime}")
    message(STATUS "Fuzz targets off: ${TUMBLO_FUZZ_CXX} has no libFuzzer runtime")
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

# Appends the sources of target and of every project library it links, depth first; outside
# libraries (imported targets and plain library names) go to the libraries and include lists.
function(_tumblo_fuzz_collect_sources target sources_var seen_var libraries_var includes_var)
  set(sources ${${sources_var}})
  set(seen ${${seen_var}})
  set(libraries ${${libraries_var}})
  set(includes ${${includes_var}})
  get_target_property(imported ${target} IMPORTED)
  if(imported)
    _tumblo_fuzz_collect_imported(${target} libraries includes seen)
  elseif(NOT target IN_LIST seen)
    list(APPEND seen ${target})
    get_target_property(own ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source ${own})
      if(NOT IS_ABSOLUTE ${source})
        set(source ${dir}/${source})
      endif()
      list(APPEND sources ${source})
    endforeach()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link ${links})
      if(TARGET ${link})
        _tumblo_fuzz_collect_sources(${link} sources seen libraries includes)
      elseif(link)
        list(APPEND libraries ${link})
      endif()
    endforeach()
  endif()
  set(${sources_var} ${sources} PARENT_SCOPE)
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
# Builds <name> with clang++ -fsanitize=fuzzer,address and adds the ctest entry <name> that
# runs it over the seed corpus for RUNS inputs (default 2000). New inputs found go to a
# scratch corpus in the build tree, never into the seed folder. Program sources given after the
# fuzz source are built in without their library, for readers whose library the nested build
# cannot take whole (sources built with instruction-set flags of their own).
function(tumblo_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS;RUNS" "SOURCE;DEPS;FIXTURES;LABELS" ${ARGN})
  if(NOT TUMBLO_BUILD_FUZZ OR NOT TUMBLO_FUZZ_CXX)
    return()
  endif()
  if(NOT ARG_RUNS)
    set(ARG_RUNS 2000)
  endif()
  set(sources ${ARG_SOURCE})
  set(seen "")
  set(libraries "")
  set(includes "")
  foreach(dep ${ARG_DEPS})
    _tumblo_fuzz_collect_sources(${dep} sources seen libraries includes)
  endforeach()
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(REMOVE_DUPLICATES includes)

  include(ExternalProject)
  set(binary_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_build)
  set(executable ${binary_dir}/${name})
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/fuzz
    BINARY_DIR ${binary_dir}
    CMAKE_CACHE_ARGS
      -DCMAKE_CXX_COMPILER:FILEPATH=${TUMBLO_FUZZ_CXX}
      -DCMAKE_CXX_COMPILER_LAUNCHER:STRING=${CMAKE_CXX_COMPILER_LAUNCHER}
      -DCMAKE_BUILD_TYPE:STRING=RelWithDebInfo
      -DFUZZ_NAME:STRING=${name}
      -DFUZZ_SOURCES:STRING=${sources}
      -DFUZZ_INCLUDE_DIR:PATH=${PROJECT_SOURCE_DIR}
      -DFUZZ_LIBRARIES:STRING=${libraries}
      -DFUZZ_SYSTEM_INCLUDES:STRING=${includes}
    # The nested build is one job of the outer one; keep its own parallelism small.
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${binary_dir} --parallel 2
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${executable}
    INSTALL_COMMAND "")

  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}_found)
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME ${name}
           COMMAND ${executable} -runs=${ARG_RUNS} -seed=1 -max_len=65536 -max_total_time=60
                   ${scratch} ${ARG_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz;${ARG_LABELS}" FIXTURES_REQUIRED "${ARG_FIXTURES}")
endfunction()
