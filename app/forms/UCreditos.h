#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Events.h"
#include "toolkit/Form.h"

#include "ui_UCreditos.h"

// The credits window: slogan, version, who made the game, the site and a contact address.
class TFrmCredito : public TForm, public Ui::FrmCredito {
public:
    explicit TFrmCredito(QWidget* AOwner);

    void Button1Click(TObject* Sender);
    void Label1Click(TObject* Sender);

    THandlerTable Handlers();
};

// The credits window opened last.
extern TFrmCredito* FrmCredito;
