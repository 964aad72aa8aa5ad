#include "UEntrada.h"

#include "Dialogs.h"
#include "Enderecos.h"
#include "Unit1.h"

#include "toolkit/Shell.h"

QString NomeJogador;

TFrmTelaInicial* FrmTelaInicial = nullptr;

TFrmTelaInicial::TFrmTelaInicial(QWidget* AOwner) : TForm(AOwner)
{
    setupUi(this);
    BindLayout(Handlers());
}

THandlerTable TFrmTelaInicial::Handlers()
{
    THandlerTable tabela;
    tabela.notify = {
        {QStringLiteral("FormCreate"), Handler(this, &TFrmTelaInicial::FormCreate)},
        {QStringLiteral("FormShow"), Handler(this, &TFrmTelaInicial::FormShow)},
        {QStringLiteral("BtnJogarClick"), Handler(this, &TFrmTelaInicial::BtnJogarClick)},
        {QStringLiteral("Edit1Click"), Handler(this, &TFrmTelaInicial::Edit1Click)},
        {QStringLiteral("BitOkClick"), Handler(this, &TFrmTelaInicial::BitOkClick)},
        {QStringLiteral("BtnSairClick"), Handler(this, &TFrmTelaInicial::BtnSairClick)},
        {QStringLiteral("Label2Click"), Handler(this, &TFrmTelaInicial::Label2Click)},
        {QStringLiteral("Label2MouseLeave"), Handler(this, &TFrmTelaInicial::Label2MouseLeave)},
        {QStringLiteral("BtnCreditosClick"), Handler(this, &TFrmTelaInicial::BtnCreditosClick)},
        {QStringLiteral("Image1Click"), Handler(this, &TFrmTelaInicial::Image1Click)},
    };
    tabela.mouseMove = {
        {QStringLiteral("Label2MouseMove"), MouseMoveHandler(this, &TFrmTelaInicial::Label2MouseMove)},
    };
    return tabela;
}

void TFrmTelaInicial::FormCreate(TObject* /*Sender*/)
{
    WebBrowser1->Navigate(EnderecoPublicidade);
}

void TFrmTelaInicial::FormShow(TObject* /*Sender*/)
{
    tema01->Close();
    tema01->Open();
    tema01->Play();
}

// Leaves the theme open and stopped at its start. It opens the file again, so a missing theme
// fails here just as it did when the window was shown.
void TFrmTelaInicial::fecharSom()
{
    tema01->Close();
    tema01->Open();
    tema01->Stop();
}

void TFrmTelaInicial::BtnJogarClick(TObject* /*Sender*/)
{
    BtnJogar->SetVisible(false);
    BitOk->SetVisible(true);
    Label1->SetVisible(true);
    Edit1->SetVisible(true);
    Edit1->SetFocus();
}

// Every click empties the field, even one that only moves the caret: the player always starts
// typing a fresh name.
void TFrmTelaInicial::Edit1Click(TObject* /*Sender*/)
{
    Edit1->Clear();
}

namespace {

// However the game's modal run ends, its window goes with it and FrmPerguntas no longer points
// at it: no quiz window outlives its game.
class DestruirJanelaDoJogo {
public:
    DestruirJanelaDoJogo() = default;
    DestruirJanelaDoJogo(const DestruirJanelaDoJogo&) = delete;
    DestruirJanelaDoJogo& operator=(const DestruirJanelaDoJogo&) = delete;
    ~DestruirJanelaDoJogo()
    {
        TFrmPerguntas* janela = FrmPerguntas;
        FrmPerguntas = nullptr;
        delete janela;
    }
};

} // namespace

void TFrmTelaInicial::BitOkClick(TObject* /*Sender*/)
{
    if (Edit1->Text().isEmpty()) {
        ShowNotice(QStringLiteral("Digite o seu nome"));
        return;
    }
    fecharSom();
    NomeJogador = Edit1->Text();

    DestruirJanelaDoJogo aoTerminar;
    // Back to the menu before the game begins, so the start window is ready when it ends.
    BtnJogar->SetVisible(true);
    BitOk->SetVisible(false);
    Label1->SetVisible(false);
    Edit1->SetVisible(false);
    FrmPerguntas = new TFrmPerguntas(this);
    FrmPerguntas->ShowModal();
}

void TFrmTelaInicial::BtnSairClick(TObject* /*Sender*/)
{
    Close();
}

void TFrmTelaInicial::Label2Click(TObject* Sender)
{
    if (dynamic_cast<TLabel*>(Sender) != nullptr)
        ShellOpen(EnderecoSite);
}

void TFrmTelaInicial::Label2MouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/)
{
    Label2->SetFontColor(RGB(0, 0, 255));
}

// Nothing turns the link black again: once the pointer has passed over it, it rests white.
void TFrmTelaInicial::Label2MouseLeave(TObject* /*Sender*/)
{
    Label2->SetFontColor(RGB(255, 255, 255));
}
