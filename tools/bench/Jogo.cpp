// One whole game played by the game's own program entry, for the peak memory of a game: the start
// window with its theme, "Jogar", a name, "Entrar", then sixteen right answers in the quiz window,
// each confirmed in its dialog, with the pauses made no-ops through the toolkit's seam. Once the
// game is over the start window closes and the program ends. Ends with exit code 3 when the game
// does not run through.

#include "Programa.h"
#include "UEntrada.h"
#include "Unit1.h"

#include "app/quiz/NivelPool.h"
#include "toolkit/Application.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/Pause.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

int respondidas = 0;

void ResponderCerto(TForm* janela)
{
    auto* quiz = dynamic_cast<TFrmPerguntas*>(janela);
    if (!quiz)
        return;
    const std::array<TLabel*, 4> respostas = {quiz->Label2, quiz->Label3, quiz->Label4, quiz->Label5};
    while (quiz->InModalRun() && !quiz->CloseRequested() && respondidas < 16) {
        const int certa = PerguntaAtual.Correta;
        if (certa < 1 || certa > 4)
            return;
        ++respondidas;
        QTest::mouseClick(respostas[certa - 1], Qt::LeftButton);
    }
}

void Jogar()
{
    if (!FrmTelaInicial || !FrmTelaInicial->isVisible())
        return;
    QTest::mouseClick(FrmTelaInicial->BtnJogar, Qt::LeftButton);
    QTest::keyClicks(FrmTelaInicial->Edit1, QStringLiteral("Bench"));
    QTest::mouseClick(FrmTelaInicial->BitOk, Qt::LeftButton);
    const bool inteiro = respondidas == 16;
    FrmTelaInicial->Close();
    if (!inteiro)
        std::exit(3);
}

void AoCriarAplicacao()
{
    SetPauseRecorder([](unsigned) {});
    SetMessageDialogHook([](TMessageDialog& dialogo) { dialogo.PressButton(0); });
    SetModalStartHook(ResponderCerto);
    QTimer::singleShot(0, qApp, Jogar);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(AoCriarAplicacao)

int main(int argc, char** argv)
{
    return ProgramaPrincipal(argc, argv);
}
