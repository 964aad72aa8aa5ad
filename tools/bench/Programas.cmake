# The benchmark's programs (tools/bench.sh), defined beside the game's own targets by Incluir.cmake
# and built only when the bench asks for them. They link the game's libraries of the tree being
# configured, so one set of bench programs measures any checkout of the game.
set(BENCH ${PELVANT_BENCH_SOURCE})

# Runs commands as whole processes, interleaved, and reports medians of wall time and peak memory.
add_executable(bench_medir ${BENCH}/Medir.cpp)

# An empty Qt Widgets window of the start window's size: the reference of the start-up figure.
add_executable(bench_janela_vazia ${BENCH}/JanelaVazia.cpp ${BENCH}/PrimeiroDesenho.h)
target_link_libraries(bench_janela_vazia PRIVATE Qt6::Widgets)

# The game's start-up, ended once the start window has been painted.
add_executable(bench_inicio ${BENCH}/Inicio.cpp ${BENCH}/PrimeiroDesenho.h)
target_link_libraries(bench_inicio PRIVATE forms)

# One whole game played by the program, for its peak memory.
add_executable(bench_jogo ${BENCH}/Jogo.cpp)
target_link_libraries(bench_jogo PRIVATE forms Qt6::Test)

# Presenting questions in the quiz window, timed in the process.
add_executable(bench_pergunta ${BENCH}/Pergunta.cpp)
target_link_libraries(bench_pergunta PRIVATE forms)

# The level load of a large bank against a bare read loop.
add_executable(bench_carga ${BENCH}/Carga.cpp)
target_link_libraries(bench_carga PRIVATE quiz banco)

set_target_properties(bench_medir bench_janela_vazia bench_inicio bench_jogo bench_pergunta bench_carga
  PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_include_directories(bench_inicio PRIVATE ${BENCH})
target_include_directories(bench_janela_vazia PRIVATE ${BENCH})
