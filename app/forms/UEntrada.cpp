#include "UEntrada.h"

QString NomeJogador;
