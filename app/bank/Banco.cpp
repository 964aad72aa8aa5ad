#include "app/bank/Banco.h"

#include "app/bank/RecordFile.h"

#include <algorithm>

namespace {

// The units after a field's terminator are never read; writing zeros there keeps stale text out
// of the file.
void ZerarDepoisDoFim(char16_t* campo, int largura)
{
    char16_t* fim = std::find(campo, campo + largura, u'\0');
    std::fill(fim, campo + largura, u'\0');
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
    bool posicionado;
    if (OpenRecordFile(banco, TamanhoPergunta) != 0) {
        posicionado = CreateRecordFile(banco, TamanhoPergunta) == 0;
    } else {
        const qint32 total = RecordCount(banco);
        posicionado = total >= 0 && SeekRecord(banco, total) == 0;
    }
    if (!posicionado) {
        CloseRecordFile(banco);
        return false;
    }
    const bool gravado = WriteRecord(banco, &registro) == 0;
    return CloseRecordFile(banco) == 0 && gravado;
}
