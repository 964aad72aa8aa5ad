#include "Chat.h"

#include "Dialogs.h"
#include "Enderecos.h"
#include "UEntrada.h"
#include "app/bank/ArquivoBanco.h"
#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"

#include <QLineEdit>
#include <algorithm>

TFrmChat* FrmChat = nullptr;

namespace {

// A length limit counts UTF-16 units, so a pasted text cut at the limit can end in the first half
// of a character outside the basic plane. Half a character is never kept: it would be written to
// the bank as garbage.
void TirarMetadesSoltas(QLineEdit* edit)
{
    const QString texto = edit->text();
    QString limpo;
    limpo.reserve(texto.size());
    int cursor = edit->cursorPosition();
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        const bool par = c.isHighSurrogate() ? i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()
            : c.isLowSurrogate()             ? i > 0 && texto.at(i - 1).isHighSurrogate()
                                             : true;
        if (par) {
            limpo.append(c);
        } else if (i < edit->cursorPosition()) {
            --cursor;
        }
    }
    if (limpo.size() == texto.size())
        return;
    edit->setText(limpo);
    edit->setCursorPosition(cursor);
}

} // namespace

TFrmChat::TFrmChat(QWidget* AOwner) : TForm(AOwner)
{
    setupUi(this);
    for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5})
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { TirarMetadesSoltas(edit); });
    BindLayout(Handlers());
}

THandlerTable TFrmChat::Handlers()
{
    THandlerTable table;
    table.notify.insert(QStringLiteral("FormCreate"), Handler(this, &TFrmChat::FormCreate));
    table.notify.insert(QStringLiteral("Button1Click"), Handler(this, &TFrmChat::Button1Click));
    table.notify.insert(QStringLiteral("Button2Click"), Handler(this, &TFrmChat::Button2Click));
    table.notify.insert(QStringLiteral("Button3Click"), Handler(this, &TFrmChat::Button3Click));
    return table;
}

void TFrmChat::FormCreate(TObject*)
{
    ComboBox1->SetItemIndex(0);
    WebBrowser1->Navigate(EnderecoPublicidade);
}

void TFrmChat::Button1Click(TObject*)
{
    const QString pergunta = Edit1->Text();
    const QString respostas[4] = {Edit2->Text(), Edit3->Text(), Edit4->Text(), Edit5->Text()};
    if (pergunta.isEmpty() || std::any_of(std::begin(respostas), std::end(respostas),
                                          [](const QString& r) { return r.isEmpty(); })) {
        ShowMessageDialog(QStringLiteral("Preencha todos os campos!"), DialogKind::Warning, {DialogButton::OK});
        Edit1->SetFocus();
        return;
    }

    TPergunta p{};
    CopyToFixedField(p.Pergunta, 256, pergunta);
    CopyToFixedField(p.Resposta1, 41, respostas[0]);
    CopyToFixedField(p.Resposta2, 41, respostas[1]);
    CopyToFixedField(p.Resposta3, 41, respostas[2]);
    CopyToFixedField(p.Resposta4, 41, respostas[3]);
    // Leaving the box clamps its text, and the click takes the focus away from it; the clamp here
    // only matters when the click comes while the box still holds the focus.
    p.Correta = quint8(std::clamp(SpinEdit1->Value(), SpinEdit1->MinValue(), SpinEdit1->MaxValue()));
    // A typed text matching no level gives 0, a question no level ever loads.
    p.Nivel = quint8(ComboBox1->ItemIndex() + 1);

    // A question that did not reach the bank is not announced as added, and stays in the fields so
    // that nothing typed is lost.
    if (!GravarPergunta(p)) {
        ShowMessageDialog(QStringLiteral("Não foi possível gravar a pergunta em PERGUNTAS.TXT. Verifique se o "
                                         "arquivo não está protegido contra gravação e se há espaço em disco."),
                          DialogKind::Warning, {DialogButton::OK});
        Edit1->SetFocus();
        return;
    }
    ShowMessageDialog(QStringLiteral("Pergunta Adcionada!"), DialogKind::Information, {DialogButton::OK});

    Edit1->Clear();
    Edit2->Clear();
    Edit3->Clear();
    Edit4->Clear();
    Edit5->Clear();
    SpinEdit1->SetValue(1);
    ComboBox1->SetItemIndex(0);
    Edit1->SetFocus();
}

void TFrmChat::Button2Click(TObject*)
{
    if (ShowMessageDialog(QStringLiteral("Você tem certeza que deseja excluir todas perguntas ?"),
                          DialogKind::Confirmation, {DialogButton::OK, DialogButton::Cancel})
        != ResultOK)
        return;
    if (ExcluirBanco())
        ShowNotice(QStringLiteral(" PERGUNTAS.TXT Banco de Perguntas deletado."));
    else
        ShowNotice(QStringLiteral("PERGUNTAS.TXT Perguntas não foram deletadas ou não encontradas."));
}

void TFrmChat::Button3Click(TObject*)
{
    if (ExisteBanco()) {
        ShowNotice(QStringLiteral("Primeiro exclua o banco atual, depois restaure."));
        return;
    }
    if (RestaurarBanco())
        ShowNotice(QStringLiteral("Banco restaurado com sucesso !!!"));
    else
        ShowNotice(QStringLiteral("Erro ao copiar ") + ArquivoReserva + QStringLiteral(" para ") + ArquivoBanco);
}

// Each click on the start window's editor picture opens one more editor beside it; those opened
// before stay as they are, and all of them go with the start window.
void TFrmTelaInicial::Image1Click(TObject*)
{
    FrmChat = new TFrmChat(this);
    FrmChat->Show();
}
