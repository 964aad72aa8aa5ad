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
