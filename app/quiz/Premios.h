#pragma once

#include <QString>
#include <QtGlobal>

// The amount held after k right answers, k = 0 to 16.
extern const qint32 Premios[17];

// The ladder position of the question on screen: 0 before the first question, then 1 to 16.
extern quint8 Posicao;

// The level of Posicao, 1 to 4; the questions drawn and the lifelines' odds follow it.
extern quint8 NivelAtual;

// Positions 1-5 are level 1, 6-10 level 2, 11-15 level 3, 16 level 4.
quint8 NivelDaPosicao(int posicao);

// "R$ " + the amount grouped by thousands with the user's separator + ",00".
QString FormatarValor(qint32 valor);

// What a wrong or late answer at the current position pays: a fixed consolation on the first and
// the last question, half of what was already won otherwise.
QString ValorSeErrar();
