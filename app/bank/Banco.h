#pragma once

#include "app/bank/Pergunta.h"

#include <QString>

// The player's question bank and the stock copy it is restored from, in the working directory.
inline const QString ArquivoBanco = QStringLiteral("PERGUNTAS.TXT");
inline const QString ArquivoReserva = QStringLiteral("PERGUNTASBACK.TXT");
constexpr int TamanhoPergunta = 842;
static_assert(TamanhoPergunta == sizeof(TPergunta));

// Appends one question at the end of the bank, creating the bank when it cannot be opened. A
// trailing partial record is written over. Returns whether the record reached the bank: the open
// (or create), the seek, the write and the close all succeeded. When the end of the bank cannot be
// found nothing is written, so a record is never put over another; when the record cannot be
// written whole, the bank is put back byte for byte as it was, and one that did not exist before
// is removed again.
bool GravarPergunta(const TPergunta& p);
