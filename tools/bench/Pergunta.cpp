// Presenting a question in the quiz window, beyond the game's pauses:
//
//   bench_pergunta <run folder> <games>
//
// In the run folder (its bank, its sounds), with the pause made a no-op through the toolkit's seam,
// a quiz window plays <games> games of sixteen presentations each (the new game's first question,
// then ProximaPergunta up to the last question), after one game of warm-up. Each presentation is
// timed on its own; the window repaints between them, untimed. Prints "A <median ms>".

#include "Unit1.h"
#include "UEntrada.h"

#include "toolkit/Application.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/Pause.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

template <class F>
double Cronometrar(F&& f)
{
    const auto inicio = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
}

} // namespace

int main(int argc, char** argv)
{
    TApplication aplicacao(argc, argv);
    if (argc != 3 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "uso: bench_pergunta <run folder> <games>\n");
        return 2;
    }
    const int jogos = std::max(1, std::atoi(argv[2]));
    SetPauseRecorder([](unsigned) {});
    bool algumAviso = false;
    SetMessageDialogHook([&](TMessageDialog& dialogo) {
        algumAviso = true;
        dialogo.PressButton(0);
    });
    NomeJogador = QStringLiteral("Bench");
    FrmPerguntas = new TFrmPerguntas(nullptr);
    FrmPerguntas->show();
    QCoreApplication::processEvents();

    std::vector<double> tempos;
    for (int jogo = 0; jogo <= jogos; ++jogo) {
        std::vector<double> deste;
        deste.push_back(Cronometrar([] { FrmPerguntas->FormShow(nullptr); }));
        QCoreApplication::processEvents();
        for (int posicao = 2; posicao <= 16; ++posicao) {
            deste.push_back(Cronometrar([] { FrmPerguntas->ProximaPergunta(false); }));
            QCoreApplication::processEvents();
        }
        if (jogo > 0)
            tempos.insert(tempos.end(), deste.begin(), deste.end());
    }
    if (algumAviso || FrmPerguntas->Memo1->Lines().Text().contains(QStringLiteral("Erro"))) {
        std::fprintf(stderr, "bench_pergunta: the game did not run through (an error box or a bank error)\n");
        return 1;
    }
    delete FrmPerguntas;
    FrmPerguntas = nullptr;

    std::sort(tempos.begin(), tempos.end());
    const size_t n = tempos.size();
    std::printf("A %.3f\n", n % 2 ? tempos[n / 2] : (tempos[n / 2 - 1] + tempos[n / 2]) / 2);
    return 0;
}
