#pragma once

#include "toolkit/Form.h"
#include "ui_Chat.h"

// The question editor: appends questions to the bank, deletes the bank, restores the stock copy.
// Each click opens, uses and closes the bank within itself, so several editors may stand open.
class TFrmChat : public TForm, public Ui::FrmChat {
public:
    explicit TFrmChat(QWidget* AOwner);

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

private:
    THandlerTable Handlers();
};

// The editor window opened last.
extern TFrmChat* FrmChat;
