#include "tools/FontePerguntas.h"

#include <gtest/gtest.h>

namespace {

QByteArray Linha(const QString& nivel, const QString& correta, const QString& pergunta,
                 const QString& resposta = QStringLiteral("ok"))
{
    return QStringLiteral("%1|%2|%3|%4|b|c|d\n").arg(nivel, correta, pergunta, resposta).toUtf8();
}

TEST(FonteDoBanco, LinhasBoasViramRegistros)
{
    const QByteArray fonte = "\xEF\xBB\xBF# comentário\n"
                             "\n"
                             "   \t \r\n"
                             "  2 |4| Quem construiu a arca?  |  Moisés | Davi |Abraão| Noé \r\n"
                             "  # recuado também é comentário\n"
                             "1|1|" + QByteArray(255, 'p') + "|" + QByteArray(30, 'r') + "|b|c|d";
    const FontePerguntas lidas = LerFontePerguntas(fonte);
    ASSERT_EQ(lidas.linhaComErro, 0) << qPrintable(lidas.erro);
    ASSERT_EQ(lidas.perguntas.size(), 2);

    const TPergunta& arca = lidas.perguntas[0];
    EXPECT_EQ(arca.Nivel, 2);
    EXPECT_EQ(arca.Correta, 4);
    EXPECT_EQ(TextFromFixedField(arca.Pergunta, 256), QStringLiteral("Quem construiu a arca?"));
    EXPECT_EQ(TextFromFixedField(arca.Resposta1, 41), QStringLiteral("Moisés"));
    EXPECT_EQ(TextFromFixedField(arca.Resposta2, 41), QStringLiteral("Davi"));
    EXPECT_EQ(TextFromFixedField(arca.Resposta3, 41), QStringLiteral("Abraão"));
    EXPECT_EQ(TextFromFixedField(arca.Resposta4, 41), QStringLiteral("Noé"));

    EXPECT_EQ(TextFromFixedField(lidas.perguntas[1].Pergunta, 256), QString(255, u'p'));
    EXPECT_EQ(TextFromFixedField(lidas.perguntas[1].Resposta1, 41), QString(30, u'r'));
}

TEST(FonteDoBanco, LinhaQueQuebraUmLimiteEIndicadaPeloNumero)
{
    const QByteArray boa = Linha("1", "1", "boa");
    const QString dezesseis = QStringLiteral("\U0001F54A").repeated(15); // 30 units
    const struct {
        QByteArray linhaRuim;
        QString motivo;
    } casos[] = {
        {"1|1|só seis|a|b|c\n", QStringLiteral("encontrados 6")},
        {"1|1|oito|a|b|c|d|e\n", QStringLiteral("encontrados 8")},
        {Linha("0", "1", "x"), QStringLiteral("nível \"0\"")},
        {Linha("5", "1", "x"), QStringLiteral("nível \"5\"")},
        {Linha("um", "1", "x"), QStringLiteral("nível \"um\"")},
        {Linha("1", "0", "x"), QStringLiteral("resposta certa \"0\"")},
        {Linha("1", "5", "x"), QStringLiteral("resposta certa \"5\"")},
        {Linha("1", "1", "  "), QStringLiteral("pergunta vazia")},
        {Linha("1", "1", QString(256, u'p')), QStringLiteral("pergunta com 256")},
        {Linha("1", "1", "x", " "), QStringLiteral("resposta 1 vazia")},
        {Linha("1", "1", "x", QString(31, u'r')), QStringLiteral("resposta 1 com 31")},
        {Linha("1", "1", "x", dezesseis + u'a'), QStringLiteral("resposta 1 com 31")},
        {"1|1|x|a|b||d\n", QStringLiteral("resposta 3 vazia")},
        {"1|1|\xC3(|a|b|c|d\n", QStringLiteral("UTF-8")},
    };
    for (const auto& c : casos) {
        const FontePerguntas lidas = LerFontePerguntas("# cabeçalho\n" + boa + "\n" + c.linhaRuim + boa);
        EXPECT_EQ(lidas.linhaComErro, 4) << c.linhaRuim.constData();
        EXPECT_TRUE(lidas.perguntas.isEmpty());
        const QString mensagem = MensagemDeErro(QStringLiteral("perguntas.txt"), lidas);
        EXPECT_TRUE(mensagem.startsWith(QStringLiteral("perguntas.txt:4: "))) << qPrintable(mensagem);
        EXPECT_TRUE(mensagem.contains(c.motivo)) << qPrintable(mensagem);
    }
}

} // namespace
