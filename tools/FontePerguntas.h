#pragma once

// The text source of the stock question bank: UTF-8, one question a line,
//   nivel | correta | pergunta | resposta1 | resposta2 | resposta3 | resposta4
// fields trimmed of surrounding blanks; blank lines and lines starting with "#" are skipped.
// Every question must fit what the game's editor would accept, so the stock bank never holds a
// question a player could not have typed.

#include "app/bank/Pergunta.h"
#include "app/bank/RecordFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QVector>

struct FontePerguntas {
    QVector<TPergunta> perguntas;
    int linhaComErro = 0; // 0 when the whole source is good
    QString erro;
};

constexpr int MaximoPergunta = 255;
constexpr int MaximoResposta = 30;

inline bool LerNumeroDe1a4(const QString& campo, quint8& valor)
{
    bool ok = false;
    const int numero = campo.toInt(&ok);
    if (!ok || numero < 1 || numero > 4)
        return false;
    valor = quint8(numero);
    return true;
}

// Parses the whole source; stops at the first line that breaks a rule.
inline FontePerguntas LerFontePerguntas(const QByteArray& fonte)
{
    FontePerguntas resultado;
    auto falha = [&resultado](int linha, const QString& motivo) {
        resultado.perguntas.clear();
        resultado.linhaComErro = linha;
        resultado.erro = motivo;
        return resultado;
    };

    const QList<QByteArray> linhas = fonte.split('\n');
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const int numeroLinha = int(i) + 1;
        QByteArray bruta = linhas.at(i);
        if (i == 0 && bruta.startsWith("\xEF\xBB\xBF"))
            bruta.remove(0, 3);
        if (bruta.endsWith('\r'))
            bruta.chop(1);

        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString linha = utf8.decode(bruta);
        if (utf8.hasError())
            return falha(numeroLinha, QStringLiteral("texto que não é UTF-8 válido"));

        const QString limpa = linha.trimmed();
        if (limpa.isEmpty() || limpa.startsWith(u'#'))
            continue;

        QStringList campos = limpa.split(u'|');
        if (campos.size() != 7)
            return falha(numeroLinha,
                         QStringLiteral("esperados 7 campos separados por \"|\", encontrados %1")
                             .arg(campos.size()));
        for (QString& campo : campos)
            campo = campo.trimmed();

        TPergunta p{};
        if (!LerNumeroDe1a4(campos[0], p.Nivel))
            return falha(numeroLinha,
                         QStringLiteral("nível \"%1\" fora de 1 a 4").arg(campos[0]));
        if (!LerNumeroDe1a4(campos[1], p.Correta))
            return falha(numeroLinha,
                         QStringLiteral("resposta certa \"%1\" fora de 1 a 4").arg(campos[1]));

        const QString& pergunta = campos[2];
        if (pergunta.isEmpty())
            return falha(numeroLinha, QStringLiteral("pergunta vazia"));
        if (pergunta.size() > MaximoPergunta)
            return falha(numeroLinha,
                         QStringLiteral("pergunta com %1 unidades UTF-16, o máximo é %2")
                             .arg(pergunta.size())
                             .arg(MaximoPergunta));
        for (int r = 1; r <= 4; ++r) {
            const QString& resposta = campos[2 + r];
            if (resposta.isEmpty())
                return falha(numeroLinha, QStringLiteral("resposta %1 vazia").arg(r));
            if (resposta.size() > MaximoResposta)
                return falha(numeroLinha,
                             QStringLiteral("resposta %1 com %2 unidades UTF-16, o máximo é %3")
                                 .arg(r)
                                 .arg(resposta.size())
                                 .arg(MaximoResposta));
        }

        CopyToFixedField(p.Pergunta, 256, pergunta);
        CopyToFixedField(p.Resposta1, 41, campos[3]);
        CopyToFixedField(p.Resposta2, 41, campos[4]);
        CopyToFixedField(p.Resposta3, 41, campos[5]);
        CopyToFixedField(p.Resposta4, 41, campos[6]);
        resultado.perguntas.append(p);
    }
    return resultado;
}

// "perguntas.txt:12: pergunta vazia"
inline QString MensagemDeErro(const QString& nomeFonte, const FontePerguntas& resultado)
{
    return QStringLiteral("%1:%2: %3").arg(nomeFonte).arg(resultado.linhaComErro).arg(resultado.erro);
}
