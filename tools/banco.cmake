# The stock question bank: written from assets/perguntas.txt by our own record code, rewritten
# whenever the source changes. The player's bank is seeded from it only where none exists, so a
# rebuild never touches the questions a player added.
add_executable(gerar-banco ${CMAKE_CURRENT_SOURCE_DIR}/gerar-banco.cpp ${CMAKE_CURRENT_SOURCE_DIR}/FontePerguntas.h)
target_include_directories(gerar-banco PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(gerar-banco PRIVATE banco)

set(BANCO_FONTE ${CMAKE_SOURCE_DIR}/assets/perguntas.txt)
set(BANCO_RESERVA ${PELVANT_RUN_DIR}/PERGUNTASBACK.TXT)
set(BANCO_JOGADOR ${PELVANT_RUN_DIR}/PERGUNTAS.TXT)

add_custom_command(OUTPUT ${BANCO_RESERVA}
  COMMAND gerar-banco ${BANCO_FONTE} ${BANCO_RESERVA}
  DEPENDS gerar-banco ${BANCO_FONTE}
  COMMENT "Writing the stock question bank"
  VERBATIM)
add_custom_target(banco_reserva ALL DEPENDS ${BANCO_RESERVA})

# No output on purpose: the check runs on every build, and copies only when the bank is missing.
add_custom_target(banco_jogador ALL
  COMMAND ${CMAKE_COMMAND} -DRESERVA=${BANCO_RESERVA} -DBANCO=${BANCO_JOGADOR}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/semear-banco.cmake
  VERBATIM)
add_dependencies(banco_jogador banco_reserva)
