// The game's start-up as the player gets it: the program entry of the game, with the same windows
// and libraries, ended once the start window has been painted for the first time.

#include "PrimeiroDesenho.h"
#include "Programa.h"

#include "toolkit/Application.h"

namespace {

void AoCriarAplicacao()
{
    qApp->installEventFilter(new FimNoPrimeiroDesenho([]() -> QWidget* {
        return Application ? Application->MainForm() : nullptr;
    }));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(AoCriarAplicacao)

int main(int argc, char** argv)
{
    return ProgramaPrincipal(argc, argv);
}
