#pragma once

#include "app/bank/Pergunta.h"
#include "app/bank/RecordFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

// A fresh, empty working directory for one test; the previous one comes back afterwards.
class PastaTemporaria {
public:
    PastaTemporaria() : anterior_(QDir::currentPath())
    {
        EXPECT_TRUE(pasta_.isValid());
        pronta_ = pasta_.isValid() && QDir::setCurrent(pasta_.path());
        EXPECT_TRUE(pronta_);
    }
    ~PastaTemporaria() { QDir::setCurrent(anterior_); }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    // False when the folder could not be made or entered: a test asserts it before writing, so
    // nothing lands in the folder it was started from.
    bool Pronta() const { return pronta_; }

private:
    QTemporaryDir pasta_;
    QString anterior_;
    bool pronta_ = false;
};

// True when anything bears the name, a dangling link included.
inline bool Existe(const QString& nome)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(nome).constData(), &st) == 0;
}

inline void Permissoes(const QString& nome, mode_t modo)
{
    ASSERT_EQ(::chmod(QFile::encodeName(nome).constData(), modo), 0);
}

inline QByteArray LerArquivo(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The permission bits are set whatever the umask, so every run starts from the same file.
inline void EscreverArquivo(const QString& nome, const QByteArray& bytes, mode_t modo = 0644)
{
    QFile f(nome);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    Permissoes(nome, modo);
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
