// Writes the stock question bank from its text source with the game's own record code:
//   gerar-banco <perguntas.txt> <PERGUNTASBACK.TXT>
// On a bad line it names the line, writes nothing and fails the build.

#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "tools/FontePerguntas.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdio>

namespace {

int Falhar(const QString& mensagem)
{
    std::fprintf(stderr, "%s\n", qPrintable(mensagem));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Falhar(QStringLiteral("uso: gerar-banco <perguntas.txt> <PERGUNTASBACK.TXT>"));
    const QString origem = QFile::decodeName(argv[1]);
    const QString destino = QFile::decodeName(argv[2]);

    QFile fonte(origem);
    if (!fonte.open(QIODevice::ReadOnly))
        return Falhar(QStringLiteral("%1: não foi possível ler: %2").arg(origem, fonte.errorString()));
    const FontePerguntas lidas = LerFontePerguntas(fonte.readAll());
    if (lidas.linhaComErro != 0)
        return Falhar(MensagemDeErro(QFileInfo(origem).fileName(), lidas));

    // Written beside the target and renamed over it, so a failed run never leaves half a bank.
    const QString provisorio = destino + QStringLiteral(".novo");
    RecordFile banco;
    AssignRecordFile(banco, provisorio);
    if (const qint32 codigo = CreateRecordFile(banco, TamanhoPergunta))
        return Falhar(QStringLiteral("%1: não foi possível criar (código %2)").arg(provisorio).arg(codigo));
    for (const TPergunta& p : lidas.perguntas) {
        if (const qint32 codigo = WriteRecord(banco, &p)) {
            CloseRecordFile(banco);
            QFile::remove(provisorio);
            return Falhar(QStringLiteral("%1: erro ao gravar (código %2)").arg(provisorio).arg(codigo));
        }
    }
    if (const qint32 codigo = CloseRecordFile(banco)) {
        QFile::remove(provisorio);
        return Falhar(QStringLiteral("%1: erro ao fechar (código %2)").arg(provisorio).arg(codigo));
    }
    if (std::rename(QFile::encodeName(provisorio).constData(), QFile::encodeName(destino).constData()) != 0) {
        QFile::remove(provisorio);
        return Falhar(QStringLiteral("%1: não foi possível substituir").arg(destino));
    }
    return 0;
}
