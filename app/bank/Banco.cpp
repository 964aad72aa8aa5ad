#include "app/bank/Banco.h"

#include "app/bank/RecordFile.h"

#include <QFile>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint32 ArquivoNaoEncontrado = 2;

// The units after a field's terminator are never read; writing zeros there keeps stale text out
// of the file.
void ZerarDepoisDoFim(char16_t* campo, int largura)
{
    char16_t* fim = std::find(campo, campo + largura, u'\0');
    std::fill(fim, campo + largura, u'\0');
}

// A bank that did not exist before a failed append does not exist after it either. Through a
// link the empty file stands elsewhere, and the link is left alone.
void RemoverBancoCriado()
{
    const QByteArray nome = QFile::encodeName(ArquivoBanco);
    struct stat st{};
    if (::lstat(nome.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
        ::unlink(nome.constData());
}

} // namespace

bool GravarPergunta(const TPergunta& p)
{
    TPergunta registro = p;
    ZerarDepoisDoFim(registro.Pergunta, 256);
    ZerarDepoisDoFim(registro.Resposta1, 41);
    ZerarDepoisDoFim(registro.Resposta2, 41);
    ZerarDepoisDoFim(registro.Resposta3, 41);
    ZerarDepoisDoFim(registro.Resposta4, 41);

    RecordFile banco;
    AssignRecordFile(banco, ArquivoBanco);
    const qint32 aberto = OpenRecordFile(banco, TamanhoPergunta);
    RecordFileEnd fim;
    bool posicionado;
    if (aberto != 0) {
        posicionado = CreateRecordFile(banco, TamanhoPergunta) == 0;
    } else {
        const qint32 total = RecordCount(banco);
        posicionado = total >= 0 && ReadFileEnd(banco, fim) == 0 && SeekRecord(banco, total) == 0;
    }
    if (!posicionado) {
        CloseRecordFile(banco);
        return false;
    }
    // A record that does not go in whole is taken out again (a full disk, a file-size limit, a
    // device error), so the bank never holds half a question.
    if (WriteRecord(banco, &registro) != 0) {
        RestoreFileEnd(banco, fim);
        CloseRecordFile(banco);
        if (aberto == ArquivoNaoEncontrado)
            RemoverBancoCriado();
        return false;
    }
    return CloseRecordFile(banco) == 0;
}
