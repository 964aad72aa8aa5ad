# Given to the game's configure as CMAKE_PROJECT_INCLUDE by tools/bench.sh: once the game's own
# targets are all defined, the bench programs are added beside them. Any checkout of the game can be
# measured this way, one that predates the bench included, and a plain build never sees them.
get_filename_component(PELVANT_BENCH_SOURCE ${CMAKE_CURRENT_LIST_DIR} ABSOLUTE)
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${PELVANT_BENCH_SOURCE}/Programas.cmake)
