// The start window driven as a player drives it: the name entry, the theme, the link, and one game
// per quiz window.

#include "Harness.h"

#include "Enderecos.h"
#include "UCreditos.h"
#include "UEntrada.h"
#include "Unit1.h"

#include "toolkit/Application.h"

#include <QFile>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QVector<TMediaCall> Chamadas(const QVector<SoundCall>& sons)
{
    QVector<TMediaCall> chamadas;
    for (const SoundCall& som : sons)
        chamadas.append(som.call);
    return chamadas;
}

using C = TMediaCall;

// What the start window looked like while its game ran.
struct Rodada {
    QPointer<TForm> janela;
    bool eraFrmPerguntas = false;
    bool quizVisivel = false;
    QString nome;
    bool menuVisivel = false;
};

class TelaInicialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.MakeRunFolder();
        NomeJogador.clear();
    }

    void TearDown() override { delete janela; }

    TFrmTelaInicial* Abrir()
    {
        janela = new TFrmTelaInicial(nullptr);
        janela->Show();
        return janela;
    }

    void MostrarEntrada() { Harness::Click(janela->BtnJogar); }

    bool EntradaVisivel() const
    {
        return janela->Edit1->Visible() && janela->BitOk->Visible() && janela->Label1->Visible()
               && !janela->BtnJogar->Visible();
    }

    bool MenuVisivel() const
    {
        return !janela->Edit1->Visible() && !janela->BitOk->Visible() && !janela->Label1->Visible()
               && janela->BtnJogar->Visible();
    }

    // The next game is ended at once with the quiz window's close box.
    void TerminarProximoJogo(Rodada& rodada)
    {
        h.OnNextModal([this, &rodada](TForm* quiz) {
            rodada.janela = quiz;
            rodada.eraFrmPerguntas = FrmPerguntas != nullptr && quiz == FrmPerguntas;
            rodada.quizVisivel = quiz->isVisible();
            rodada.nome = NomeJogador;
            rodada.menuVisivel = MenuVisivel();
            Harness::CloseBox(quiz);
        });
    }

    Harness h;
    TFrmTelaInicial* janela = nullptr;
};

} // namespace

TEST_F(TelaInicialTest, EmptyNameShowsTheNoticeAndChangesNothingElse)
{
    Abrir();
    MostrarEntrada();
    NomeJogador = QStringLiteral("anterior");
    const auto temaAntes = h.SoundsOf(QStringLiteral("tema01")).size();

    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->BitOk);

    ASSERT_EQ(h.dialogs.size(), 1);
    EXPECT_EQ(h.dialogs[0].text, QStringLiteral("Digite o seu nome"));
    EXPECT_EQ(h.dialogs[0].caption, Application->Title());
    EXPECT_EQ(h.dialogs[0].icon, TMsgIcon::None);
    EXPECT_EQ(h.dialogs[0].buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(h.SoundsOf(QStringLiteral("tema01")).size(), temaAntes); // the theme plays on
    EXPECT_EQ(NomeJogador, QStringLiteral("anterior"));
    EXPECT_TRUE(EntradaVisivel());
    EXPECT_TRUE(janela->Edit1->Text().isEmpty());
    EXPECT_EQ(FrmPerguntas, nullptr);
    EXPECT_EQ(h.unansweredModals, 0);
}

// Only an empty field is refused: blanks and a name longer than any ordinary field takes are
// the player's name as typed.
TEST_F(TelaInicialTest, AnyNonEmptyNameStartsAGameUnderThatName)
{
    const QString nomes[] = {QStringLiteral("Ana"), QStringLiteral("   "), QStringLiteral(" Jo\u00e3o "),
                             QString(40000, QLatin1Char('x'))};
    Abrir();
    for (const QString& nome : nomes) {
        SCOPED_TRACE(nome.size());
        MostrarEntrada();
        Harness::Click(janela->Edit1); // empties the last name
        if (nome.size() < 100 && nome.toLatin1() == nome.toUtf8())
            Harness::Type(janela->Edit1, nome);
        else
            janela->Edit1->SetText(nome); // pasted: typing it would take minutes
        Rodada rodada;
        TerminarProximoJogo(rodada);
        Harness::Click(janela->BitOk);

        ASSERT_FALSE(rodada.nome.isNull()) << "no game started";
        EXPECT_EQ(rodada.nome, nome);
        EXPECT_EQ(NomeJogador, nome);
        EXPECT_TRUE(rodada.eraFrmPerguntas);
        EXPECT_TRUE(rodada.quizVisivel);
        EXPECT_TRUE(rodada.menuVisivel) << "the menu comes back before the game begins";
        EXPECT_TRUE(rodada.janela.isNull()) << "the quiz window outlived its game";
        EXPECT_EQ(FrmPerguntas, nullptr);
        EXPECT_TRUE(MenuVisivel());
        EXPECT_EQ(janela->Edit1->Text(), nome);
    }
    EXPECT_TRUE(h.dialogs.isEmpty());
    EXPECT_EQ(h.unansweredModals, 0);
}

TEST_F(TelaInicialTest, EnterInTheNameFieldActsAsEntrarOnlyWhileTheEntryIsShown)
{
    Abrir();
    // In the menu Enter finds no "Entrar" to press.
    Harness::Key(janela, Qt::Key_Return);
    EXPECT_TRUE(MenuVisivel());
    EXPECT_TRUE(h.dialogs.isEmpty());

    MostrarEntrada();
    Harness::Type(janela->Edit1, QStringLiteral("Rute"));
    for (const auto modificador : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        Harness::Key(janela->Edit1, Qt::Key_Return, modificador);
    EXPECT_TRUE(EntradaVisivel()) << "only a plain Enter presses \"Entrar\"";
    EXPECT_TRUE(NomeJogador.isEmpty());
    Rodada rodada;
    TerminarProximoJogo(rodada);
    Harness::Key(janela->Edit1, Qt::Key_Return);
    EXPECT_EQ(rodada.nome, QStringLiteral("Rute"));
    EXPECT_EQ(FrmPerguntas, nullptr);

    // Back in the menu after the game: Enter does nothing again, and with an empty field it asks
    // for a name instead of starting a game.
    Harness::Key(janela, Qt::Key_Return);
    EXPECT_TRUE(h.dialogs.isEmpty());
    MostrarEntrada();
    janela->Edit1->Clear();
    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Key(janela->Edit1, Qt::Key_Enter);
    ASSERT_EQ(h.dialogs.size(), 1);
    EXPECT_EQ(h.dialogs[0].text, QStringLiteral("Digite o seu nome"));
    EXPECT_EQ(h.unansweredModals, 0);
}

TEST_F(TelaInicialTest, EveryClickInTheNameFieldEmptiesIt)
{
    Abrir();
    janela->Edit1->SetText(QStringLiteral("guardado"));
    MostrarEntrada();
    EXPECT_EQ(janela->Edit1->Text(), QStringLiteral("guardado")) << "receiving the focus keeps the text";
    EXPECT_TRUE(janela->Edit1->hasFocus());

    for (const QString& nome : {QStringLiteral("Davi"), QStringLiteral("Davi Rei")}) {
        Harness::Type(janela->Edit1, nome);
        Harness::Click(janela->Edit1);
        EXPECT_TRUE(janela->Edit1->Text().isEmpty()) << nome.toStdString();
    }
}

TEST_F(TelaInicialTest, AfterAGameTheLastNameStartsTheNextGameInANewQuizWindow)
{
    Abrir();
    MostrarEntrada();
    Harness::Type(janela->Edit1, QStringLiteral("Ester"));
    Rodada primeira;
    TerminarProximoJogo(primeira);
    Harness::Click(janela->BitOk);
    ASSERT_EQ(primeira.nome, QStringLiteral("Ester"));
    EXPECT_TRUE(primeira.janela.isNull());
    EXPECT_EQ(NomeJogador, QStringLiteral("Ester")) << "the name outlives the game";

    MostrarEntrada();
    EXPECT_EQ(janela->Edit1->Text(), QStringLiteral("Ester"));
    Rodada segunda;
    TerminarProximoJogo(segunda);
    Harness::Click(janela->BitOk);
    EXPECT_EQ(segunda.nome, QStringLiteral("Ester"));
    EXPECT_TRUE(segunda.eraFrmPerguntas);
    EXPECT_TRUE(segunda.janela.isNull());
    EXPECT_EQ(FrmPerguntas, nullptr);
    for (QObject* filho : janela->children())
        EXPECT_EQ(dynamic_cast<TFrmPerguntas*>(filho), nullptr) << "a quiz window outlived its game";
}

// The theme plays once, when the window first shows; each accepted "Entrar" silences it, and
// nothing plays it again.
TEST_F(TelaInicialTest, ThemePlaysAtFirstShowingAndStopsForGood)
{
    Abrir();
    EXPECT_EQ(Chamadas(h.SoundsOf(QStringLiteral("tema01"))), (QVector<C>{C::Close, C::Open, C::Play}));
    for (const SoundCall& som : h.SoundsOf(QStringLiteral("tema01")))
        EXPECT_EQ(som.file, QStringLiteral("audio\\tema01.mp3"));

    for (int jogo = 0; jogo < 2; ++jogo) {
        MostrarEntrada();
        Harness::Type(janela->Edit1, QStringLiteral("Paulo"));
        Rodada rodada;
        TerminarProximoJogo(rodada);
        Harness::Click(janela->BitOk);
    }
    EXPECT_EQ(Chamadas(h.SoundsOf(QStringLiteral("tema01"))),
              (QVector<C>{C::Close, C::Open, C::Play, C::Close, C::Open, C::Stop, C::Close, C::Open, C::Stop}));
    EXPECT_TRUE(janela->tema01->IsOpen());
    EXPECT_FALSE(janela->tema01->IsPlaying());
}

TEST_F(TelaInicialTest, MissingThemeShowsErrorsAndNoGameStarts)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("audio/tema01.mp3")));
    h.AnswerNextDialog(QStringLiteral("OK"));
    Abrir();
    EXPECT_TRUE(janela->isVisible()) << "the window opens all the same";
    ASSERT_EQ(h.dialogs.size(), 1);
    EXPECT_EQ(h.dialogs[0].icon, TMsgIcon::Error);
    EXPECT_EQ(h.dialogs[0].caption, Application->Title());
    EXPECT_TRUE(h.dialogs[0].text.contains(QStringLiteral("tema01"))) << h.dialogs[0].text.toStdString();
    EXPECT_FALSE(Chamadas(h.SoundsOf(QStringLiteral("tema01"))).contains(C::Play));

    MostrarEntrada();
    Harness::Type(janela->Edit1, QStringLiteral("Marta"));
    for (int tentativa = 1; tentativa <= 2; ++tentativa) {
        h.AnswerNextDialog(QStringLiteral("OK"));
        Harness::Click(janela->BitOk);
        ASSERT_EQ(h.dialogs.size(), 1 + tentativa);
        EXPECT_EQ(h.dialogs.last().icon, TMsgIcon::Error);
        EXPECT_TRUE(NomeJogador.isEmpty());
        EXPECT_TRUE(EntradaVisivel());
        EXPECT_EQ(janela->Edit1->Text(), QStringLiteral("Marta"));
        EXPECT_EQ(FrmPerguntas, nullptr);
    }
    EXPECT_EQ(h.unansweredModals, 0);
    EXPECT_EQ(h.unansweredDialogs, 0);
}

TEST_F(TelaInicialTest, LinkIsBlackThenBlueUnderThePointerThenWhiteForGood)
{
    Abrir();
    TLabel* link = janela->Label2;
    EXPECT_TRUE(link->hasMouseTracking()) << "the pointer's moves reach the link without a button held";
    EXPECT_EQ(link->FontColor(), clBlack);
    const TColor esperado[] = {clBlue, clWhite, clBlue, clBlue, clWhite};
    const bool sobre[] = {true, false, true, true, false};
    for (int passo = 0; passo < 5; ++passo) {
        if (sobre[passo])
            Harness::MoveMouseOver(link);
        else
            Harness::LeaveWidget(link);
        EXPECT_EQ(link->FontColor(), esperado[passo]) << "step " << passo;
    }
    EXPECT_EQ(link->Color(), clSilver);
}

TEST_F(TelaInicialTest, LinkShowsAndOpensTheSite)
{
    Abrir();
    EXPECT_EQ(janela->Label2->Caption(), HostSite);
    Harness::Click(janela->Label2);
    Harness::Click(janela->Label2);
    EXPECT_EQ(h.openedAddresses, (QStringList{EnderecoSite, EnderecoSite}));
    EXPECT_TRUE(h.dialogs.isEmpty());
    // Only a label is a link: the same handler reached from elsewhere opens nothing.
    janela->Label2Click(janela->BtnJogar);
    EXPECT_EQ(h.openedAddresses.size(), 2);
}

TEST_F(TelaInicialTest, ExitPictureClosesTheWindow)
{
    Abrir();
    Harness::Click(janela->BtnSair);
    EXPECT_FALSE(janela->isVisible());
}

// As the program's main window, closing it by the exit picture or the close box ends the event
// loop, and the credits windows it owns go with it.
TEST(TelaInicialPrincipalTest, ClosingTheMainWindowEndsTheProgramWithCreditsOpen)
{
    for (const bool pelaFigura : {true, false}) {
        SCOPED_TRACE(pelaFigura ? "exit picture" : "close box");
        Harness h;
        h.MakeRunFolder();
        ASSERT_EQ(Application->MainForm(), nullptr);
        Application->CreateForm(FrmTelaInicial);
        TFrmTelaInicial* principal = FrmTelaInicial;
        ASSERT_EQ(Application->MainForm(), principal);

        QList<QPointer<TFrmCredito>> creditos;
        bool fechou = false;
        QTimer::singleShot(0, principal, [&] {
            for (int i = 0; i < 2; ++i) {
                Harness::Click(principal->BtnCreditos);
                creditos << QPointer<TFrmCredito>(FrmCredito);
            }
            Harness::Click(creditos[0]->Button1); // one hidden, one still on screen
            if (pelaFigura)
                Harness::Click(principal->BtnSair);
            else
                Harness::CloseBox(principal);
            fechou = true;
        });
        // Only reached if closing failed to end the loop: the test fails instead of hanging.
        QTimer guarda;
        guarda.setSingleShot(true);
        QObject::connect(&guarda, &QTimer::timeout, [] { Application->Terminate(); });
        guarda.start(20000);
        Application->Run();
        EXPECT_TRUE(guarda.isActive()) << "the loop did not end when the start window closed";
        guarda.stop();

        EXPECT_TRUE(fechou);
        EXPECT_TRUE(Application->Terminated());
        EXPECT_FALSE(principal->isVisible());
        ASSERT_EQ(creditos.size(), 2);
        EXPECT_FALSE(creditos[0].isNull());
        delete principal; // what the application object does as the program ends
        FrmTelaInicial = nullptr;
        EXPECT_TRUE(creditos[0].isNull());
        EXPECT_TRUE(creditos[1].isNull());
        EXPECT_EQ(Application->MainForm(), nullptr);
    }
}
