// Answering against the time bar.

#include "JogoDeTeste.h"

#include "toolkit/MessageDialog.h"

#include <QTest>

using namespace teste;

class Respostas : public JogoDeTeste {};

TEST_F(Respostas, BarRisesTwoEveryTickAndAFullBarAloneChangesNothing)
{
    Jogar([&] {
        const qsizetype sonsAntes = h.sounds.size();
        for (int t = 1; t <= 70; ++t) {
            Tick();
            ASSERT_EQ(janela->ProgressBar1->Position(), std::min(2 * t, 100));
        }
        EXPECT_EQ(h.sounds.size(), sonsAntes);
        EXPECT_TRUE(h.dialogs.isEmpty());
        EXPECT_TRUE(h.pauses.isEmpty());
        EXPECT_EQ(Posicao, 1);
    });
    EXPECT_TRUE(abertaAposJogadas);
}

TEST_F(Respostas, AlarmSoundsOnlyWithTheBarAtExactlyEighty)
{
    struct Caso {
        int tiques;
        bool confirmar;
        bool alarme;
    };
    for (const Caso c : {Caso{39, false, false}, Caso{40, false, true}, Caso{41, false, false},
                         Caso{40, true, true}, Caso{49, true, false}}) {
        SCOPED_TRACE(testing::Message() << "bar " << 2 * c.tiques << (c.confirmar ? " confirmed" : " declined"));
        Reiniciar();
        Jogar([&] {
            AvancarAte(2);
            Tick(c.tiques);
            const qsizetype sonsAntes = h.sounds.size();
            ResponderProximoDialogo(h, c.confirmar ? Dispensa::Sim : Dispensa::Nao);
            Harness::Click(Resposta(Certa()));
            QVector<QPair<QString, TMediaCall>> sons;
            for (qsizetype i = sonsAntes; i < h.sounds.size(); ++i)
                sons.append({h.sounds[i].player, h.sounds[i].call});
            QVector<QPair<QString, TMediaCall>> esperados;
            if (c.alarme)
                esperados = {{"MediaPlayer4", TMediaCall::Close},
                             {"MediaPlayer4", TMediaCall::Open},
                             {"MediaPlayer4", TMediaCall::Play}};
            if (c.confirmar)
                esperados += {{"MediaPlayer3", TMediaCall::Open},
                              {"MediaPlayer3", TMediaCall::Play},
                              {"MediaPlayer1", TMediaCall::Open},
                              {"MediaPlayer1", TMediaCall::Play}};
            EXPECT_EQ(sons, esperados);
            // The answer goes on as usual after the alarm.
            EXPECT_EQ(Posicao, c.confirmar ? 3 : 2);
            EXPECT_EQ(h.dialogs.last().text, "Ana Tem certeza de sua resposta ?");
        });
    }
}

TEST_F(Respostas, DecliningKeepsThePointerBesideTheAnswerUntilTheNextClick)
{
    Jogar([&] {
        const int esquerda = janela->Image6->Left();
        const int topos[5] = {0, 186, 233, 280, 327};
        for (int k : {3, 1, 4, 2}) {
            ResponderProximoDialogo(h, Dispensa::Nao);
            Harness::Click(Resposta(k));
            EXPECT_TRUE(janela->Image6->Visible());
            EXPECT_EQ(janela->Image6->Top(), topos[k]);
            EXPECT_EQ(janela->Image6->Left(), esquerda);
            for (int f = 1; f <= 4; ++f)
                EXPECT_EQ(Fundo(f)->PictureName(), ":/pictures/barra_resposta.png");
        }
        EXPECT_EQ(Posicao, 1);
        EXPECT_TRUE(h.pauses.isEmpty());
        // A click on an answer's plate beside its text is no answer.
        const qsizetype dialogos = h.dialogs.size();
        QTest::mouseClick(janela->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 208));
        EXPECT_EQ(h.dialogs.size(), dialogos);
    });
    EXPECT_TRUE(abertaAposJogadas);
}

TEST_F(Respostas, BarKeepsFillingWhileThePlayerMakesUpTheirMind)
{
    Jogar([&] {
        Tick(10);
        int barraNoDialogo = -1;
        h.OnNextDialog([&](TMessageDialog& d) {
            Tick(45);
            barraNoDialogo = janela->ProgressBar1->Position();
            d.PressButton(0);
        });
        const int certa = Certa();
        Harness::Click(Resposta(certa));
        EXPECT_EQ(barraNoDialogo, 100);
        // Time was judged at the click: the answer counts although the bar filled meanwhile.
        EXPECT_EQ(Posicao, 2);
        EXPECT_EQ(h.pauses, QVector<unsigned>{2000});
    });
    EXPECT_TRUE(abertaAposJogadas);
}

TEST_F(Respostas, RightAnswerIsRevealedOnTheNextQuestionNoMore)
{
    Jogar([&] {
        AvancarAte(2);
        h.AnswerNextDialog(QStringLiteral("&Sim"));
        QString reveladaNaPausa;
        const int certa = Certa();
        SetPauseRecorder([&](unsigned ms) {
            h.pauses.append(ms);
            reveladaNaPausa = Fundo(certa)->PictureName();
            EXPECT_EQ(janela->ProgressBar1->Position(), 0);
        });
        Tick(12);
        Harness::Click(Resposta(certa));
        EXPECT_EQ(reveladaNaPausa, ":/pictures/barra_certa.png");
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(Fundo(k)->PictureName(), ":/pictures/barra_resposta.png");
        EXPECT_FALSE(janela->Image6->Visible());
        EXPECT_EQ(Posicao, 3);
    });
}

// A damaged record whose right answer is none of the four: every answer is wrong and nothing
// is revealed; the lifelines never name or keep an answer that is not on screen.
TEST_F(Respostas, QuestionWithoutAValidRightAnswerIsAlwaysWrong)
{
    for (int correta : {0, 5, 255}) {
        SCOPED_TRACE(correta);
        Reiniciar();
        EscreverBanco(QVector<TPergunta>{Pergunta(1, 1, correta)});
        Jogar([&] {
            Harness::Click(janela->Button3);
            const QString pastores = janela->Memo1->Lines().Text();
            const QString opinioes = pastores.mid(pastores.indexOf('\r') + 1);
            for (const QString& o : opinioes.split(QStringLiteral(", "))) {
                const int n = o.toInt();
                EXPECT_TRUE(n >= 1 && n <= 4) << pastores.toStdString();
            }
            Harness::Click(janela->Button2);
            EXPECT_FALSE(janela->Memo1->Lines().Text().contains("Placa Número 0"));
            EXPECT_FALSE(janela->Memo1->Lines().Text().contains("Placa Número 5"));
            for (int k = 1; k <= 4; ++k) {
                ResponderProximoDialogo(h, Dispensa::Nao);
                Harness::Click(Resposta(k));
            }
            h.AnswerNextDialog(QStringLiteral("&Sim"));
            h.AnswerNextDialog(QStringLiteral("OK"));
            Harness::Click(Resposta(2));
        });
        EXPECT_FALSE(abertaAposJogadas);
        EXPECT_EQ(h.dialogs.last().text, "Ana Que Pena você errou... Você receberá R$ 300,00...");
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(Fundo(k)->PictureName(), ":/pictures/barra_resposta.png");
    }
}
