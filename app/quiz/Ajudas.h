#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>

// Out of ten, how often an adviser (a vote of the group) goes to the right answer outright;
// indexed by the level 1 to 3, entry 0 unused. Level 4 has no lifelines.
extern const quint8 AcertoPastores[4];
extern const quint8 AcertoIrmaos[4];

// The cards: how many wrong answers go, 0 to 3.
int SortearCartas();
QString TextoCartas(const QString& nome, int n);

// The answers the cards take away, in the order 1 to 4: the first n answers that are still
// enabled (habilitadas[k - 1] for answer k) and are not the right one.
QVector<int> RespostasAEliminar(int n, const std::array<bool, 4>& habilitadas, int correta);

// The three advisers' answers, each 1 to 4, drawn one adviser after the other.
std::array<int, 3> OpinioesPastores(int nivel, int correta);
QString TextoPastores(const QString& nome, const std::array<int, 3>& op);

// The twelve votes of the group: votos[k] for answer k = 1 to 4 (entry 0 unused), adding up to 12.
std::array<int, 5> VotosIrmaos(int nivel, int correta);
QString TextoIrmaos(const QString& nome, const std::array<int, 5>& votos);
