#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Events.h"
#include "toolkit/Form.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/WebBrowser.h"

#include "ui_UEntrada.h"

#include <QString>

// The start window, the program's main window: the theme, the name entry and the way into a game,
// the credits and the question editor.
class TFrmTelaInicial : public TForm, public Ui::FrmTelaInicial {
public:
    explicit TFrmTelaInicial(QWidget* AOwner);

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void BtnJogarClick(TObject* Sender);
    void Edit1Click(TObject* Sender);
    void BitOkClick(TObject* Sender);
    void BtnSairClick(TObject* Sender);
    void Label2Click(TObject* Sender);
    void Label2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Label2MouseLeave(TObject* Sender);
    // Opens one more credits window (UCreditos.cpp).
    void BtnCreditosClick(TObject* Sender);
    // Opens one more question editor window (Chat.cpp).
    void Image1Click(TObject* Sender);

    void fecharSom();

    THandlerTable Handlers();
};

// The player's name: empty when the program starts, written only by "Entrar", kept after a game.
extern QString NomeJogador;

// The start window, set when the program creates it.
extern TFrmTelaInicial* FrmTelaInicial;
