#include "UCreditos.h"

#include "Enderecos.h"
#include "UEntrada.h"

#include "toolkit/Shell.h"

TFrmCredito* FrmCredito = nullptr;

TFrmCredito::TFrmCredito(QWidget* AOwner) : TForm(AOwner)
{
    setupUi(this);
    BindLayout(Handlers());
}

THandlerTable TFrmCredito::Handlers()
{
    THandlerTable tabela;
    tabela.notify = {
        {QStringLiteral("Button1Click"), Handler(this, &TFrmCredito::Button1Click)},
        {QStringLiteral("Label1Click"), Handler(this, &TFrmCredito::Label1Click)},
    };
    return tabela;
}

// A closed credits window is only hidden; the next click on the credits picture opens a new one,
// and the hidden ones go when the start window does.
void TFrmCredito::Button1Click(TObject* /*Sender*/)
{
    Close();
}

void TFrmCredito::Label1Click(TObject* Sender)
{
    if (dynamic_cast<TLabel*>(Sender) != nullptr)
        ShellOpen(EnderecoSite);
}

// Each click opens one more credits window beside those already open.
void TFrmTelaInicial::BtnCreditosClick(TObject* /*Sender*/)
{
    FrmCredito = new TFrmCredito(this);
    FrmCredito->Show();
}
