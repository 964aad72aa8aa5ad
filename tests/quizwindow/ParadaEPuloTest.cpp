// A new game, the confirmation questions, the stop and the skips.

#include "JogoDeTeste.h"

#include <QSet>

using namespace teste;

class NovoJogo : public JogoDeTeste {};

TEST_F(NovoJogo, OpeningTheWindowPresentsTheFirstQuestion)
{
    // Leftovers of an earlier game must not leak into this one.
    Posicao = 9;
    Sorteadas[1].Qtd = 5;
    Sorteadas[3].Qtd = 2;
    Jogar([&] {
        EXPECT_EQ(janela->Caption(), "Show da Quibo da Zanfre - Participante Ana");
        EXPECT_TRUE(janela->Visible());
        EXPECT_EQ(Posicao, 1);
        EXPECT_EQ(NivelAtual, 1);
        EXPECT_EQ(Sorteadas[1].Qtd, 1);
        EXPECT_EQ(Sorteadas[3].Qtd, 0);
        EXPECT_EQ(janela->Label1->Caption(), TextoPergunta(1, Sorteadas[1].Itens[0]));
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(Resposta(k)->Caption(),
                      QStringLiteral("%1) ").arg(k) + janela->Label1->Caption() + QStringLiteral(" R%1").arg(k));
            EXPECT_TRUE(Resposta(k)->Enabled());
        }
        EXPECT_EQ(Degrau(1)->Color(), clYellow);
        EXPECT_EQ(Degrau(2)->Color(), clSilver);
        EXPECT_FALSE(janela->Image21->Visible());
        EXPECT_EQ(janela->Label8->Caption(), "R$ 300,00");
        EXPECT_EQ(janela->Label9->Caption(), "R$ 1.000,00");
        EXPECT_EQ(janela->Label7->Caption(), "R$ 300,00");
        for (TButton* b : {janela->Button2, janela->Button3, janela->Button8, janela->Button9, janela->Button10,
                           janela->Button11})
            EXPECT_TRUE(b->Enabled());
        EXPECT_FALSE(janela->Memo1->Visible());
        EXPECT_EQ(ChamadasDe(h, "MediaPlayer1"), QVector<TMediaCall>({TMediaCall::Open, TMediaCall::Play}));
        EXPECT_TRUE(h.pauses.isEmpty());
        EXPECT_TRUE(h.dialogs.isEmpty());
    });
    EXPECT_TRUE(abertaAposJogadas);
}

// Each game seeds the generator when it opens, so the first question follows from the seed: the
// first candidate of a draw is thrown away while the level has questions not yet drawn.
TEST_F(NovoJogo, EachGameSeedsTheGeneratorBeforeItsFirstDraw)
{
    for (quint32 semente : {1u, 2u, 3u, 12345u, 4000000000u}) {
        SCOPED_TRACE(semente);
        Reiniciar();
        RandSeed = 99;
        h.SetSeed(semente);
        GeradorDeReferencia g{semente};
        g.abaixoDe(8);
        const int primeira = g.abaixoDe(8) + 1;
        Jogar([&] {
            EXPECT_EQ(janela->Label1->Caption(), TextoPergunta(1, primeira));
            EXPECT_EQ(RandSeed, g.estado);
        });
    }
}

TEST_F(NovoJogo, LongTextsAreShownWhole)
{
    TPergunta p{};
    std::fill(std::begin(p.Pergunta), std::end(p.Pergunta) - 1, u'q');
    // An answer that fills its field without an ending zero is still read to the field's end.
    std::fill(std::begin(p.Resposta1), std::end(p.Resposta1), u'a');
    CopyToFixedField(p.Resposta2, 41, QString(30, QChar(u'b')));
    CopyToFixedField(p.Resposta3, 41, QStringLiteral("três"));
    CopyToFixedField(p.Resposta4, 41, QString());
    p.Correta = 2;
    p.Nivel = 1;
    EscreverBanco(QVector<TPergunta>{p});
    Jogar([&] {
        EXPECT_EQ(janela->Label1->Caption(), QString(255, QChar(u'q')));
        EXPECT_EQ(janela->Label2->Caption(), "1) " + QString(41, QChar(u'a')));
        EXPECT_EQ(janela->Label3->Caption(), "2) " + QString(30, QChar(u'b')));
        EXPECT_EQ(janela->Label4->Caption(), "3) três");
        EXPECT_EQ(janela->Label5->Caption(), "4) ");
    });
}

TEST(ConfirmarRespostaTest, OnlyNoDeclinesTheFirstQuestionAndOnlyYesConfirmsTheSecond)
{
    struct Caso {
        const char* segunda;
        QVector<Dispensa> respostas;
        bool resultado;
    };
    const QVector<Caso> casos = {
        {"", {Dispensa::Sim}, true},
        {"", {Dispensa::X}, true},
        {"", {Dispensa::Nao}, false},
        {"", {Dispensa::Esc}, false},
        {"Posso Entregar o Ouro?", {Dispensa::Nao}, false},
        {"Posso Entregar o Ouro?", {Dispensa::Esc}, false},
        {"Posso Entregar o Ouro?", {Dispensa::Sim, Dispensa::Sim}, true},
        {"Posso Entregar o Ouro?", {Dispensa::X, Dispensa::Sim}, true},
        {"Posso Entregar o Ouro?", {Dispensa::Sim, Dispensa::Nao}, false},
        {"Posso Entregar o Ouro?", {Dispensa::Sim, Dispensa::Esc}, false},
        {"Posso Entregar o Ouro?", {Dispensa::Sim, Dispensa::X}, false},
        {"Posso Entregar o Ouro?", {Dispensa::X, Dispensa::X}, false},
    };
    for (const Caso& c : casos) {
        Harness h;
        NomeJogador = QStringLiteral("Ana");
        SCOPED_TRACE(testing::Message() << c.segunda << " / " << c.respostas.size());
        for (Dispensa d : c.respostas)
            ResponderProximoDialogo(h, d);
        EXPECT_EQ(ConfirmarResposta(QString::fromUtf8(c.segunda)), c.resultado);
        ASSERT_EQ(h.dialogs.size(), c.respostas.size());
        EXPECT_EQ(h.dialogs[0].text, "Ana Tem certeza de sua resposta ?");
        if (c.respostas.size() > 1) {
            EXPECT_EQ(h.dialogs[1].text, "Posso Entregar o Ouro?");
        }
        for (const auto& d : h.dialogs) {
            EXPECT_EQ(d.caption, "Confirma ?");
            EXPECT_EQ(d.buttons, QStringList({"&Sim", "&Não"}));
            EXPECT_EQ(d.helpContext, 0);
        }
        EXPECT_EQ(h.unansweredDialogs, 0);
    }
}

class Parada : public JogoDeTeste {};

TEST_F(Parada, StopPaysWhatWasWonOnlyWhenBothQuestionsAreConfirmed)
{
    struct Caso {
        int posicao;
        int tiques;
        QVector<Dispensa> respostas;
        const char* pago; // nullptr: the stop is declined
    };
    const QVector<Caso> casos = {
        {2, 0, {Dispensa::Sim, Dispensa::Sim}, "R$ 1.000,00"},
        {2, 0, {Dispensa::X, Dispensa::Sim}, "R$ 1.000,00"},
        {2, 0, {Dispensa::Nao}, nullptr},
        {2, 0, {Dispensa::Esc}, nullptr},
        {2, 0, {Dispensa::Sim, Dispensa::Nao}, nullptr},
        {2, 0, {Dispensa::Sim, Dispensa::Esc}, nullptr},
        {2, 0, {Dispensa::X, Dispensa::X}, nullptr},
        {16, 0, {Dispensa::Sim, Dispensa::Sim}, "R$ 500.000,00"},
        {16, 0, {Dispensa::Sim, Dispensa::Nao}, nullptr},
        // A full bar does not matter to the stop.
        {5, 60, {Dispensa::Sim, Dispensa::Sim}, "R$ 4.000,00"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "position " << c.posicao << ", answers " << c.respostas.size()
                                        << (c.pago ? " stopped" : " declined"));
        Reiniciar();
        qsizetype sonsAntes = 0;
        qsizetype pausasAntes = 0;
        qsizetype dialogosAntes = 0;
        QString pergunta;
        bool memoVisivel = false;
        Jogar([&] {
            AvancarAte(c.posicao);
            Tick(c.tiques);
            sonsAntes = h.sounds.size();
            pausasAntes = h.pauses.size();
            dialogosAntes = h.dialogs.size();
            pergunta = janela->Label1->Caption();
            memoVisivel = janela->Memo1->Visible();
            for (Dispensa d : c.respostas)
                ResponderProximoDialogo(h, d);
            Harness::Click(janela->Image21);
        });
        ASSERT_EQ(h.dialogs.size() - dialogosAntes, c.respostas.size());
        if (c.pago) {
            EXPECT_FALSE(abertaAposJogadas);
            EXPECT_FALSE(janela->Visible());
            EXPECT_TRUE(janela->Memo1->Visible());
            EXPECT_EQ(janela->Memo1->Lines().Text(),
                      QStringLiteral("Ana Receba %1! Obrigado por Participar!").arg(QString::fromUtf8(c.pago)));
            EXPECT_EQ(h.pauses.mid(pausasAntes), QVector<unsigned>{5000});
            ASSERT_EQ(h.sounds.size() - sonsAntes, 2);
            EXPECT_EQ(h.sounds[sonsAntes].player, "MediaPlayer6");
            EXPECT_EQ(h.sounds[sonsAntes].call, TMediaCall::Open);
            EXPECT_EQ(h.sounds[sonsAntes + 1].call, TMediaCall::Play);
        } else {
            EXPECT_TRUE(abertaAposJogadas);
            EXPECT_EQ(h.sounds.size(), sonsAntes);
            EXPECT_EQ(h.pauses.size(), pausasAntes);
            EXPECT_EQ(janela->Label1->Caption(), pergunta);
            EXPECT_EQ(janela->Memo1->Visible(), memoVisivel);
            EXPECT_EQ(Posicao, c.posicao);
        }
    }
}

class Pulo : public JogoDeTeste {};

TEST_F(Pulo, ThreeSkipsOnOneQuestionKeepThePositionAndItsAmounts)
{
    Jogar([&] {
        AvancarAte(3);
        QSet<QString> vistas = {janela->Label1->Caption()};
        const QString valendo = janela->Label9->Caption();
        const QString parar = janela->Label8->Caption();
        const QString errar = janela->Label7->Caption();
        for (TButton* pulo : {janela->Button11, janela->Button10, janela->Button9}) {
            SCOPED_TRACE(pulo->objectName().toStdString());
            Tick(20);
            const qsizetype sonsAntes = h.sounds.size();
            Harness::Click(pulo);
            EXPECT_FALSE(pulo->Enabled());
            EXPECT_EQ(Posicao, 3);
            EXPECT_EQ(NivelAtual, 1);
            EXPECT_EQ(janela->ProgressBar1->Position(), 0);
            EXPECT_FALSE(vistas.contains(janela->Label1->Caption()));
            vistas.insert(janela->Label1->Caption());
            EXPECT_EQ(janela->Label9->Caption(), valendo);
            EXPECT_EQ(janela->Label8->Caption(), parar);
            EXPECT_EQ(janela->Label7->Caption(), errar);
            EXPECT_EQ(Degrau(3)->Color(), clYellow);
            EXPECT_EQ(Degrau(4)->Color(), clSilver);
            ASSERT_EQ(h.sounds.size() - sonsAntes, 4);
            EXPECT_EQ(h.sounds[sonsAntes].player, "MediaPlayer5");
            EXPECT_EQ(h.sounds[sonsAntes + 2].player, "MediaPlayer1");
        }
        EXPECT_EQ(Sorteadas[1].Qtd, 6);
        // No fourth skip: the buttons take no clicks any more.
        const qsizetype sonsAntes = h.sounds.size();
        Harness::Click(janela->Button9);
        EXPECT_EQ(h.sounds.size(), sonsAntes);
        // The question after the skips is answered as any other.
        Responder(Certa());
        EXPECT_EQ(Posicao, 4);
    });
    EXPECT_TRUE(h.dialogs.size() >= 1);
    EXPECT_TRUE(abertaAposJogadas);
}

TEST_F(Pulo, SkipAtTheFirstQuestionOfALevelReadsTheBankAgain)
{
    struct Caso {
        int posicao;
        bool relido;
    };
    for (const Caso c : {Caso{1, true}, Caso{2, false}, Caso{5, false}, Caso{6, true}, Caso{7, false}, Caso{11, true}}) {
        SCOPED_TRACE(c.posicao);
        Reiniciar();
        Jogar([&] {
            AvancarAte(c.posicao);
            // The bank changes under the running game, as the editor may change it.
            EscreverBanco({8, 8, 8, 2}, QStringLiteral("Novo "));
            Harness::Click(janela->Button10);
            EXPECT_EQ(janela->Label1->Caption().startsWith("Novo "), c.relido) << janela->Label1->Caption().toStdString();
            EXPECT_EQ(Posicao, c.posicao);
        });
    }
}

TEST_F(Pulo, SkipAfterALifelineOffersAllFourAnswersAgain)
{
    Jogar([&] {
        AvancarAte(2);
        RandSeed = EstadoQueSorteia(4, 3);
        Harness::Click(janela->Button8);
        int habilitadas = 0;
        for (int k = 1; k <= 4; ++k)
            habilitadas += Resposta(k)->Enabled();
        ASSERT_EQ(habilitadas, 1);
        ASSERT_TRUE(janela->Memo1->Visible());
        Harness::Click(janela->Button11);
        for (int k = 1; k <= 4; ++k)
            EXPECT_TRUE(Resposta(k)->Enabled());
        EXPECT_FALSE(janela->Memo1->Visible());
        EXPECT_FALSE(janela->Button8->Enabled());
        EXPECT_FALSE(janela->Button11->Enabled());
        EXPECT_TRUE(janela->Button9->Enabled());
    });
}

TEST_F(Pulo, SkipWithAFullBarGivesTheNewQuestionItsWholeTime)
{
    Jogar([&] {
        AvancarAte(4);
        Tick(60);
        ASSERT_EQ(janela->ProgressBar1->Position(), 100);
        Harness::Click(janela->Button9);
        EXPECT_EQ(janela->ProgressBar1->Position(), 0);
        const qsizetype pausasAntes = h.pauses.size();
        Responder(Certa());
        EXPECT_EQ(h.pauses.mid(pausasAntes), QVector<unsigned>{2000});
        EXPECT_EQ(Posicao, 5);
    });
}
