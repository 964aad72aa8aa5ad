// The reference of the start-up figure: an empty Qt Widgets window with the start window's client
// size, ended once it has been painted.

#include "PrimeiroDesenho.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication aplicacao(argc, argv);
    QWidget janela;
    janela.setFixedSize(679, 465);
    FimNoPrimeiroDesenho fim([&janela]() -> QWidget* { return &janela; });
    aplicacao.installEventFilter(&fim);
    janela.show();
    return aplicacao.exec();
}
