// The game's program entry run as a real process for test_program. It adds only what a test needs
// to watch and steer it from outside, through stdout lines and one environment variable:
//   AVISO|<caption>|<text>      a message box was shown (answered as PELVANT_AJUDANTE_RESPOSTA says)
//   PRONTO|<title>|<main form>  the start window is on screen and the event loop runs
//   CREDITOS|<n>                credits windows opened before closing
//   FIM|<exit code>             the program entry returned
// PELVANT_AJUDANTE_ACAO: "ficar" (default: run until killed), "sair" (exit picture) or "fechar"
// (close box), each of the last two after opening two credits windows.
// PELVANT_AJUDANTE_RESPOSTA: "ok" (default), "esc" or "fechar" for every message box.

#include "Programa.h"
#include "UCreditos.h"
#include "UEntrada.h"

#include "toolkit/Application.h"
#include "toolkit/MessageDialog.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

void Escrever(const QString& linha)
{
    std::fputs(linha.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString Variavel(const char* nome, const char* padrao)
{
    const QByteArray valor = qgetenv(nome);
    return QString::fromLocal8Bit(valor.isEmpty() ? QByteArray(padrao) : valor);
}

void ResponderDialogo(TMessageDialog& dialogo)
{
    Escrever(QStringLiteral("AVISO|%1|%2").arg(dialogo.Setup().caption, dialogo.Setup().text));
    const QString resposta = Variavel("PELVANT_AJUDANTE_RESPOSTA", "ok");
    if (resposta == QLatin1String("esc"))
        dialogo.PressKey(Qt::Key_Escape);
    else if (resposta == QLatin1String("fechar"))
        dialogo.CloseBox();
    else
        dialogo.PressButton(0);
}

void Conduzir()
{
    TForm* principal = Application ? Application->MainForm() : nullptr;
    if (!principal || !principal->isVisible())
        return; // a second copy: its notice runs this loop, and no window of the game exists
    Escrever(QStringLiteral("PRONTO|%1|%2|%3")
                 .arg(Application->Title(), principal->objectName(),
                      principal == FrmTelaInicial ? QStringLiteral("FrmTelaInicial") : QStringLiteral("outra")));

    const QString acao = Variavel("PELVANT_AJUDANTE_ACAO", "ficar");
    if (acao != QLatin1String("sair") && acao != QLatin1String("fechar"))
        return;
    QTest::mouseClick(FrmTelaInicial->BtnCreditos, Qt::LeftButton);
    QTest::mouseClick(FrmTelaInicial->BtnCreditos, Qt::LeftButton);
    int abertas = 0;
    for (QObject* filho : FrmTelaInicial->children()) {
        auto* janela = dynamic_cast<TFrmCredito*>(filho);
        abertas += janela && janela->isVisible() ? 1 : 0;
    }
    Escrever(QStringLiteral("CREDITOS|%1").arg(abertas));
    if (acao == QLatin1String("sair"))
        QTest::mouseClick(FrmTelaInicial->BtnSair, Qt::LeftButton);
    else
        FrmTelaInicial->close(); // what the title bar's close box sends
}

// Runs as soon as the application object exists: the first event loop (the notice's or the
// program's) then looks at what is on screen.
void AoCriarAplicacao()
{
    SetMessageDialogHook(ResponderDialogo);
    QTimer::singleShot(0, qApp, Conduzir);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(AoCriarAplicacao)

int main(int argc, char** argv)
{
    const int codigo = ProgramaPrincipal(argc, argv);
    Escrever(QStringLiteral("FIM|%1").arg(codigo));
    return codigo;
}
