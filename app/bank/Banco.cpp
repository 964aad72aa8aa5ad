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

void GravarPergunta(const TPergunta& p)
{
    TPergunta registro = p;
    ZerarDepoisDoFim(registro.Pergunta, 256);
    ZerarDepoisDoFim(registro.Resposta1, 41);
    ZerarDepoisDoFim(registro.Resposta2, 41);
    ZerarDepoisDoFim(registro.Resposta3, 41);
    ZerarDepoisDoFim(registro.Resposta4, 41);

    RecordFile banco;
    AssignRecordFile(banco, ArquivoBanco);
    if (OpenRecordFile(banco, TamanhoPergunta) != 0)
        CreateRecordFile(banco, TamanhoPergunta);
    else
        SeekRecord(banco, RecordCount(banco));
    WriteRecord(banco, &registro);
    CloseRecordFile(banco);
}
