// The program entry as real processes: one copy per session, the second copy's notice, the default
// title, and the end of the program when the start window closes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

const QString Aviso = QStringLiteral("O Quibo da Zanfre já está em execução");
constexpr int Prazo = 60000; // only reached when something hangs

// One copy of the game, started as its own process in a session given by its runtime folder.
class Copia {
public:
    Copia(const QString& sessao, const QString& acao = QStringLiteral("ficar"),
          const QString& resposta = QStringLiteral("ok"), const QString& programa = QStringLiteral(PELVANT_AJUDANTE))
    {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_RUNTIME_DIR"), sessao);
        ambiente.insert(QStringLiteral("PELVANT_AJUDANTE_ACAO"), acao);
        ambiente.insert(QStringLiteral("PELVANT_AJUDANTE_RESPOSTA"), resposta);
        if (!ambiente.contains(QStringLiteral("QT_QPA_PLATFORM")))
            ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!ambiente.contains(QStringLiteral("SDL_AUDIODRIVER")))
            ambiente.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        processo_.setProcessEnvironment(ambiente);
        processo_.setWorkingDirectory(QStringLiteral(PELVANT_RUN_DIR));
        processo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processo_.start(programa, {});
    }

    ~Copia()
    {
        if (processo_.state() != QProcess::NotRunning) {
            processo_.kill();
            processo_.waitForFinished(Prazo);
        }
    }

    // Waits for the line that starts with `inicio`; empty if the process ended or hung first.
    QString EsperarLinha(const QString& inicio)
    {
        for (;;) {
            for (const QString& linha : linhas_)
                if (linha.startsWith(inicio))
                    return linha;
            if (!LerMais())
                return {};
        }
    }

    // Waits for the end and gives the exit code, or -1 when it crashed or did not end.
    int EsperarFim()
    {
        while (LerMais()) {
        }
        if (processo_.state() != QProcess::NotRunning || processo_.exitStatus() != QProcess::NormalExit)
            return -1;
        return processo_.exitCode();
    }

    void Matar()
    {
        processo_.kill(); // SIGKILL: nothing of the program runs any more
        processo_.waitForFinished(Prazo);
    }

    // Whatever the process has written so far, without waiting for more than a moment.
    const QStringList& LinhasAteAgora()
    {
        processo_.waitForReadyRead(200);
        while (processo_.canReadLine())
            linhas_ << QString::fromUtf8(processo_.readLine()).chopped(1);
        return linhas_;
    }

    bool Rodando() const { return processo_.state() == QProcess::Running; }
    const QStringList& Linhas() const { return linhas_; }

private:
    bool LerMais()
    {
        if (processo_.state() == QProcess::NotRunning && !processo_.canReadLine())
            return false;
        if (!processo_.canReadLine() && !processo_.waitForReadyRead(Prazo)) {
            if (processo_.state() != QProcess::NotRunning)
                return false;
        }
        while (processo_.canReadLine())
            linhas_ << QString::fromUtf8(processo_.readLine()).chopped(1);
        if (processo_.state() == QProcess::NotRunning) {
            const QByteArray resto = processo_.readAll();
            if (!resto.isEmpty())
                linhas_ << QString::fromUtf8(resto);
            return !resto.isEmpty();
        }
        return true;
    }

    QProcess processo_;
    QStringList linhas_;
};

QStringList ComInicio(const QStringList& linhas, const QString& inicio)
{
    QStringList achadas;
    for (const QString& linha : linhas)
        if (linha.startsWith(inicio))
            achadas << linha;
    return achadas;
}

class ProgramaTest : public ::testing::Test {
protected:
    QTemporaryDir sessao_;
};

} // namespace

TEST_F(ProgramaTest, FirstCopyRunsTheStartWindowUnderTheGameTitle)
{
    Copia primeira(sessao_.path());
    EXPECT_EQ(primeira.EsperarLinha(QStringLiteral("PRONTO")),
              QStringLiteral("PRONTO|Show da Quibo da Zanfre|FrmTelaInicial|FrmTelaInicial"));
    EXPECT_TRUE(ComInicio(primeira.Linhas(), QStringLiteral("AVISO")).isEmpty());
}

// However the notice is dismissed, the second copy ends with code 0 and opens no window, and the
// running copy hears nothing of it.
TEST_F(ProgramaTest, SecondCopyShowsTheNoticeAndEndsWithCodeZero)
{
    Copia primeira(sessao_.path());
    ASSERT_FALSE(primeira.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());

    for (const char* resposta : {"ok", "esc", "fechar"}) {
        SCOPED_TRACE(resposta);
        Copia segunda(sessao_.path(), QStringLiteral("ficar"), QString::fromLatin1(resposta));
        EXPECT_EQ(segunda.EsperarFim(), 0);
        EXPECT_EQ(ComInicio(segunda.Linhas(), QStringLiteral("AVISO")),
                  QStringList{QStringLiteral("AVISO|Pelvant|") + Aviso});
        EXPECT_TRUE(ComInicio(segunda.Linhas(), QStringLiteral("PRONTO")).isEmpty());
        EXPECT_EQ(segunda.Linhas().last(), QStringLiteral("FIM|0"));
    }

    EXPECT_TRUE(primeira.Rodando());
    EXPECT_EQ(primeira.LinhasAteAgora().size(), 1) << primeira.Linhas().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ProgramaTest, CopyStartsNormallyAfterTheRunningOneWasKilled)
{
    Copia primeira(sessao_.path());
    ASSERT_FALSE(primeira.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());
    primeira.Matar();

    Copia segunda(sessao_.path());
    EXPECT_FALSE(segunda.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());
    EXPECT_TRUE(ComInicio(segunda.Linhas(), QStringLiteral("AVISO")).isEmpty());
}

TEST_F(ProgramaTest, CopiesInDifferentSessionsBothRun)
{
    QTemporaryDir outraSessao;
    Copia primeira(sessao_.path());
    ASSERT_FALSE(primeira.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());
    Copia segunda(outraSessao.path());
    EXPECT_FALSE(segunda.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());
    EXPECT_TRUE(ComInicio(segunda.Linhas(), QStringLiteral("AVISO")).isEmpty());
}

// The start window is the main window: closing it ends the program with code 0, credits windows
// or not.
TEST_F(ProgramaTest, ClosingTheStartWindowEndsTheProgramWithCreditsWindowsOpen)
{
    for (const char* acao : {"sair", "fechar"}) {
        SCOPED_TRACE(acao);
        Copia copia(sessao_.path(), QString::fromLatin1(acao));
        EXPECT_EQ(copia.EsperarFim(), 0);
        EXPECT_EQ(ComInicio(copia.Linhas(), QStringLiteral("CREDITOS")), QStringList{QStringLiteral("CREDITOS|2")});
        ASSERT_FALSE(copia.Linhas().isEmpty());
        EXPECT_EQ(copia.Linhas().last(), QStringLiteral("FIM|0"));
        EXPECT_TRUE(ComInicio(copia.Linhas(), QStringLiteral("AVISO")).isEmpty());
    }
    // The lock went with the process: the next start runs.
    Copia depois(sessao_.path());
    EXPECT_FALSE(depois.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());
}

// Before the game sets its own title, the application's title comes from the program file's name:
// the folder dropped, cut at the first dot, all but the first character in lower case.
TEST_F(ProgramaTest, SecondCopyNoticeIsCaptionedAfterTheProgramFileName)
{
    Copia primeira(sessao_.path());
    ASSERT_FALSE(primeira.EsperarLinha(QStringLiteral("PRONTO")).isEmpty());

    QTemporaryDir pasta;
    const struct {
        const char* arquivo;
        const char* titulo;
    } casos[] = {
        {"PELVANT.EXE", "Pelvant"},
        {"Meu.Jogo.Biblico", "Meu"},
        {"pelvant", "pelvant"},
        {"qUIBO", "quibo"},
        {"Z", "Z"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.arquivo);
        const QString programa = QDir(pasta.path()).filePath(QString::fromLatin1(caso.arquivo));
        ASSERT_TRUE(QFile::copy(QStringLiteral(PELVANT_AJUDANTE), programa));
        QFile(programa).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        Copia segunda(sessao_.path(), QStringLiteral("ficar"), QStringLiteral("ok"), programa);
        EXPECT_EQ(segunda.EsperarFim(), 0);
        EXPECT_EQ(ComInicio(segunda.Linhas(), QStringLiteral("AVISO")),
                  QStringList{QStringLiteral("AVISO|%1|%2").arg(QString::fromLatin1(caso.titulo), Aviso)});
    }
}
