// Whole games played through the quiz window, from its opening to its closing.

#include "quizwindow/JogoDeTeste.h"

#include "toolkit/Application.h"
#include "UEntrada.h"

using namespace teste;

namespace {

struct Placas {
    const char* valendo;
    const char* parar; // nullptr: the layout's text stays
    const char* errar;
};

// What the three plates read at each position under a "." separator.
const Placas PlacasPorPosicao[17] = {
    {},
    {"R$ 1.000,00", nullptr, "R$ 300,00"},
    {"R$ 2.000,00", "R$ 1.000,00", "R$ 500,00"},
    {"R$ 3.000,00", "R$ 2.000,00", "R$ 1.000,00"},
    {"R$ 4.000,00", "R$ 3.000,00", "R$ 1.500,00"},
    {"R$ 5.000,00", "R$ 4.000,00", "R$ 2.000,00"},
    {"R$ 10.000,00", "R$ 5.000,00", "R$ 2.500,00"},
    {"R$ 20.000,00", "R$ 10.000,00", "R$ 5.000,00"},
    {"R$ 30.000,00", "R$ 20.000,00", "R$ 10.000,00"},
    {"R$ 40.000,00", "R$ 30.000,00", "R$ 15.000,00"},
    {"R$ 50.000,00", "R$ 40.000,00", "R$ 20.000,00"},
    {"R$ 100.000,00", "R$ 50.000,00", "R$ 25.000,00"},
    {"R$ 200.000,00", "R$ 100.000,00", "R$ 50.000,00"},
    {"R$ 300.000,00", "R$ 200.000,00", "R$ 100.000,00"},
    {"R$ 400.000,00", "R$ 300.000,00", "R$ 150.000,00"},
    {"R$ 500.000,00", "R$ 400.000,00", "R$ 200.000,00"},
    {"R$ 1.000.000,00!", "R$ 500.000,00", "R$ 300,00"},
};

using Chamada = QPair<QString, TMediaCall>;

QVector<Chamada> Chamadas(const Harness& h)
{
    QVector<Chamada> chamadas;
    for (const auto& som : h.sounds)
        chamadas.append({som.player, som.call});
    return chamadas;
}

} // namespace

class JogoInteiro : public JogoDeTeste {};

TEST_F(JogoInteiro, SixteenRightAnswersWinTheMillion)
{
    QVector<Chamada> esperadas;
    QStringList memoAntesDasPausas;
    SetPauseRecorder([&](unsigned ms) {
        h.pauses.append(ms);
        memoAntesDasPausas.append(janela->Memo1->Visible() ? janela->Memo1->Lines().Text() : QString());
    });

    Jogar([&] {
        for (int p = 1; p <= 16; ++p) {
            SCOPED_TRACE(p);
            ASSERT_EQ(Posicao, p);
            EXPECT_EQ(NivelAtual, (p - 1) / 5 + 1);
            EXPECT_TRUE(janela->Label1->Caption().startsWith(QStringLiteral("N%1 P").arg(NivelAtual)));
            EXPECT_EQ(janela->Label2->Caption(), QStringLiteral("1) ") + janela->Label1->Caption() + " R1");
            for (int d = 1; d <= 16; ++d)
                EXPECT_EQ(Degrau(d)->Color(), d <= p ? clYellow : clSilver) << "ladder " << d;
            const Placas& placas = PlacasPorPosicao[p];
            EXPECT_EQ(janela->Label9->Caption(), placas.valendo);
            EXPECT_EQ(janela->Label8->Caption(), placas.parar ? placas.parar : "R$ 300,00");
            EXPECT_EQ(janela->Label7->Caption(), placas.errar);
            EXPECT_EQ(janela->Image21->Visible(), p > 1);
            EXPECT_FALSE(janela->Image6->Visible());
            EXPECT_EQ(janela->ProgressBar1->Position(), 0);
            for (int k = 1; k <= 4; ++k)
                EXPECT_EQ(Fundo(k)->PictureName(), ":/pictures/barra_resposta.png");
            const bool ajudas = p < 16;
            for (TButton* b : {janela->Button2, janela->Button3, janela->Button8, janela->Button9, janela->Button10,
                               janela->Button11})
                EXPECT_EQ(b->Enabled(), ajudas) << b->objectName().toStdString();
            EXPECT_EQ(janela->Memo1->Visible(), p == 16);

            esperadas.append({"MediaPlayer1", TMediaCall::Open});
            esperadas.append({"MediaPlayer1", TMediaCall::Play});
            if (p == 16) {
                esperadas.append({"MediaPlayer8", TMediaCall::Open});
                esperadas.append({"MediaPlayer8", TMediaCall::Play});
                EXPECT_EQ(janela->Memo1->Lines().Text(),
                          "Ana Esta é a Pergunta do Arrisca Tudo! Você não pode pedir Ajuda e nem Pular!\r\n"
                          "Se errar, receberá R$ 300,00...");
            } else {
                esperadas.append({"MediaPlayer3", TMediaCall::Open});
                esperadas.append({"MediaPlayer3", TMediaCall::Play});
            }
            Tick(7);
            Responder(Certa());
        }
    });

    EXPECT_TRUE(loopEntrou);
    EXPECT_FALSE(abertaAposJogadas);
    EXPECT_FALSE(janela->Visible());
    ASSERT_EQ(h.pauses.size(), 17);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(h.pauses[i], 2000u);
    EXPECT_EQ(h.pauses[16], 10000u);
    EXPECT_EQ(memoAntesDasPausas[15], "Ana RESPOSTA ABSOLUTAMENTE CERTA!");
    EXPECT_EQ(memoAntesDasPausas[16], "Ana PARABÉNS!\r\nContinue lendo a Bíblia sempre...");
    EXPECT_EQ(h.dialogs.size(), 16);
    for (const auto& d : h.dialogs)
        EXPECT_EQ(d.text, "Ana Tem certeza de sua resposta ?");

    esperadas.append({"MediaPlayer1", TMediaCall::Open});
    esperadas.append({"MediaPlayer1", TMediaCall::Play});
    esperadas.append({"MediaPlayer7", TMediaCall::Open});
    esperadas.append({"MediaPlayer7", TMediaCall::Play});
    EXPECT_EQ(Chamadas(h), esperadas);
    // Nothing moved after the million: the last question's plates stay.
    EXPECT_EQ(janela->Label9->Caption(), "R$ 1.000.000,00!");
    EXPECT_EQ(Posicao, 16);
}

TEST_F(JogoInteiro, ClosingTheWindowSilencesItsSounds)
{
    qsizetype sonsAoFechar = 0;
    Jogar([&] {
        AvancarAte(3);
        sonsAoFechar = h.sounds.size();
        Harness::CloseBox(janela);
    });
    EXPECT_TRUE(loopEntrou);
    EXPECT_FALSE(abertaAposJogadas);
    EXPECT_FALSE(janela->Visible());
    // No message, no sound and no pause of its own.
    EXPECT_EQ(h.dialogs.size(), 2);
    EXPECT_EQ(h.pauses, QVector<unsigned>({2000, 2000}));
    EXPECT_EQ(h.sounds.size(), sonsAoFechar);
    ASSERT_TRUE(janela->MediaPlayer1->IsOpen());
    const qsizetype antes = h.sounds.size();
    Destruir();
    bool suspenseFechado = false;
    for (qsizetype i = antes; i < h.sounds.size(); ++i)
        suspenseFechado |= h.sounds[i].player == "MediaPlayer1" && h.sounds[i].call == TMediaCall::Close;
    EXPECT_TRUE(suspenseFechado);
}

struct Desfecho {
    const char* nome;
    int posicao;
    std::function<void(JogoDeTeste&, Harness&)> encerrar;
};

// Every way a game ends after a decision of the player, with the text, the caption and the sounds
// that go with it; each ends with the same 5000 ms pause and the window closed.
TEST_F(JogoInteiro, EveryEndingPausesFiveSecondsAndClosesTheWindow)
{
    struct Caso {
        const char* nome;
        int posicao;
        int tiques;        // bar = 2 * tiques at the click
        bool errar;        // click a wrong answer, else the right one
        const char* dispensar; // how the ending dialog goes away: "OK", "Esc" or "X"
        QString texto;
        QString titulo;
        QVector<Chamada> sons; // after the last question was presented
    };
    const QString titulo = Application ? Application->Title() : QString();
    const QVector<Caso> casos = {
        {"wrong, OK", 5, 3, true, "OK", "Ana Que Pena você errou... Você receberá R$ 2.000,00...", "Confirma ?",
         {{"MediaPlayer4", TMediaCall::Open}, {"MediaPlayer4", TMediaCall::Play}}},
        {"wrong, Escape", 1, 0, true, "Esc", "Ana Que Pena você errou... Você receberá R$ 300,00...", "Confirma ?",
         {{"MediaPlayer4", TMediaCall::Open}, {"MediaPlayer4", TMediaCall::Play}}},
        {"wrong, close box", 11, 10, true, "X", "Ana Que Pena você errou... Você receberá R$ 25.000,00...",
         "Confirma ?", {{"MediaPlayer4", TMediaCall::Open}, {"MediaPlayer4", TMediaCall::Play}}},
        {"wrong at 16", 16, 0, true, "OK", "Ana Que Pena você errou... Você receberá R$ 300,00...", "Confirma ?",
         {{"MediaPlayer4", TMediaCall::Open}, {"MediaPlayer4", TMediaCall::Play}}},
        {"time out, right answer clicked", 1, 50, false, "OK",
         "Ana Que Pena Seu tempo acabou... Você receberá R$ 300,00...", titulo,
         {{"MediaPlayer1", TMediaCall::Close}, {"MediaPlayer2", TMediaCall::Open}, {"MediaPlayer2", TMediaCall::Play}}},
        {"time out long after", 7, 80, true, "Esc",
         "Ana Que Pena Seu tempo acabou... Você receberá R$ 5.000,00...", titulo,
         {{"MediaPlayer1", TMediaCall::Close}, {"MediaPlayer2", TMediaCall::Open}, {"MediaPlayer2", TMediaCall::Play}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        Reiniciar();
        const bool tempo = c.tiques >= 50;
        qsizetype sonsAntes = 0;
        qsizetype pausasAntes = 0;
        int certa = 0;
        Jogar([&] {
            AvancarAte(c.posicao);
            Tick(c.tiques);
            sonsAntes = h.sounds.size();
            pausasAntes = h.pauses.size();
            certa = Certa();
            if (!tempo)
                h.AnswerNextDialog(QStringLiteral("&Sim"));
            if (QString(c.dispensar) == "OK")
                h.AnswerNextDialog(QStringLiteral("OK"));
            else if (QString(c.dispensar) == "Esc")
                h.AnswerNextDialogWithKey(Qt::Key_Escape);
            else
                h.CloseNextDialogWithCloseBox();
            Harness::Click(Resposta(c.errar ? Errada() : Certa()));
        });
        EXPECT_FALSE(abertaAposJogadas);
        EXPECT_FALSE(janela->Visible());
        ASSERT_FALSE(h.dialogs.isEmpty());
        EXPECT_EQ(h.dialogs.last().text, c.texto);
        EXPECT_EQ(h.dialogs.last().caption, c.titulo);
        EXPECT_EQ(h.dialogs.last().helpContext, tempo ? 0 : 1);
        EXPECT_EQ(h.dialogs.last().buttons, QStringList{"OK"});
        EXPECT_EQ(h.pauses.mid(pausasAntes), QVector<unsigned>{5000});
        EXPECT_EQ(Chamadas(h).mid(sonsAntes), c.sons);
        // A late click shows no pointer and reveals nothing; a judged one reveals the right answer.
        EXPECT_EQ(janela->Image6->Visible(), !tempo);
        EXPECT_EQ(Fundo(certa)->PictureName(),
                  tempo ? ":/pictures/barra_resposta.png" : ":/pictures/barra_certa.png");
        EXPECT_EQ(h.unansweredDialogs, 0);
    }
}

TEST_F(JogoInteiro, SecondGameStartsAfreshInANewWindow)
{
    Jogar([&] {
        AvancarAte(7);
        Harness::Click(janela->Button9);
        Harness::Click(janela->Button8);
        Harness::CloseBox(janela);
    });
    Destruir();
    NomeJogador = QStringLiteral("Bia");
    Jogar([&] {
        EXPECT_EQ(janela->Caption(), "Show da Quibo da Zanfre - Participante Bia");
        EXPECT_EQ(Posicao, 1);
        EXPECT_EQ(Sorteadas[1].Qtd, 1);
        EXPECT_EQ(Sorteadas[2].Qtd, 0);
        EXPECT_TRUE(janela->Button9->Enabled());
        EXPECT_TRUE(janela->Button8->Enabled());
        EXPECT_EQ(Degrau(1)->Color(), clYellow);
        EXPECT_EQ(Degrau(2)->Color(), clSilver);
    });
    EXPECT_TRUE(abertaAposJogadas);
}

// The road of a game from the start window and back: the name typed there heads the game, the
// theme falls silent, and the quiz window is gone when the start window has the player again.
TEST_F(JogoInteiro, GamePlayedFromTheStartWindowReturnsToIt)
{
    TFrmTelaInicial inicial(nullptr);
    inicial.Show();
    Harness::Click(inicial.BtnJogar);
    Harness::Type(inicial.Edit1, QStringLiteral("Zeca"));
    QString titulo;
    QString memo;
    h.OnNextModal([&](TForm* modal) {
        janela = FrmPerguntas;
        ASSERT_EQ(modal, janela);
        titulo = janela->Caption();
        AvancarAte(3);
        h.AnswerNextDialog(QStringLiteral("&Sim"));
        h.AnswerNextDialog(QStringLiteral("&Sim"));
        Harness::Click(janela->Image21);
        memo = janela->Memo1->Lines().Text();
        EXPECT_TRUE(janela->CloseRequested());
    });
    Harness::Click(inicial.BitOk);
    janela = nullptr;

    EXPECT_EQ(titulo, "Show da Quibo da Zanfre - Participante Zeca");
    EXPECT_EQ(memo, "Zeca Receba R$ 2.000,00! Obrigado por Participar!");
    EXPECT_EQ(FrmPerguntas, nullptr);
    EXPECT_TRUE(inicial.Visible());
    EXPECT_TRUE(inicial.BtnJogar->Visible());
    EXPECT_EQ(h.pauses, QVector<unsigned>({2000, 2000, 5000}));
    EXPECT_EQ(h.unansweredModals, 0);
    // The theme stopped before the game's first sound.
    const QVector<SoundCall> sons = h.sounds;
    qsizetype paradaDoTema = -1, primeiroDoJogo = -1;
    for (qsizetype i = 0; i < sons.size(); ++i) {
        if (sons[i].player == "tema01" && sons[i].call == TMediaCall::Stop)
            paradaDoTema = i;
        if (primeiroDoJogo < 0 && sons[i].player.startsWith("MediaPlayer"))
            primeiroDoJogo = i;
    }
    ASSERT_GE(paradaDoTema, 0);
    EXPECT_LT(paradaDoTema, primeiroDoJogo);
    // Destroying the quiz window closed its stop sound.
    EXPECT_EQ(h.SoundsOf("MediaPlayer6").last().call, TMediaCall::Close);
}
