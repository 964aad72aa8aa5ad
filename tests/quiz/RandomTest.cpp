#include "quiz/GeradorDeReferencia.h"
#include "toolkit/Random.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Gerador, SequenciaConhecidaASemente0)
{
    const struct {
        int n;
        quint32 estado;
        int valor;
    } passos[] = {
        {1000, 1u, 0},
        {1000, 134775814u, 31},
        {1000, 3698175007u, 861},
        {INT_MAX, 870078620u, 435039309},
        {INT_MAX, 1172187917u, 586093958},
    };
    RandSeed = 0;
    for (const auto& p : passos) {
        EXPECT_EQ(RandomBelow(p.n), p.valor);
        EXPECT_EQ(RandSeed, p.estado);
    }
}

TEST(Gerador, SegueAFormulaParaQualquerSementeELimite)
{
    for (const quint32 semente : {0u, 1u, 12345u, 0x80000000u, 0xFFFFFFFFu}) {
        RandSeed = semente;
        GeradorDeReferencia referencia{semente};
        for (const int n : {1, 2, 4, 10, 255, 1000000, INT_MAX}) {
            for (int i = 0; i < 50; ++i) {
                const int r = RandomBelow(n);
                ASSERT_EQ(r, referencia.abaixoDe(n));
                ASSERT_GE(r, 0);
                ASSERT_LT(r, n);
            }
        }
    }
}

TEST(Gerador, SementeVemDaFonteDeTesteEnquantoInstalada)
{
    int chamadas = 0;
    SetSeedSourceForTesting([&chamadas] {
        ++chamadas;
        return 424242u;
    });
    RandSeed = 7;
    SeedRandomFromClock();
    EXPECT_EQ(RandSeed, 424242u);
    SetSeedSourceForTesting({});
    SeedRandomFromClock();
    EXPECT_EQ(chamadas, 1) << "the removed source was still asked for a seed";
}

} // namespace
