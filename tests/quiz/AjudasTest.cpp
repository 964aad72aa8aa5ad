#include "app/quiz/Ajudas.h"
#include "quiz/GeradorDeReferencia.h"
#include "toolkit/Random.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

const QString Nome = QStringLiteral("Ana");

TEST(Cartas, TextosParaCadaQuantidade)
{
    const char* textos[] = {
        "Ana Oh, Que Pena! Você Tirou um \"X\"\r\nNenhuma Resposta será eliminada!",
        "Ana Você tirou um 1 Folhas. Vamos eliminar 1 Resposta(s)!",
        "Ana Você tirou um 2 Folhas. Vamos eliminar 2 Resposta(s)!",
        "Ana Você tirou um 3 Folhas. Vamos eliminar 3 Resposta(s)!",
    };
    for (int n = 0; n <= 3; ++n)
        EXPECT_EQ(TextoCartas(Nome, n), QString::fromUtf8(textos[n])) << n;
}

TEST(Cartas, RemovemAsPrimeirasErradasNuncaACerta)
{
    const std::array<bool, 4> todas{true, true, true, true};
    // eliminadas[correta][n]
    const QVector<int> eliminadas[5][4] = {
        {},
        {{}, {2}, {2, 3}, {2, 3, 4}},
        {{}, {1}, {1, 3}, {1, 3, 4}},
        {{}, {1}, {1, 2}, {1, 2, 4}},
        {{}, {1}, {1, 2}, {1, 2, 3}},
    };
    for (int correta = 1; correta <= 4; ++correta)
        for (int n = 0; n <= 3; ++n)
            EXPECT_EQ(RespostasAEliminar(n, todas, correta), eliminadas[correta][n])
                << "correta " << correta << ", n " << n;

    // An answer already gone is passed over and not counted.
    EXPECT_EQ(RespostasAEliminar(2, {false, true, true, true}, 4), (QVector<int>{2, 3}));
    // A right answer that is none of the four protects nothing; the last answer still stays.
    EXPECT_EQ(RespostasAEliminar(3, todas, 0), (QVector<int>{1, 2, 3}));
}

TEST(Cartas, QuantidadeEUmSorteioAbaixoDeQuatro)
{
    for (const quint32 semente : {0u, 1u, 777u, 0xDEADBEEFu}) {
        RandSeed = semente;
        GeradorDeReferencia ref{semente};
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(SortearCartas(), ref.abaixoDe(4));
    }
}

TEST(Pastores, OrdemDosSorteiosPorNivel)
{
    const int chance[] = {0, 8, 5, 3};
    for (int nivel = 1; nivel <= 3; ++nivel) {
        EXPECT_EQ(AcertoPastores[nivel], chance[nivel]);
        for (quint32 semente = 0; semente < 200; ++semente) {
            const int correta = int(semente % 4) + 1;
            RandSeed = semente;
            GeradorDeReferencia ref{semente};
            std::array<int, 3> esperado{};
            for (int& o : esperado)
                o = PalpiteDeReferencia(ref, chance[nivel], correta);
            ASSERT_EQ(OpinioesPastores(nivel, correta), esperado) << nivel << "/" << semente;
            ASSERT_EQ(RandSeed, ref.estado);
        }
    }
}

TEST(Pastores, TextoComRetornoSozinho)
{
    EXPECT_EQ(TextoPastores(Nome, {2, 2, 4}), QStringLiteral("Ana, os 3 Pastores acham que é: \r2, 2, 4"));
    EXPECT_FALSE(TextoPastores(Nome, {1, 3, 4}).contains(u'\n'));
}

TEST(Irmaos, OrdemDosSorteiosEDozeVotos)
{
    const int chance[] = {0, 7, 4, 2};
    for (int nivel = 1; nivel <= 3; ++nivel) {
        EXPECT_EQ(AcertoIrmaos[nivel], chance[nivel]);
        for (quint32 semente = 0; semente < 200; ++semente) {
            const int correta = int(semente % 4) + 1;
            RandSeed = semente * 48271u;
            GeradorDeReferencia ref{RandSeed};
            std::array<int, 5> esperado{};
            for (int j = 0; j < 12; ++j)
                ++esperado[PalpiteDeReferencia(ref, chance[nivel], correta)];
            const std::array<int, 5> votos = VotosIrmaos(nivel, correta);
            ASSERT_EQ(votos, esperado) << nivel << "/" << semente;
            ASSERT_EQ(votos[0], 0);
            ASSERT_EQ(std::accumulate(votos.begin(), votos.end(), 0), 12);
        }
    }
}

TEST(Irmaos, MediaDeVotosNaCertaPorNivel)
{
    const double media[] = {0, 9.3, 6.6, 4.8};
    for (int nivel = 1; nivel <= 3; ++nivel) {
        RandSeed = 2024;
        const int rodadas = 4000;
        long certos = 0;
        for (int i = 0; i < rodadas; ++i)
            certos += VotosIrmaos(nivel, 3)[3];
        // Twelve votes a round; the mean of 4000 rounds wanders by about 0.03.
        EXPECT_NEAR(double(certos) / rodadas, media[nivel], 0.15) << nivel;
    }
}

TEST(Irmaos, TextoUmaLinhaPorRespostaVotada)
{
    const struct {
        std::array<int, 5> votos;
        const char* texto;
    } casos[] = {
        {{0, 0, 9, 1, 2},
         "Ana 9 dos irmãos levataram a Placa Número 2.\r\n"
         " 1 Irmão levantou a Placa Número 3.\r\n"
         " 2 dos irmãos levataram a Placa Número 4.\r\n"},
        {{0, 12, 0, 0, 0}, "Ana 12 dos irmãos levataram a Placa Número 1.\r\n"},
        {{0, 0, 0, 0, 12}, "Ana 12 dos irmãos levataram a Placa Número 4.\r\n"},
        {{0, 3, 3, 3, 3},
         "Ana 3 dos irmãos levataram a Placa Número 1.\r\n 3 dos irmãos levataram a Placa Número 2.\r\n"
         " 3 dos irmãos levataram a Placa Número 3.\r\n 3 dos irmãos levataram a Placa Número 4.\r\n"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoIrmaos(Nome, c.votos), QString::fromUtf8(c.texto));
}

TEST(Ajudas, CertaForaDeUmAQuatroNuncaENomeada)
{
    for (const int correta : {0, 5, 255}) {
        for (int nivel = 1; nivel <= 3; ++nivel) {
            RandSeed = quint32(correta * 10 + nivel);
            for (int rodada = 0; rodada < 300; ++rodada) {
                for (const int o : OpinioesPastores(nivel, correta))
                    ASSERT_TRUE(o >= 1 && o <= 4) << o;
                const std::array<int, 5> votos = VotosIrmaos(nivel, correta);
                ASSERT_EQ(votos[0], 0);
                ASSERT_EQ(std::accumulate(votos.begin(), votos.end(), 0), 12);
            }
        }
    }
}

} // namespace
