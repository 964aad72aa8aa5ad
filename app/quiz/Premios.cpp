#include "app/quiz/Premios.h"

#include "toolkit/Locale.h"

#include <algorithm>

const qint32 Premios[17] = {0,      1000,   2000,   3000,   4000,   5000,   10000,  20000,  30000,
                            40000,  50000,  100000, 200000, 300000, 400000, 500000, 1000000};

quint8 Posicao = 0;
quint8 NivelAtual = 0;

quint8 NivelDaPosicao(int posicao)
{
    return quint8((posicao - 1) / 5 + 1);
}

QString FormatarValor(qint32 valor)
{
    const QString digitos = QString::number(valor < 0 ? -qint64(valor) : qint64(valor));
    const QString separador = ThousandSeparator();
    QString agrupado;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0)
            agrupado += separador;
        agrupado += digitos.at(i);
    }
    return QStringLiteral("R$ ") + (valor < 0 ? QStringLiteral("-") : QString()) + agrupado
        + QStringLiteral(",00");
}

QString ValorSeErrar()
{
    if (Posicao == 1 || Posicao == 16)
        return QStringLiteral("R$ 300,00");
    // Outside a game the position can be 0; the table is still never read outside its ends.
    const int ganho = std::clamp(int(Posicao) - 1, 0, 16);
    return FormatarValor(Premios[ganho] / 2);
}
