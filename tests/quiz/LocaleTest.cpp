#include "toolkit/Locale.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(SeparadorDeMilhar, RegrasDoValorLidoDoSistema)
{
    const struct {
        QString lido;
        QString usado;
    } casos[] = {
        {QStringLiteral("."), QStringLiteral(".")},
        {QStringLiteral(","), QStringLiteral(",")},
        {QStringLiteral("\u00A0"), QStringLiteral("\u00A0")},
        {QStringLiteral("'"), QStringLiteral("'")},
        {QString(), QString()},
        {QStringLiteral(""), QString()},
        {QStringLiteral(".."), QStringLiteral(",")},
        {QStringLiteral("\u202F\u00A0"), QStringLiteral(",")},
    };
    for (const auto& c : casos) {
        ApplyThousandSeparator(c.lido);
        EXPECT_EQ(ThousandSeparator(), c.usado) << qPrintable(c.lido);
    }
}

TEST(SeparadorDeMilhar, LeituraDoSistemaSubstituiOValorAnterior)
{
    ApplyThousandSeparator(QStringLiteral("#"));
    ReadThousandSeparatorFromLocale();
    const QString sistema = QLocale::system().groupSeparator();
    const QString esperado = sistema.size() > 1 ? QStringLiteral(",") : sistema;
    EXPECT_EQ(ThousandSeparator(), esperado);
    EXPECT_NE(ThousandSeparator(), QStringLiteral("#"));
}

} // namespace
