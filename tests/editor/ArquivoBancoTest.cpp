#include "app/bank/ArquivoBanco.h"
#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "LimiteDeTamanho.h"
#include "bank/PastaTemporaria.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each test runs in an empty folder of its own, made the working directory.
class ArquivoBancoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pasta_.Pronta()); }

    // A file that cannot be opened reads as a text no test writes, so a missing bank never passes
    // for an empty one.
    static QByteArray Ler(const QString& nome)
    {
        QFile f(nome);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<não abriu>");
    }
    static mode_t Modo(const QString& nome)
    {
        struct stat st{};
        EXPECT_EQ(::lstat(QFile::encodeName(nome).constData(), &st), 0);
        return st.st_mode & 0777;
    }
    static void Link(const char* alvo, const char* nome) { ASSERT_EQ(::symlink(alvo, nome), 0); }
    // Everything in the folder, hidden names included: no temporary copy may be left behind.
    static QStringList Conteudo()
    {
        return QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }

    static TPergunta Pergunta(const QString& texto, quint8 nivel)
    {
        TPergunta p{};
        CopyToFixedField(p.Pergunta, 256, texto);
        CopyToFixedField(p.Resposta1, 41, QStringLiteral("a"));
        CopyToFixedField(p.Resposta2, 41, QStringLiteral("b"));
        CopyToFixedField(p.Resposta3, 41, QStringLiteral("c"));
        CopyToFixedField(p.Resposta4, 41, QStringLiteral("d"));
        p.Correta = 2;
        p.Nivel = nivel;
        return p;
    }

    const QByteArray stock_ = QByteArray(3 * 842, '\x5a') + QByteArray("fim");

private:
    PastaTemporaria pasta_;
};

TEST_F(ArquivoBancoTest, VerifiedAppendCreatesTheBankAndWritesOverAPartialRecord)
{
    ASSERT_TRUE(GravarPergunta(Pergunta(QStringLiteral("primeira"), 1)));
    ASSERT_EQ(Ler(ArquivoBanco).size(), 842);

    // Two whole records and a broken tail: the next one lands over the tail.
    EscreverArquivo(ArquivoBanco, Ler(ArquivoBanco) + Ler(ArquivoBanco) + QByteArray(100, '\x7f'));
    ASSERT_TRUE(GravarPergunta(Pergunta(QStringLiteral("terceira"), 3)));
    const QByteArray banco = Ler(ArquivoBanco);
    ASSERT_EQ(banco.size(), 3 * 842);

    TPergunta lida;
    std::memcpy(&lida, banco.constData() + 2 * 842, 842);
    EXPECT_EQ(TextFromFixedField(lida.Pergunta, 256), QStringLiteral("terceira"));
    EXPECT_EQ(lida.Nivel, 3);
    EXPECT_EQ(lida.Correta, 2);
}

TEST_F(ArquivoBancoTest, VerifiedAppendZeroesWhatFollowsEachText)
{
    TPergunta p = Pergunta(QStringLiteral("curta"), 1);
    std::fill(std::begin(p.Resposta4) + 2, std::end(p.Resposta4), u'X');
    ASSERT_TRUE(GravarPergunta(p));
    TPergunta lida;
    std::memcpy(&lida, Ler(ArquivoBanco).constData(), 842);
    EXPECT_TRUE(std::all_of(std::begin(lida.Resposta4) + 1, std::end(lida.Resposta4), [](char16_t u) { return u == 0; }));
}

TEST_F(ArquivoBancoTest, VerifiedAppendReportsABankItCannotWrite)
{
    EscreverArquivo(ArquivoBanco, stock_, 0444);
    EXPECT_FALSE(GravarPergunta(Pergunta(QStringLiteral("x"), 1)));
    EXPECT_EQ(Ler(ArquivoBanco), stock_);

    ASSERT_EQ(::unlink("PERGUNTAS.TXT"), 0);
    ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco));
    EXPECT_FALSE(GravarPergunta(Pergunta(QStringLiteral("x"), 1)));
    EXPECT_EQ(Conteudo(), QStringList{ArquivoBanco});
}

// A record that cannot be written whole is taken out again: the bank is left byte for byte as it
// was, a partial record at its end included, and a bank that did not exist is not left behind.
TEST_F(ArquivoBancoTest, AppendThatCannotGrowTheBankLeavesItAsItWas)
{
    const QByteArray doisRegistros = stock_.left(2 * 842);
    const struct {
        const char* nome;
        QByteArray banco; // empty: no bank at all
        qint64 folga;     // the limit, in bytes past the bank's size
    } casos[] = {
        {"limit at the bank's size", doisRegistros, 0},
        {"limit inside the new record", doisRegistros, 10},
        {"partial record overwritten up to the limit", doisRegistros + QByteArray(100, '\x7f'), 0},
        {"partial record overwritten past the limit", doisRegistros + QByteArray(100, '\x7f'), 10},
        {"no bank, limit inside the first record", QByteArray(), 100},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        if (!caso.banco.isEmpty())
            EscreverArquivo(ArquivoBanco, caso.banco);
        {
            LimiteDeTamanho limite(caso.banco.size() + caso.folga);
            EXPECT_FALSE(GravarPergunta(Pergunta(QStringLiteral("nova"), 1)));
        }
        if (caso.banco.isEmpty()) {
            EXPECT_FALSE(Existe(ArquivoBanco));
        } else {
            EXPECT_EQ(Ler(ArquivoBanco), caso.banco);
        }
        // With room again, the same append goes in after the last whole record.
        ASSERT_TRUE(GravarPergunta(Pergunta(QStringLiteral("nova"), 1)));
        EXPECT_EQ(Ler(ArquivoBanco).size(), caso.banco.size() / 842 * 842 + 842);
        ASSERT_TRUE(QFile::remove(ArquivoBanco));
    }
}

// What delete does to each kind of thing that can bear the bank's name.
TEST_F(ArquivoBancoTest, DeleteRemovesFilesAndLinksButNotFoldersOrReadOnlyBanks)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        bool removido;
    };
    const std::vector<Caso> casos = {
        {"arquivo", [&] { EscreverArquivo(ArquivoBanco, stock_); }, true},
        {"arquivo vazio", [&] { EscreverArquivo(ArquivoBanco, {}); }, true},
        {"nada", [] {}, false},
        {"somente leitura", [&] { EscreverArquivo(ArquivoBanco, stock_, 0444); }, false},
        {"leitura para o dono, escrita para ninguem", [&] { EscreverArquivo(ArquivoBanco, stock_, 0400); }, false},
        {"pasta", [] { ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco)); }, false},
        {"link para arquivo", [&] { EscreverArquivo("alvo", stock_); Link("alvo", "PERGUNTAS.TXT"); }, true},
        {"link para arquivo somente leitura", [&] { EscreverArquivo("alvo", stock_, 0444); Link("alvo", "PERGUNTAS.TXT"); }, true},
        {"link para pasta", [] { ASSERT_TRUE(QDir::current().mkdir("alvo")); Link("alvo", "PERGUNTAS.TXT"); }, true},
        {"link quebrado", [] { Link("alvo", "PERGUNTAS.TXT"); }, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        PastaTemporaria pasta;
        ASSERT_TRUE(pasta.Pronta());
        caso.preparar();
        const bool existia = Existe(ArquivoBanco);
        const QByteArray alvoAntes = Existe("alvo") ? Ler("alvo") : QByteArray();

        EXPECT_EQ(ExcluirBanco(), caso.removido);
        EXPECT_EQ(Existe(ArquivoBanco), existia && !caso.removido);
        if (Existe("alvo") && QFileInfo("alvo").isFile()) {
            EXPECT_EQ(Ler("alvo"), alvoAntes) << "the link's target keeps its content";
        }
        if (!caso.removido && QFileInfo(ArquivoBanco).isFile()) {
            EXPECT_EQ(Ler(ArquivoBanco), stock_);
        }
    }
}

TEST_F(ArquivoBancoTest, ASecondDeleteFails)
{
    EscreverArquivo(ArquivoBanco, stock_);
    EXPECT_TRUE(ExcluirBanco());
    EXPECT_FALSE(ExcluirBanco());
}

TEST_F(ArquivoBancoTest, BankExistsOnlyAsAFileOrALinkToOne)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        bool existe;
    };
    const std::vector<Caso> casos = {
        {"nada", [] {}, false},
        {"arquivo", [&] { EscreverArquivo(ArquivoBanco, stock_); }, true},
        {"arquivo somente leitura", [&] { EscreverArquivo(ArquivoBanco, stock_, 0444); }, true},
        {"pasta", [] { ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco)); }, false},
        {"link para arquivo", [&] { EscreverArquivo("alvo", stock_); Link("alvo", "PERGUNTAS.TXT"); }, true},
        {"link para pasta", [] { ASSERT_TRUE(QDir::current().mkdir("alvo")); Link("alvo", "PERGUNTAS.TXT"); }, false},
        {"link quebrado", [] { Link("alvo", "PERGUNTAS.TXT"); }, false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        PastaTemporaria pasta;
        ASSERT_TRUE(pasta.Pronta());
        caso.preparar();
        EXPECT_EQ(ExisteBanco(), caso.existe);
    }
}

TEST_F(ArquivoBancoTest, RestoreCopiesTheStockBankByteForByteWithItsPermissions)
{
    for (mode_t modo : {mode_t(0644), mode_t(0600), mode_t(0444)}) {
        SCOPED_TRACE(modo);
        PastaTemporaria pasta;
        ASSERT_TRUE(pasta.Pronta());
        EscreverArquivo(ArquivoReserva, stock_, modo);

        ASSERT_TRUE(RestaurarBanco());
        EXPECT_EQ(Ler(ArquivoBanco), stock_);
        EXPECT_EQ(Modo(ArquivoBanco), modo);
        EXPECT_EQ(Ler(ArquivoReserva), stock_);
        EXPECT_EQ(Conteudo(), (QStringList{ArquivoBanco, ArquivoReserva}));
    }
}

TEST_F(ArquivoBancoTest, RestoreOfAnEmptyStockBankGivesAnEmptyBank)
{
    EscreverArquivo(ArquivoReserva, {});
    ASSERT_TRUE(RestaurarBanco());
    EXPECT_TRUE(Existe(ArquivoBanco));
    EXPECT_EQ(Ler(ArquivoBanco), QByteArray());
}

// Restore never replaces anything that bears the bank's name, and leaves nothing of its own behind.
TEST_F(ArquivoBancoTest, RestoreFailsAndChangesNothingWhenItCannotCopy)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
    };
    const std::vector<Caso> casos = {
        {"sem copia de reserva", [] {}},
        {"reserva e uma pasta", [] { ASSERT_TRUE(QDir::current().mkdir(ArquivoReserva)); }},
        {"reserva e um link quebrado", [] { Link("sumiu", "PERGUNTASBACK.TXT"); }},
        {"reserva e um fifo", [] { ASSERT_EQ(::mkfifo("PERGUNTASBACK.TXT", 0644), 0); }},
        {"banco existe", [&] { EscreverArquivo(ArquivoReserva, stock_); EscreverArquivo(ArquivoBanco, "meu banco"); }},
        {"banco e uma pasta", [&] { EscreverArquivo(ArquivoReserva, stock_); ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco)); }},
        {"banco e um link quebrado", [&] { EscreverArquivo(ArquivoReserva, stock_); Link("alvo", "PERGUNTAS.TXT"); }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        PastaTemporaria pasta;
        ASSERT_TRUE(pasta.Pronta());
        caso.preparar();
        const QStringList antes = Conteudo();
        const QByteArray bancoAntes = QFileInfo(ArquivoBanco).isFile() ? Ler(ArquivoBanco) : QByteArray();

        EXPECT_FALSE(RestaurarBanco());
        EXPECT_EQ(Conteudo(), antes);
        if (QFileInfo(ArquivoBanco).isFile()) {
            EXPECT_EQ(Ler(ArquivoBanco), bancoAntes);
        }
        EXPECT_FALSE(Existe("alvo")) << "a dangling link's target is never created";
    }
}

} // namespace
