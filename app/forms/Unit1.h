#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Events.h"
#include "toolkit/Form.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/WebBrowser.h"

#include "ui_Unit1.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The quiz window: one game, from the first question to the end. The game's state (ladder,
// level pool, question on screen) lives in the quiz rules, not here, so it outlives the window.
class TFrmPerguntas : public TForm, public Ui::FrmPerguntas {
public:
    explicit TFrmPerguntas(QWidget* AOwner);

    void FormCreate(TObject* Sender);
    void lbl1Click(TObject* Sender);
    void FormShow(TObject* Sender);
    void ProximaPergunta(bool pula);
    void Image21Click(TObject* Sender);
    void ClickNoPulo(TObject* Dest);
    void Timer1Timer(TObject* Sender);
    void ClickNaResposta(TObject* Sender);
    quint8 RespostaCorreta();
    void Button8Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    THandlerTable Handlers();

private:
    // Every message of the game replaces whatever the memo showed before.
    void EscreverNoMemo(const QString& texto);
    // A sound always starts from its beginning and plays on by itself.
    static void Tocar(TMediaPlayer& player);
    // The game's steps reach their window through FrmPerguntas: the window being played.
    TFrmPerguntas& JanelaDoJogo();
    void TerminarJogo();

    // Answer k (1 to 4): its label and its background.
    std::array<TLabel*, 4> Respostas() const;
    std::array<TImage*, 4> FundosDasRespostas() const;
    // The ladder label of position p (1 to 16).
    TLabel* Degrau(int p) const;
};

// Asks the player to confirm: first the question that precedes every answer, then, when given,
// the second question.
bool ConfirmarResposta(const QString& SegundaPergunta);

// The quiz window of the game being played.
extern TFrmPerguntas* FrmPerguntas;
