#include "Unit1.h"

#include "Dialogs.h"
#include "Enderecos.h"
#include "UEntrada.h"

#include "app/bank/RecordFile.h"
#include "app/quiz/Ajudas.h"
#include "app/quiz/NivelPool.h"
#include "app/quiz/Premios.h"
#include "toolkit/Pause.h"
#include "toolkit/Random.h"
#include "toolkit/Shell.h"

#include <iterator>

TFrmPerguntas* FrmPerguntas = nullptr;

namespace {

constexpr unsigned PausaAcerto = 2000;
constexpr unsigned PausaFimDeJogo = 5000;
constexpr unsigned PausaMilhao = 10000;

constexpr int UltimaPosicao = 16;
constexpr int PosicaoDoAlarme = 80;
constexpr int TempoEsgotado = 100;

// Before the first question is on screen (its presentation failed) there is nothing to stop
// with, skip, answer or ask about: the pool and the question held are the last game's.
bool SemPerguntaNaTela()
{
    return Posicao == 0;
}

bool ComecaNivel(int posicao)
{
    return posicao == 1 || posicao == 6 || posicao == 11 || posicao == 16;
}

QString TextoResposta(int numero, const char16_t* campo)
{
    return QString::number(numero) + QStringLiteral(") ")
        + TextFromFixedField(campo, int(std::size(PerguntaAtual.Resposta1)));
}

} // namespace

TFrmPerguntas::TFrmPerguntas(QWidget* AOwner) : TForm(AOwner)
{
    setupUi(this);
    BindLayout(Handlers());
}

THandlerTable TFrmPerguntas::Handlers()
{
    THandlerTable t;
    t.notify.insert(QStringLiteral("FormCreate"), Handler(this, &TFrmPerguntas::FormCreate));
    t.notify.insert(QStringLiteral("FormShow"), Handler(this, &TFrmPerguntas::FormShow));
    t.notify.insert(QStringLiteral("lbl1Click"), Handler(this, &TFrmPerguntas::lbl1Click));
    t.notify.insert(QStringLiteral("Image21Click"), Handler(this, &TFrmPerguntas::Image21Click));
    t.notify.insert(QStringLiteral("ClickNoPulo"), Handler(this, &TFrmPerguntas::ClickNoPulo));
    t.notify.insert(QStringLiteral("Timer1Timer"), Handler(this, &TFrmPerguntas::Timer1Timer));
    t.notify.insert(QStringLiteral("ClickNaResposta"), Handler(this, &TFrmPerguntas::ClickNaResposta));
    t.notify.insert(QStringLiteral("Button8Click"), Handler(this, &TFrmPerguntas::Button8Click));
    t.notify.insert(QStringLiteral("Button3Click"), Handler(this, &TFrmPerguntas::Button3Click));
    t.notify.insert(QStringLiteral("Button2Click"), Handler(this, &TFrmPerguntas::Button2Click));
    return t;
}

std::array<TLabel*, 4> TFrmPerguntas::Respostas() const
{
    return {Label2, Label3, Label4, Label5};
}

std::array<TImage*, 4> TFrmPerguntas::FundosDasRespostas() const
{
    return {Image2, Image3, Image4, Image5};
}

TLabel* TFrmPerguntas::Degrau(int p) const
{
    const std::array<TLabel*, 16> escada = {Label10, Label11, Label12, Label13, Label14, Label15,
                                            Label16, Label17, Label18, Label19, Label20, Label21,
                                            Label22, Label23, Label24, Label25};
    return escada.at(p - 1);
}

TFrmPerguntas& TFrmPerguntas::JanelaDoJogo()
{
    // The start window stores each new quiz window before showing it; a window shown by other
    // means has only itself to act on.
    return ::FrmPerguntas ? *::FrmPerguntas : *this;
}

void TFrmPerguntas::TerminarJogo()
{
    JanelaDoJogo().Close();
}

void TFrmPerguntas::EscreverNoMemo(const QString& texto)
{
    Memo1->Clear();
    Memo1->SetVisible(true);
    Memo1->Lines().Add(texto);
}

void TFrmPerguntas::Tocar(TMediaPlayer& player)
{
    player.Open();
    player.Play();
}

void TFrmPerguntas::FormCreate(TObject*)
{
    WebBrowser1->Navigate(EnderecoPublicidadeLinha);
}

void TFrmPerguntas::lbl1Click(TObject*)
{
    ShellOpen(EnderecoSite);
}

void TFrmPerguntas::FormShow(TObject*)
{
    JanelaDoJogo().SetCaption(QStringLiteral("Show da Quibo da Zanfre - Participante ") + NomeJogador);
    SeedRandomFromClock();
    Posicao = 0;
    for (int nivel = 1; nivel <= 4; ++nivel)
        Sorteadas[nivel].Qtd = 0;
    for (TButton* botao : {Button2, Button3, Button8, Button9, Button10, Button11})
        botao->SetEnabled(true);
    ProximaPergunta(false);
}

void TFrmPerguntas::ProximaPergunta(bool pula)
{
    Memo1->SetVisible(false);
    ProgressBar1->SetPosition(0);
    Tocar(*MediaPlayer1);

    // A skip lights nothing: its position is lit already.
    if (!pula && Posicao < UltimaPosicao)
        Degrau(Posicao + 1)->SetColor(clYellow);

    if (Posicao == UltimaPosicao) {
        // The last question was answered right: the suspense goes on under the million.
        Tocar(*MediaPlayer7);
        EscreverNoMemo(NomeJogador + QStringLiteral(" PARABÉNS!\r\nContinue lendo a Bíblia sempre..."));
        Sleep(PausaMilhao);
        TerminarJogo();
        return;
    }

    if (!pula)
        ++Posicao;
    NivelAtual = NivelDaPosicao(Posicao);

    // Each level reads the bank afresh, so questions added meanwhile are played from it on.
    if (ComecaNivel(Posicao)) {
        const ResultadoCarga carga = CarregarNivel(NivelAtual, NomeJogador);
        if (!carga.ok) {
            EscreverNoMemo(carga.textoFalha);
            Sleep(PausaFimDeJogo);
            TerminarJogo();
            return;
        }
    }
    SortearPergunta(NivelAtual);

    // Nothing is won yet at the first question, so there is nothing to stop with.
    if (Posicao == 1) {
        Image21->SetVisible(false);
    } else {
        Image21->SetVisible(true);
        Label8->SetCaption(FormatarValor(Premios[Posicao - 1]));
    }

    for (TImage* fundo : FundosDasRespostas())
        fundo->AssignPicture(*Image7);
    Image6->SetVisible(false);

    Label1->SetCaption(TextFromFixedField(PerguntaAtual.Pergunta, int(std::size(PerguntaAtual.Pergunta))));
    Label2->SetCaption(TextoResposta(1, PerguntaAtual.Resposta1));
    Label3->SetCaption(TextoResposta(2, PerguntaAtual.Resposta2));
    Label4->SetCaption(TextoResposta(3, PerguntaAtual.Resposta3));
    Label5->SetCaption(TextoResposta(4, PerguntaAtual.Resposta4));
    Label7->SetCaption(ValorSeErrar());

    // Answers the cards took away belong to the question before.
    for (TLabel* resposta : Respostas())
        resposta->SetEnabled(true);

    if (Posicao != UltimaPosicao) {
        Label9->SetCaption(FormatarValor(Premios[Posicao]));
        return;
    }

    // All or nothing: no help and no way round the last question, only the stop.
    Label9->SetCaption(QStringLiteral("R$ 1.000.000,00!"));
    for (TButton* botao : {Button9, Button10, Button11, Button3, Button8, Button2})
        botao->SetEnabled(false);
    Tocar(*MediaPlayer8);
    EscreverNoMemo(NomeJogador
                   + QStringLiteral(" Esta é a Pergunta do Arrisca Tudo! Você não pode pedir Ajuda e nem Pular!"
                                    "\r\nSe errar, receberá R$ 300,00..."));
}

bool ConfirmarResposta(const QString& SegundaPergunta)
{
    // On the first question only an explicit No declines; closing it counts as going on.
    const int primeira = ShowMessageDialog(NomeJogador + QStringLiteral(" Tem certeza de sua resposta ?"),
                                           DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}, 0);
    if (primeira == ResultNo)
        return false;
    if (SegundaPergunta.isEmpty())
        return true;
    // The second question guards the gold: only an explicit Yes gives it away.
    return ShowMessageDialog(SegundaPergunta, DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}, 0)
        == ResultYes;
}

void TFrmPerguntas::Image21Click(TObject*)
{
    if (SemPerguntaNaTela())
        return;
    if (!ConfirmarResposta(QStringLiteral("Posso Entregar o Ouro?")))
        return;
    Tocar(*MediaPlayer6);
    EscreverNoMemo(NomeJogador + QStringLiteral(" Receba ") + FormatarValor(Premios[Posicao - 1])
                   + QStringLiteral("! Obrigado por Participar!"));
    Sleep(PausaFimDeJogo);
    TerminarJogo();
}

void TFrmPerguntas::ClickNoPulo(TObject* Dest)
{
    if (SemPerguntaNaTela())
        return;
    Memo1->SetVisible(false);
    if (auto* pulo = dynamic_cast<TButton*>(Dest))
        pulo->SetEnabled(false);
    Tocar(*MediaPlayer5);
    ProximaPergunta(true);
    ProgressBar1->SetPosition(0);
}

void TFrmPerguntas::Timer1Timer(TObject*)
{
    // The bar is only looked at when an answer is clicked, so a full bar left alone changes nothing.
    ProgressBar1->SetPosition(ProgressBar1->Position() + 2);
}

void TFrmPerguntas::ClickNaResposta(TObject* Sender)
{
    auto* resposta = dynamic_cast<TLabel*>(Sender);
    if (!resposta || SemPerguntaNaTela())
        return;

    // The warning of the last seconds, whatever the answer turns out to be.
    if (ProgressBar1->Position() == PosicaoDoAlarme) {
        MediaPlayer4->Close();
        Tocar(*MediaPlayer4);
    }

    if (ProgressBar1->Position() == TempoEsgotado) {
        MediaPlayer1->Close();
        Tocar(*MediaPlayer2);
        ShowNotice(NomeJogador + QStringLiteral(" Que Pena Seu tempo acabou... Você receberá ") + ValorSeErrar()
                   + QStringLiteral("..."));
        Sleep(PausaFimDeJogo);
        TerminarJogo();
        return;
    }

    Image6->SetVisible(true);
    Image6->SetTop(resposta->Top() + 2);
    // The time was judged at the click: the bar may fill while the player makes up their mind.
    if (!ConfirmarResposta(QString()))
        return;

    const quint8 correta = RespostaCorreta();
    if (int(correta) == resposta->Tag()) {
        ProgressBar1->SetPosition(0);
        if (Posicao == UltimaPosicao)
            EscreverNoMemo(NomeJogador + QStringLiteral(" RESPOSTA ABSOLUTAMENTE CERTA!"));
        else
            Tocar(*MediaPlayer3);
        Sleep(PausaAcerto);
        ProximaPergunta(false);
        return;
    }

    Tocar(*MediaPlayer4);
    ShowMessageDialog(NomeJogador + QStringLiteral(" Que Pena você errou... Você receberá ") + ValorSeErrar()
                          + QStringLiteral("..."),
                      DialogKind::Confirmation, {DialogButton::OK}, 1);
    Sleep(PausaFimDeJogo);
    TerminarJogo();
}

quint8 TFrmPerguntas::RespostaCorreta()
{
    const quint8 correta = PerguntaAtual.Correta;
    // A damaged record may name no answer on screen: then nothing is revealed, and no click can
    // match it.
    if (correta >= 1 && correta <= 4)
        FundosDasRespostas()[correta - 1]->AssignPicture(*Image8);
    return correta;
}

void TFrmPerguntas::Button8Click(TObject*)
{
    if (SemPerguntaNaTela())
        return;
    Button8->SetEnabled(false);
    const int cartas = SortearCartas();
    EscreverNoMemo(TextoCartas(NomeJogador, cartas));
    if (cartas == 0)
        return;
    const auto respostas = Respostas();
    const std::array<bool, 4> habilitadas = {respostas[0]->Enabled(), respostas[1]->Enabled(),
                                             respostas[2]->Enabled(), respostas[3]->Enabled()};
    for (int k : RespostasAEliminar(cartas, habilitadas, PerguntaAtual.Correta))
        respostas[k - 1]->SetEnabled(false);
}

void TFrmPerguntas::Button3Click(TObject*)
{
    if (SemPerguntaNaTela())
        return;
    const std::array<int, 3> opinioes = OpinioesPastores(NivelAtual, PerguntaAtual.Correta);
    EscreverNoMemo(TextoPastores(NomeJogador, opinioes));
    Button3->SetEnabled(false);
}

void TFrmPerguntas::Button2Click(TObject*)
{
    if (SemPerguntaNaTela())
        return;
    const std::array<int, 5> votos = VotosIrmaos(NivelAtual, PerguntaAtual.Correta);
    EscreverNoMemo(TextoIrmaos(NomeJogador, votos));
    Button2->SetEnabled(false);
}
