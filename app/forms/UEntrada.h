#pragma once

#include <QString>

// The player's name: empty when the program starts, written only by "Entrar", kept after a game.
extern QString NomeJogador;
