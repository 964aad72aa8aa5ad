#include "app/quiz/NivelPool.h"

#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "toolkit/Random.h"

#include <algorithm>
#include <iterator>

TPergunta BancoNivel[500];
quint8 QtdBancoNivel = 0;
TSorteadas Sorteadas[5];
TPergunta PerguntaAtual;

namespace {

constexpr int MaximoNoPool = 255;
constexpr int MaximoSorteadas = int(std::size(TSorteadas{}.Itens));

QString FalhaAoAbrir(const QString& nome)
{
    return nome + QStringLiteral(" Erro ao abrir o arquivo PERGUNTAS.TXT.");
}

QString FalhaSemPerguntas(const QString& nome)
{
    return nome
        + QStringLiteral(" Erro no arquivo PERGUNTAS.TXT\r\nNão há perguntas para este nível.\r\n"
                         "Restaure as Perguntas ou adicione mais.");
}

bool JaSorteada(const TSorteadas& s, qint32 slot)
{
    const int feitas = std::clamp(int(s.Qtd), 0, MaximoSorteadas);
    return std::find(s.Itens, s.Itens + feitas, slot) != s.Itens + feitas;
}

} // namespace

ResultadoCarga CarregarNivel(quint8 nivel, const QString& nome)
{
    RecordFile banco;
    AssignRecordFile(banco, ArquivoBanco);
    if (OpenRecordFile(banco, TamanhoPergunta) != 0)
        return {false, FalhaAoAbrir(nome)};

    QtdBancoNivel = 0;
    bool erroDeLeitura = false;
    while (!AtEndOfFile(banco)) {
        TPergunta registro;
        if (ReadRecord(banco, &registro) != 0) {
            erroDeLeitura = true;
            break;
        }
        if (registro.Nivel != nivel)
            continue;
        // The count is one byte wide; further questions of the level stay in the bank unread.
        if (QtdBancoNivel == MaximoNoPool)
            break;
        ++QtdBancoNivel;
        BancoNivel[QtdBancoNivel - 1] = registro;
    }
    CloseRecordFile(banco);

    // A bank that breaks off while being read is not trusted for a single question: the game
    // ends as if it could not be opened, and nothing half-read is left to be drawn.
    if (erroDeLeitura) {
        QtdBancoNivel = 0;
        return {false, FalhaAoAbrir(nome)};
    }
    if (QtdBancoNivel == 0)
        return {false, FalhaSemPerguntas(nome)};
    return {true, QString()};
}

void SortearPergunta(quint8 nivel)
{
    if (nivel < 1 || nivel > 4 || QtdBancoNivel == 0)
        return;
    const int n = QtdBancoNivel;
    TSorteadas& s = Sorteadas[nivel];

    qint32 c = RandomBelow(n) + 1;
    // While the level has a question not yet drawn, the first candidate is thrown away and the
    // draw repeats until it lands on such a question.
    if (s.Qtd < n) {
        do
            c = RandomBelow(n) + 1;
        while (JaSorteada(s, c));
    }
    PerguntaAtual = BancoNivel[c - 1];

    // A level never sees more than eight draws in a game; should it ever, the list keeps its
    // first ten and stops growing.
    if (s.Qtd < MaximoSorteadas) {
        ++s.Qtd;
        s.Itens[s.Qtd - 1] = c;
    }
}
