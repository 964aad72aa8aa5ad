#pragma once

#include "app/bank/Pergunta.h"

#include <QString>
#include <QtGlobal>

// The questions of the level being played, in bank order: slot k (1 to QtdBancoNivel) is
// BancoNivel[k - 1]. Slots above QtdBancoNivel hold leftovers of an earlier load.
extern TPergunta BancoNivel[500];

// At most 255 questions of one level are loaded.
extern quint8 QtdBancoNivel;

// The pool slots already drawn at one level in this game: entry k (1 to Qtd) is Itens[k - 1].
struct TSorteadas {
    qint32 Qtd;
    qint32 Itens[10];
};

// Indexed by the level 1 to 4; entry 0 is unused. A new game sets every Qtd to 0.
extern TSorteadas Sorteadas[5];

// The question on screen.
extern TPergunta PerguntaAtual;

struct ResultadoCarga {
    bool ok;
    QString textoFalha; // the memo text when !ok, headed by the player's name
};

// Reads the whole bank and fills the pool with the questions of `nivel`. Fails when the bank
// cannot be opened or read, or when it holds no question of that level.
ResultadoCarga CarregarNivel(quint8 nivel, const QString& nome);

// Draws a question of the pool into PerguntaAtual, one not yet drawn at this level while there
// is one, and records the draw. Needs a loaded, non-empty pool.
void SortearPergunta(quint8 nivel);
