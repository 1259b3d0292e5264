# Script for ctest: a fresh seed folder written by the generator, and an empty work corpus.
file(REMOVE_RECURSE ${SEEDS} ${WORK})
file(MAKE_DIRECTORY ${SEEDS} ${WORK})
execute_process(COMMAND ${GENERATOR} ${SEEDS} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "seed generator failed: ${result}")
endif()
