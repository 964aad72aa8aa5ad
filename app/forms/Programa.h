#pragma once

#include <QString>

// The lock that keeps a second copy of the game from starting in the same user session.
extern const QString NomeMutexInstancia;

// The program: the application object, the single-instance check, the title, the start window and
// the event loop until that window closes. Returns the process's exit code.
int ProgramaPrincipal(int argc, char** argv);
