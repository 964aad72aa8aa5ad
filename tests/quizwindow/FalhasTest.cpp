// A bad bank and missing sound files, met in the middle of a game.

#include "JogoDeTeste.h"

#include <QDir>

using namespace teste;

namespace {

const QString SemPerguntas = QStringLiteral(
    "Ana Erro no arquivo PERGUNTAS.TXT\r\nNão há perguntas para este nível.\r\nRestaure as Perguntas ou adicione mais.");

} // namespace

class Falhas : public JogoDeTeste {
public:
    qsizetype ErrosMostrados() const
    {
        qsizetype n = 0;
        for (const auto& d : h.dialogs)
            n += d.icon == TMsgIcon::Error;
        return n;
    }
};

TEST_F(Falhas, BankErrorAtTheFirstQuestionStandsOnTheOpenWindowThenEndsTheGame)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        QString texto;
    };
    const QVector<Caso> casos = {
        {"missing", [] { QFile::remove(ArquivoBanco); }, "Ana Erro ao abrir o arquivo PERGUNTAS.TXT."},
        {"empty",
         [] {
             QFile f(ArquivoBanco);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
         },
         SemPerguntas},
        {"shorter than a record",
         [] {
             QFile f(ArquivoBanco);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write(QByteArray(841, 1));
         },
         SemPerguntas},
        {"no level 1", [] { EscreverBanco({0, 6, 6, 1}); }, SemPerguntas},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        Reiniciar();
        c.preparar();
        JogarSemLaco();
        EXPECT_EQ(h.unansweredModals, 0);
        EXPECT_FALSE(janela->Visible());
        EXPECT_EQ(h.pauses, QVector<unsigned>{5000});
        EXPECT_EQ(h.pauseWindowVisible, QVector<bool>{true});
        EXPECT_TRUE(janela->Memo1->Visible());
        EXPECT_EQ(janela->Memo1->Lines().Text(), c.texto);
        // No question was presented.
        EXPECT_EQ(janela->Label1->Caption(), "1");
        EXPECT_EQ(janela->Label9->Caption(), "Valendo");
        EXPECT_EQ(Posicao, 1);
        EXPECT_TRUE(h.dialogs.isEmpty());
        h.pauses.clear();
        h.pauseWindowVisible.clear();
    }
}

TEST_F(Falhas, BankWithoutQuestionsOfALevelEndsTheGameWhenThatLevelBegins)
{
    EscreverBanco({5, 5, 0, 1});
    QString ultimaPergunta;
    Jogar([&] {
        AvancarAte(10);
        ultimaPergunta = janela->Label1->Caption();
        Responder(Certa());
    });
    EXPECT_FALSE(abertaAposJogadas);
    EXPECT_FALSE(janela->Visible());
    EXPECT_EQ(Posicao, 11);
    EXPECT_EQ(Degrau(11)->Color(), clYellow);
    EXPECT_EQ(janela->Memo1->Lines().Text(), SemPerguntas);
    EXPECT_EQ(janela->Label1->Caption(), ultimaPergunta);
    ASSERT_GE(h.pauses.size(), 2);
    EXPECT_EQ(h.pauses.mid(h.pauses.size() - 2), QVector<unsigned>({2000, 5000}));
}

TEST_F(Falhas, BankEditedDuringTheGameIsReadWhenTheNextLevelBegins)
{
    EscreverBanco({5, 0, 0, 0});
    Jogar([&] {
        AvancarAte(5);
        EscreverBanco({5, 5, 5, 1}, QStringLiteral("Nova "));
        Responder(Certa());
        EXPECT_EQ(Posicao, 6);
        EXPECT_TRUE(janela->Label1->Caption().startsWith("Nova N2"));
    });
    EXPECT_TRUE(abertaAposJogadas);
}

TEST_F(Falhas, MissingSuspenseAtTheStartLeavesTheLayoutAndAStillGame)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("audio/suspense01.mp3")));
    Jogar([&] {
        EXPECT_TRUE(janela->Visible());
        EXPECT_EQ(ErrosMostrados(), 1);
        EXPECT_EQ(janela->Caption(), "Show da Quibo da Zanfre - Participante Ana");
        EXPECT_EQ(Posicao, 0);
        EXPECT_EQ(janela->Label1->Caption(), "1");
        EXPECT_EQ(janela->Label2->Caption(), "2");
        EXPECT_EQ(janela->Label5->Caption(), "5");
        EXPECT_EQ(janela->Label9->Caption(), "Valendo");
        EXPECT_EQ(janela->Label7->Caption(), "Se errar ");
        EXPECT_EQ(janela->Label8->Caption(), "R$ 300,00");
        EXPECT_EQ(Degrau(1)->Color(), clSilver);
        EXPECT_FALSE(janela->Memo1->Visible());
        EXPECT_TRUE(janela->Image21->Visible());
        for (TButton* b : {janela->Button2, janela->Button3, janela->Button8, janela->Button9, janela->Button10,
                           janela->Button11})
            EXPECT_TRUE(b->Enabled());
        // With no question on screen there is nothing to stop with, skip, answer or ask about,
        // even with the bar at the warning mark or full.
        const qsizetype sons = h.sounds.size();
        const qsizetype dialogos = h.dialogs.size();
        for (int tempo : {0, 80, 100}) {
            janela->ProgressBar1->SetPosition(tempo);
            for (QWidget* alvo : std::initializer_list<QWidget*>{janela->Image21, janela->Button9, janela->Label2,
                                                                 janela->Label5, janela->Button2, janela->Button3,
                                                                 janela->Button8})
                Harness::Click(alvo);
        }
        EXPECT_EQ(h.sounds.size(), sons);
        EXPECT_EQ(h.dialogs.size(), dialogos);
        for (TButton* b : {janela->Button2, janela->Button3, janela->Button8, janela->Button9})
            EXPECT_TRUE(b->Enabled());
        EXPECT_FALSE(janela->Memo1->Visible());
        EXPECT_FALSE(janela->Image6->Visible());
        EXPECT_TRUE(janela->Visible());
        EXPECT_EQ(Posicao, 0);
    });
    EXPECT_TRUE(abertaAposJogadas);
    EXPECT_TRUE(h.pauses.isEmpty());
}

// A sound that cannot be opened abandons the rest of the step; what was done stays and the game
// goes on from there.
TEST_F(Falhas, MissingSoundAbandonsTheRestOfTheStep)
{
    struct Caso {
        const char* arquivo;
        int posicao;
        std::function<void(Falhas&)> agir;
        std::function<void(Falhas&)> conferir;
    };
    const QVector<Caso> casos = {
        {"certa01", 3,
         [](Falhas& f) {
             f.Tick(9);
             f.Responder(f.Certa());
         },
         [](Falhas& f) {
             EXPECT_EQ(f.janela->ProgressBar1->Position(), 0);
             EXPECT_EQ(f.Fundo(f.Certa())->PictureName(), ":/pictures/barra_certa.png");
             EXPECT_EQ(Posicao, 3);
             EXPECT_EQ(f.h.pauses.size(), 2);
         }},
        {"errou", 2,
         [](Falhas& f) { f.Responder(f.Errada()); },
         [](Falhas& f) {
             EXPECT_EQ(f.Fundo(f.Certa())->PictureName(), ":/pictures/barra_certa.png");
             EXPECT_FALSE(f.h.dialogs.last().text.contains("errou..."));
             EXPECT_EQ(f.h.pauses.size(), 1);
         }},
        {"vaipular02", 2,
         [](Falhas& f) {
             f.Tick(4);
             Harness::Click(f.janela->Button3);
             Harness::Click(f.janela->Button10);
         },
         [](Falhas& f) {
             EXPECT_FALSE(f.janela->Memo1->Visible());
             EXPECT_FALSE(f.janela->Button10->Enabled());
             EXPECT_EQ(f.janela->ProgressBar1->Position(), 8);
             EXPECT_EQ(Sorteadas[1].Qtd, 2);
         }},
        {"parou01", 4,
         [](Falhas& f) {
             f.h.AnswerNextDialog(QStringLiteral("&Sim"));
             f.h.AnswerNextDialog(QStringLiteral("&Sim"));
             Harness::Click(f.janela->Image21);
         },
         [](Falhas& f) {
             EXPECT_FALSE(f.janela->Memo1->Visible());
             EXPECT_EQ(f.h.pauses.size(), 3);
             EXPECT_EQ(Posicao, 4);
         }},
        {"tempo01", 1,
         [](Falhas& f) {
             f.Tick(50);
             Harness::Click(f.Resposta(1));
             // Every later click repeats it.
             Harness::Click(f.Resposta(2));
         },
         [](Falhas& f) {
             EXPECT_EQ(f.ErrosMostrados(), 2);
             EXPECT_EQ(f.h.SoundsOf("MediaPlayer1").last().call, TMediaCall::Close);
             EXPECT_TRUE(f.h.pauses.isEmpty());
             EXPECT_FALSE(f.janela->Image6->Visible());
         }},
        {"1000000", 15,
         [](Falhas& f) { f.Responder(f.Certa()); },
         [](Falhas& f) {
             EXPECT_EQ(Posicao, 16);
             EXPECT_EQ(f.janela->Label9->Caption(), "R$ 1.000.000,00!");
             for (TButton* b : {f.janela->Button2, f.janela->Button3, f.janela->Button8, f.janela->Button9,
                                f.janela->Button10, f.janela->Button11})
                 EXPECT_FALSE(b->Enabled());
             EXPECT_FALSE(f.janela->Memo1->Visible());
         }},
        {"ganhoumilhao", 16,
         [](Falhas& f) { f.Responder(f.Certa()); },
         [](Falhas& f) {
             EXPECT_FALSE(f.janela->Memo1->Visible());
             EXPECT_EQ(f.janela->Memo1->Lines().Text(), "Ana RESPOSTA ABSOLUTAMENTE CERTA!");
             EXPECT_EQ(f.h.pauses.last(), 2000u);
             EXPECT_EQ(Posicao, 16);
         }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.arquivo);
        Reiniciar();
        h.pauses.clear();
        h.dialogs.clear();
        Jogar([&] {
            AvancarAte(c.posicao);
            ASSERT_TRUE(QDir("audio").rename(QString::fromUtf8(c.arquivo) + ".mp3", QString::fromUtf8(c.arquivo) + ".mp3.fora"));
            const qsizetype erros = ErrosMostrados();
            c.agir(*this);
            EXPECT_GT(ErrosMostrados(), erros);
            c.conferir(*this);
            // The window goes on reacting to the player.
            EXPECT_TRUE(janela->Visible());
        });
        EXPECT_TRUE(abertaAposJogadas);
        QDir("audio").rename(QString::fromUtf8(c.arquivo) + ".mp3.fora", QString::fromUtf8(c.arquivo) + ".mp3");
    }
}
