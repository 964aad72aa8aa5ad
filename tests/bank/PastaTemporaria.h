#pragma once

#include "app/bank/Pergunta.h"
#include "app/bank/RecordFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

// A fresh, empty working directory for one test; the previous one comes back afterwards.
class PastaTemporaria {
public:
    PastaTemporaria() : anterior_(QDir::currentPath())
    {
        EXPECT_TRUE(pasta_.isValid());
        EXPECT_TRUE(QDir::setCurrent(pasta_.path()));
    }
    ~PastaTemporaria() { QDir::setCurrent(anterior_); }

private:
    QTemporaryDir pasta_;
    QString anterior_;
};

inline QByteArray LerArquivo(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void EscreverArquivo(const QString& nome, const QByteArray& bytes)
{
    QFile f(nome);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline TPergunta NovaPergunta(const QString& texto, quint8 nivel, quint8 correta = 1)
{
    TPergunta p{};
    CopyToFixedField(p.Pergunta, 256, texto);
    CopyToFixedField(p.Resposta1, 41, QStringLiteral("um"));
    CopyToFixedField(p.Resposta2, 41, QStringLiteral("dois"));
    CopyToFixedField(p.Resposta3, 41, QStringLiteral("três"));
    CopyToFixedField(p.Resposta4, 41, QStringLiteral("quatro"));
    p.Correta = correta;
    p.Nivel = nivel;
    return p;
}

inline QByteArray BytesDe(const TPergunta& p)
{
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}
