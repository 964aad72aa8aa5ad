#include "app/quiz/Ajudas.h"

#include "toolkit/Random.h"

const quint8 AcertoPastores[4] = {0, 8, 5, 3};
const quint8 AcertoIrmaos[4] = {0, 7, 4, 2};

namespace {

// Outside levels 1 to 3 nobody knows better than chance.
int Chance(const quint8 (&tabela)[4], int nivel)
{
    return nivel >= 1 && nivel <= 3 ? tabela[nivel] : 0;
}

// One adviser or one vote: right outright with chance t in ten, otherwise any of the four
// answers. A question whose right answer is not one of the four gets a drawn answer instead, so
// no lifeline ever names an answer that is not on screen.
int Palpite(int t, int correta)
{
    const int r = RandomBelow(10) + 1;
    if (r <= t && correta >= 1 && correta <= 4)
        return correta;
    return RandomBelow(4) + 1;
}

} // namespace

int SortearCartas()
{
    return RandomBelow(4);
}

QString TextoCartas(const QString& nome, int n)
{
    if (n == 0)
        return nome
            + QStringLiteral(" Oh, Que Pena! Você Tirou um \"X\"\r\nNenhuma Resposta será eliminada!");
    return nome + QStringLiteral(" Você tirou um ") + QString::number(n)
        + QStringLiteral(" Folhas. Vamos eliminar ") + QString::number(n)
        + QStringLiteral(" Resposta(s)!");
}

QVector<int> RespostasAEliminar(int n, const std::array<bool, 4>& habilitadas, int correta)
{
    QVector<int> eliminadas;
    for (int k = 1; k <= 4; ++k) {
        if (habilitadas[k - 1] && k != correta && n > 0) {
            eliminadas.append(k);
            --n;
        }
    }
    return eliminadas;
}

std::array<int, 3> OpinioesPastores(int nivel, int correta)
{
    const int t = Chance(AcertoPastores, nivel);
    std::array<int, 3> op{};
    for (int& opiniao : op)
        opiniao = Palpite(t, correta);
    return op;
}

QString TextoPastores(const QString& nome, const std::array<int, 3>& op)
{
    return nome + QStringLiteral(", os 3 Pastores acham que é: \r") + QString::number(op[0])
        + QStringLiteral(", ") + QString::number(op[1]) + QStringLiteral(", ")
        + QString::number(op[2]);
}

std::array<int, 5> VotosIrmaos(int nivel, int correta)
{
    const int t = Chance(AcertoIrmaos, nivel);
    std::array<int, 5> votos{};
    for (int j = 1; j <= 12; ++j)
        ++votos[Palpite(t, correta)];
    return votos;
}

QString TextoIrmaos(const QString& nome, const std::array<int, 5>& votos)
{
    // The name stands once at the front; each line brings its own leading blank.
    QString texto = nome;
    for (int k = 1; k <= 4; ++k) {
        const int c = votos[k];
        if (c == 1)
            texto += QStringLiteral(" 1 Irmão levantou a Placa Número ") + QString::number(k)
                + QStringLiteral(".\r\n");
        else if (c > 1)
            texto += QStringLiteral(" ") + QString::number(c)
                + QStringLiteral(" dos irmãos levataram a Placa Número ") + QString::number(k)
                + QStringLiteral(".\r\n");
    }
    return texto;
}
