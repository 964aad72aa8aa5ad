# cmake -DRESERVA=<stock bank> -DBANCO=<player's bank> -P semear-banco.cmake
# Gives the run folder a player's bank when it has none; an existing one is never replaced.
if(NOT EXISTS "${BANCO}" AND NOT IS_SYMLINK "${BANCO}")
  file(COPY_FILE "${RESERVA}" "${BANCO}")
  message(STATUS "Question bank seeded from the stock copy: ${BANCO}")
endif()
