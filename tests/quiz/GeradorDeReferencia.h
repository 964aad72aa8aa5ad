#pragma once

#include <QtGlobal>

// The generator's formula written out on its own, to predict what the game must draw.
struct GeradorDeReferencia {
    quint32 estado;
    int abaixoDe(int n)
    {
        estado = quint32((quint64(estado) * 134775813u + 1u) & 0xFFFFFFFFu);
        return int((quint64(n) * estado) >> 32);
    }
};

// One adviser or one vote: a draw below ten, and a draw below four only when that one missed.
inline int PalpiteDeReferencia(GeradorDeReferencia& ref, int t, int correta)
{
    if (ref.abaixoDe(10) + 1 <= t)
        return correta;
    return ref.abaixoDe(4) + 1;
}
