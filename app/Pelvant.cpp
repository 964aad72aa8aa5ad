#include "Programa.h"

int main(int argc, char** argv)
{
    return ProgramaPrincipal(argc, argv);
}
