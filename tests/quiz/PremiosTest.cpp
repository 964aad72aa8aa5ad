#include "app/quiz/Premios.h"
#include "toolkit/Locale.h"

#include <gtest/gtest.h>

namespace {

// What each position shows under Brazilian settings: worth, stop (empty where not offered), wrong.
const struct {
    int posicao;
    const char* vale;
    const char* parar;
    const char* errar;
} Escada[] = {
    {1, "R$ 1.000,00", "", "R$ 300,00"},
    {2, "R$ 2.000,00", "R$ 1.000,00", "R$ 500,00"},
    {3, "R$ 3.000,00", "R$ 2.000,00", "R$ 1.000,00"},
    {4, "R$ 4.000,00", "R$ 3.000,00", "R$ 1.500,00"},
    {5, "R$ 5.000,00", "R$ 4.000,00", "R$ 2.000,00"},
    {6, "R$ 10.000,00", "R$ 5.000,00", "R$ 2.500,00"},
    {7, "R$ 20.000,00", "R$ 10.000,00", "R$ 5.000,00"},
    {8, "R$ 30.000,00", "R$ 20.000,00", "R$ 10.000,00"},
    {9, "R$ 40.000,00", "R$ 30.000,00", "R$ 15.000,00"},
    {10, "R$ 50.000,00", "R$ 40.000,00", "R$ 20.000,00"},
    {11, "R$ 100.000,00", "R$ 50.000,00", "R$ 25.000,00"},
    {12, "R$ 200.000,00", "R$ 100.000,00", "R$ 50.000,00"},
    {13, "R$ 300.000,00", "R$ 200.000,00", "R$ 100.000,00"},
    {14, "R$ 400.000,00", "R$ 300.000,00", "R$ 150.000,00"},
    {15, "R$ 500.000,00", "R$ 400.000,00", "R$ 200.000,00"},
    {16, "R$ 1.000.000,00", "R$ 500.000,00", "R$ 300,00"},
};

// The expected text under another separator: the dots of the amount change, ",00" and the fixed
// "R$ 300,00" do not.
QString ComSeparador(const char* texto, const QString& separador)
{
    QString s = QString::fromUtf8(texto);
    return s.replace(u'.', separador);
}

TEST(Escada, ValoresEmJogoEmCadaPosicaoSobQualquerSeparador)
{
    for (const QString& separador :
         {QStringLiteral("."), QStringLiteral(","), QString(), QStringLiteral("\u00A0")}) {
        ApplyThousandSeparator(separador);
        for (const auto& linha : Escada) {
            const int p = linha.posicao;
            Posicao = quint8(p);
            const QString contexto = QStringLiteral("posição %1, separador '%2'").arg(p).arg(separador);
            EXPECT_EQ(FormatarValor(Premios[p]), ComSeparador(linha.vale, separador)) << qPrintable(contexto);
            if (p > 1) {
                EXPECT_EQ(FormatarValor(Premios[p - 1]), ComSeparador(linha.parar, separador))
                    << qPrintable(contexto);
            }
            EXPECT_EQ(ValorSeErrar(), ComSeparador(linha.errar, separador)) << qPrintable(contexto);
        }
    }
}

TEST(Escada, ValoresAvulsosEConsolacaoFixa)
{
    ApplyThousandSeparator(QStringLiteral("."));
    EXPECT_EQ(FormatarValor(0), QStringLiteral("R$ 0,00"));
    EXPECT_EQ(FormatarValor(500), QStringLiteral("R$ 500,00"));
    EXPECT_EQ(FormatarValor(999), QStringLiteral("R$ 999,00"));
    EXPECT_EQ(FormatarValor(100000), QStringLiteral("R$ 100.000,00"));
    EXPECT_EQ(FormatarValor(2147483647), QStringLiteral("R$ 2.147.483.647,00"));

    const struct {
        int posicao;
        const char* errar;
    } casos[] = {{1, "R$ 300,00"}, {2, "R$ 500,00"}, {11, "R$ 25 000,00"}, {16, "R$ 300,00"}};
    ApplyThousandSeparator(QStringLiteral(" "));
    for (const auto& c : casos) {
        Posicao = quint8(c.posicao);
        EXPECT_EQ(ValorSeErrar(), QString::fromUtf8(c.errar)) << c.posicao;
    }
}

TEST(Escada, TabelaDePremiosENivelDeCadaPosicao)
{
    const qint32 premios[17] = {0,     1000,   2000,   3000,   4000,   5000,   10000,  20000, 30000,
                                40000, 50000, 100000, 200000, 300000, 400000, 500000, 1000000};
    for (int k = 0; k <= 16; ++k)
        EXPECT_EQ(Premios[k], premios[k]) << k;

    const int niveis[17] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4};
    for (int p = 1; p <= 16; ++p)
        EXPECT_EQ(NivelDaPosicao(p), niveis[p]) << p;
}

} // namespace
