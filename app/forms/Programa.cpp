#include "Programa.h"

#include "Dialogs.h"
#include "UEntrada.h"

#include "toolkit/Application.h"
#include "toolkit/SingleInstance.h"

const QString NomeMutexInstancia = QStringLiteral("[{23B1EEFF-4775-4FA9-9C5-6BFEAC48F551}]");

int ProgramaPrincipal(int argc, char** argv)
{
    // The application object comes first: a second copy needs it to show its notice, captioned
    // with the title made from the program file's name.
    TApplication aplicacao(argc, argv);

    if (!AcquireInstanceLock(NomeMutexInstancia)) {
        // The running copy is left alone; this one just says so and goes.
        ShowNotice(QStringLiteral("O Quibo da Zanfre já está em execução"));
        return 0;
    }

    Application->Initialize();
    Application->SetTitle(QStringLiteral("Show da Quibo da Zanfre"));
    Application->CreateForm(FrmTelaInicial);
    Application->Run();
    return 0;
}
