// The three lifelines as the player uses them on the quiz window.

#include "JogoDeTeste.h"

#include <QTest>

using namespace teste;

namespace {

const int AcertoDosPastores[4] = {0, 8, 5, 3};
const int AcertoDosIrmaos[4] = {0, 7, 4, 2};

} // namespace

class Ajudas : public JogoDeTeste {};

TEST_F(Ajudas, CardsTakeAwayTheFirstWrongAnswersAndNeverTheRightOne)
{
    struct Caso {
        int cartas;
        int correta;
        std::array<bool, 4> ficam;
    };
    const QVector<Caso> casos = {
        {0, 2, {true, true, true, true}},   {1, 3, {false, true, true, true}},
        {1, 1, {true, false, true, true}},  {2, 1, {true, false, false, true}},
        {2, 3, {false, false, true, true}}, {3, 4, {false, false, false, true}},
        {3, 1, {true, false, false, false}}, {3, 2, {false, true, false, false}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.cartas << " cards, right answer " << c.correta);
        Reiniciar();
        EscreverBanco(QVector<TPergunta>{Pergunta(1, 1, c.correta)});
        Jogar([&] {
            Tick(5);
            const qsizetype sons = h.sounds.size();
            RandSeed = EstadoQueSorteia(4, c.cartas);
            Harness::Click(janela->Button8);
            EXPECT_FALSE(janela->Button8->Enabled());
            EXPECT_TRUE(janela->Memo1->Visible());
            EXPECT_EQ(janela->Memo1->Lines().Text(),
                      c.cartas == 0 ? QStringLiteral("Ana Oh, Que Pena! Você Tirou um \"X\"\r\nNenhuma Resposta será eliminada!")
                                    : QStringLiteral("Ana Você tirou um %1 Folhas. Vamos eliminar %1 Resposta(s)!")
                                          .arg(c.cartas));
            for (int k = 1; k <= 4; ++k)
                EXPECT_EQ(Resposta(k)->Enabled(), c.ficam[k - 1]) << "answer " << k;
            EXPECT_EQ(h.sounds.size(), sons);
            EXPECT_EQ(janela->ProgressBar1->Position(), 10);
            Tick();
            EXPECT_EQ(janela->ProgressBar1->Position(), 12);
            // A removed answer can no longer be given.
            for (int k = 1; k <= 4; ++k) {
                if (c.ficam[k - 1])
                    continue;
                const qsizetype dialogos = h.dialogs.size();
                Harness::Click(Resposta(k));
                EXPECT_EQ(h.dialogs.size(), dialogos);
                EXPECT_FALSE(janela->Image6->Visible());
            }
        });
        EXPECT_TRUE(abertaAposJogadas);
        EXPECT_TRUE(h.pauses.isEmpty());
    }
}

TEST_F(Ajudas, AdvisersNameTheirAnswersAfterALoneCarriageReturn)
{
    for (int posicao : {1, 6, 11}) {
        for (quint32 semente : {1u, 77u, 4242u}) {
            SCOPED_TRACE(testing::Message() << "position " << posicao << ", state " << semente);
            Reiniciar();
            Jogar([&] {
                AvancarAte(posicao);
                RandSeed = semente;
                GeradorDeReferencia g{semente};
                const int t = AcertoDosPastores[NivelAtual];
                const int a = PalpiteDeReferencia(g, t, Certa());
                const int b = PalpiteDeReferencia(g, t, Certa());
                const int c = PalpiteDeReferencia(g, t, Certa());
                Harness::Click(janela->Button3);
                EXPECT_EQ(janela->Memo1->Lines().Text(),
                          QStringLiteral("Ana, os 3 Pastores acham que é: \r%1, %2, %3").arg(a).arg(b).arg(c));
                EXPECT_EQ(RandSeed, g.estado);
                EXPECT_FALSE(janela->Button3->Enabled());
                EXPECT_TRUE(janela->Button2->Enabled());
                EXPECT_TRUE(janela->Button8->Enabled());
                EXPECT_EQ(Posicao, posicao);
            });
        }
    }
}

TEST_F(Ajudas, PolledGroupCountsTwelveVotesUnderThePlayersName)
{
    for (int posicao : {1, 6, 11}) {
        for (quint32 semente : {3u, 999u, 123456u}) {
            SCOPED_TRACE(testing::Message() << "position " << posicao << ", state " << semente);
            Reiniciar();
            Jogar([&] {
                AvancarAte(posicao);
                RandSeed = semente;
                GeradorDeReferencia g{semente};
                int votos[5] = {};
                for (int j = 0; j < 12; ++j)
                    ++votos[PalpiteDeReferencia(g, AcertoDosIrmaos[NivelAtual], Certa())];
                QString esperado = QStringLiteral("Ana");
                for (int k = 1; k <= 4; ++k) {
                    if (votos[k] == 1)
                        esperado += QStringLiteral(" 1 Irmão levantou a Placa Número %1.\r\n").arg(k);
                    else if (votos[k] > 1)
                        esperado += QStringLiteral(" %1 dos irmãos levataram a Placa Número %2.\r\n").arg(votos[k]).arg(k);
                }
                Harness::Click(janela->Button2);
                EXPECT_EQ(janela->Memo1->Lines().Text(), esperado);
                EXPECT_FALSE(janela->Button2->Enabled());
            });
        }
    }
}

TEST_F(Ajudas, EachLifelineServesOnceAndOnlyTheLastTextShows)
{
    Jogar([&] {
        Harness::Click(janela->Button8);
        Harness::Click(janela->Button3);
        Harness::Click(janela->Button2);
        EXPECT_TRUE(janela->Memo1->Lines().Text().contains("Placa Número"));
        EXPECT_FALSE(janela->Memo1->Lines().Text().contains("Pastores"));
        // Used lifelines stay used on the next questions.
        AvancarAte(2);
        EXPECT_FALSE(janela->Memo1->Visible());
        const QString antes = janela->Memo1->Lines().Text();
        for (TButton* b : {janela->Button2, janela->Button3, janela->Button8}) {
            EXPECT_FALSE(b->Enabled());
            Harness::Click(b);
        }
        EXPECT_FALSE(janela->Memo1->Visible());
        EXPECT_EQ(janela->Memo1->Lines().Text(), antes);
    });
}

TEST_F(Ajudas, KeysAfterAUsedButtonPressNoOtherButton)
{
    EscreverBanco({5, 0, 0, 0});
    Jogar([&] {
        for (TButton* usado : {janela->Button2, janela->Button9}) {
            SCOPED_TRACE(usado->objectName().toStdString());
            Harness::Click(usado);
            EXPECT_FALSE(usado->Enabled());
            const qsizetype sons = h.sounds.size();
            const QString texto = janela->Memo1->Lines().Text();
            // The keys go wherever the keyboard is now, as a player's would.
            if (QWidget* foco = janela->focusWidget()) {
                QTest::keyClick(foco, Qt::Key_Space);
                QTest::keyClick(foco, Qt::Key_Return);
            }
            for (TButton* b : {janela->Button3, janela->Button8, janela->Button10, janela->Button11})
                EXPECT_TRUE(b->Enabled()) << b->objectName().toStdString();
            EXPECT_EQ(h.sounds.size(), sons);
            EXPECT_EQ(janela->Memo1->Lines().Text(), texto);
        }
    });
}
