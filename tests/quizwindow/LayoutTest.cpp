// The quiz window as its layout builds it, before any game.

#include "JogoDeTeste.h"

#include "toolkit/MessageDialog.h"

#include <QFontInfo>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

using namespace teste;

class LayoutDoQuiz : public JogoDeTeste {};

TEST_F(LayoutDoQuiz, FreshWindowHasTheDesignedLayout)
{
    TFrmPerguntas w(dono.get());
    EXPECT_EQ(w.objectName(), "FrmPerguntas");
    EXPECT_EQ(w.size(), QSize(826, 599));
    EXPECT_TRUE(w.Caption().isEmpty());
    EXPECT_FALSE(w.Visible());

    struct Controle {
        QWidget* w;
        QRect limites;
    };
    const QVector<Controle> controles = {
        {w.Image9, {-8, -8, 954, 609}},   {w.Image1, {45, 43, 350, 95}},    {w.Image2, {45, 169, 350, 45}},
        {w.Image5, {45, 310, 350, 45}},   {w.Label1, {63, 60, 321, 67}},    {w.Label2, {59, 184, 328, 15}},
        {w.Label3, {59, 231, 328, 15}},   {w.Label4, {59, 278, 328, 15}},   {w.Label5, {59, 325, 328, 15}},
        {w.Image6, {8, 173, 31, 26}},     {w.Image21, {540, 422, 75, 68}},  {w.Button2, {642, 384, 75, 25}},
        {w.Button3, {444, 384, 75, 25}},
        {w.Button8, {540, 384, 75, 25}},  {w.Button11, {444, 241, 75, 25}}, {w.Button10, {540, 241, 75, 25}},
        {w.Button9, {642, 241, 75, 25}},  {w.ProgressBar1, {403, 77, 18, 413}}, {w.Memo1, {444, 38, 273, 84}},
    };
    for (const Controle& c : controles)
        EXPECT_EQ(c.w->geometry(), c.limites) << c.w->objectName().toStdString();

    // The other labels size themselves to their captions: where the layout puts them, and within
    // two pixels of the sizes it stores.
    const QVector<Controle> rotulos = {
        {w.lbl1, {667, 8, 146, 14}},     {w.Label6, {0, 4, 477, 13}},     {w.Label9, {22, 450, 67, 20}},
        {w.Label7, {160, 450, 71, 20}},  {w.Label8, {297, 450, 84, 20}},  {w.Label26, {744, 106, 71, 20}},
        {w.Label10, {754, 460, 39, 13}}, {w.Label11, {754, 438, 39, 13}}, {w.Label12, {754, 416, 39, 13}},
        {w.Label13, {754, 394, 39, 13}}, {w.Label14, {754, 372, 39, 13}}, {w.Label15, {754, 350, 45, 13}},
        {w.Label16, {754, 328, 45, 13}}, {w.Label17, {754, 306, 45, 13}}, {w.Label18, {754, 285, 45, 13}},
        {w.Label19, {747, 263, 51, 13}}, {w.Label20, {747, 241, 57, 13}}, {w.Label21, {747, 219, 57, 13}},
        {w.Label22, {747, 197, 57, 13}}, {w.Label23, {747, 175, 57, 13}}, {w.Label24, {747, 153, 57, 13}},
        {w.Label25, {747, 132, 63, 13}},
    };
    for (const Controle& c : rotulos) {
        SCOPED_TRACE(c.w->objectName().toStdString());
        EXPECT_EQ(c.w->pos(), c.limites.topLeft());
        EXPECT_NEAR(c.w->width(), c.limites.width(), 2);
        EXPECT_NEAR(c.w->height(), c.limites.height(), 2);
        EXPECT_EQ(static_cast<TLabel*>(c.w)->ShownFont(), c.w->font()) << "drawn in its own font";
    }

    // What the player sees before the first question, and what a failed start leaves on screen.
    EXPECT_EQ(w.Label1->Caption(), "1");
    EXPECT_EQ(w.Label2->Caption(), "2");
    EXPECT_EQ(w.Label5->Caption(), "5");
    EXPECT_EQ(w.Label9->Caption(), "Valendo");
    EXPECT_EQ(w.Label7->Caption(), "Se errar ");
    EXPECT_EQ(w.Label8->Caption(), "R$ 300,00");
    EXPECT_EQ(w.Label6->Caption(), "*Pode ser que haja perguntas com respostas erradas.Desde já pedimos DESCULPA.");
    EXPECT_EQ(w.Label26->Caption(), "PLACAR");
    const QStringList degraus = {"1 - 1000",    "2 - 2000",    "3 - 3000",    "4 - 4000",
                                 "5 - 5000",    "6 - 10000",   "7 - 20000",   "8 - 30000",
                                 "9 - 40000",   "10 - 50000",  "11 - 100000", "12 - 200000",
                                 "13 - 300000", "14 - 400000", "15 - 500000", "16 - 1000000"};
    const std::array<TLabel*, 16> escada = {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14, w.Label15,
                                            w.Label16, w.Label17, w.Label18, w.Label19, w.Label20, w.Label21,
                                            w.Label22, w.Label23, w.Label24, w.Label25};
    for (int p = 1; p <= 16; ++p) {
        EXPECT_EQ(escada[p - 1]->Caption(), degraus[p - 1]);
        EXPECT_EQ(escada[p - 1]->Color(), clSilver);
        // Lower positions stand lower on the ladder.
        if (p > 1) {
            EXPECT_LT(escada[p - 1]->Top(), escada[p - 2]->Top());
        }
    }
    const std::array<TLabel*, 4> respostas = {w.Label2, w.Label3, w.Label4, w.Label5};
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(respostas[k - 1]->Tag(), k);
    for (TButton* b : {w.Button9, w.Button10, w.Button11})
        EXPECT_EQ(b->Caption(), "Pular");
    EXPECT_EQ(w.Button2->Caption(), "Quibo");
    EXPECT_EQ(w.Button3->Caption(), "Pastores");
    EXPECT_EQ(w.Button8->Caption(), "Sorte");

    const QStringList sons = {"audio\\suspense01.mp3", "audio\\tempo01.mp3",    "audio\\certa01.mp3",
                              "audio\\errou.mp3",      "audio\\vaipular02.mp3", "audio\\parou01.mp3",
                              "audio\\ganhoumilhao.mp3", "audio\\1000000.mp3"};
    const std::array<TMediaPlayer*, 8> tocadores = {w.MediaPlayer1, w.MediaPlayer2, w.MediaPlayer3, w.MediaPlayer4,
                                                    w.MediaPlayer5, w.MediaPlayer6, w.MediaPlayer7, w.MediaPlayer8};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(tocadores[i]->FileName(), sons[i]);
        EXPECT_FALSE(tocadores[i]->Visible());
        EXPECT_FALSE(tocadores[i]->IsOpen());
    }

    for (QWidget* escondido : std::initializer_list<QWidget*>{w.Image6, w.Image7, w.Image8, w.Memo1})
        EXPECT_FALSE(escondido->isVisibleTo(&w)) << escondido->objectName().toStdString();
    EXPECT_TRUE(w.Image21->Visible());
    EXPECT_TRUE(w.Memo1->isReadOnly());
    EXPECT_EQ(w.Image7->PictureName(), ":/pictures/barra_resposta.png");
    EXPECT_EQ(w.Image8->PictureName(), ":/pictures/barra_certa.png");
    EXPECT_EQ(w.Timer1->Interval(), 1000);
    EXPECT_TRUE(w.Timer1->TimerEnabled());
    EXPECT_EQ(w.ProgressBar1->Position(), 0);
    EXPECT_TRUE(w.ProgressBar1->Vertical());

    // The advertising strip is asked for at creation; the page ships in the run folder.
    EXPECT_TRUE(w.WebBrowser1->LocationURL().endsWith("publicidadeline.html"));
}

TEST_F(LayoutDoQuiz, LaterControlsStackAboveEarlierOnesAndWindowedOnTop)
{
    TFrmPerguntas w(dono.get());
    const QObjectList filhos = w.children();
    auto nivel = [&](QWidget* c) { return filhos.indexOf(c); };
    // Pictures and labels in their layout order, so texts stand on their plates.
    EXPECT_LT(nivel(w.Image9), nivel(w.Image1));
    EXPECT_LT(nivel(w.Image1), nivel(w.Label1));
    EXPECT_LT(nivel(w.Image5), nivel(w.Label5));
    EXPECT_LT(nivel(w.Image17), nivel(w.Label9));
    EXPECT_LT(nivel(w.Image16), nivel(w.Image13));
    EXPECT_LT(nivel(w.Image16), nivel(w.Image12));
    // Buttons, the bar and the memo are above every picture.
    for (QWidget* janelado : std::initializer_list<QWidget*>{w.Button2, w.Button9, w.ProgressBar1, w.Memo1})
        for (QWidget* figura : std::initializer_list<QWidget*>{w.Image16, w.Image12, w.Image13, w.Label26})
            EXPECT_GT(nivel(janelado), nivel(figura));
}

TEST_F(LayoutDoQuiz, TabGoesThroughTheLifelinesThenTheSkips)
{
    TFrmPerguntas w(dono.get());
    const QList<QWidget*> ordem = {w.Button2, w.Button3, w.Button8, w.Button10, w.Button11, w.Button9,
                                   w.ProgressBar1, w.MediaPlayer1, w.MediaPlayer8, w.Memo1, w.WebBrowser1};
    QList<QWidget*> vistos;
    QWidget* atual = w.Button2;
    for (int i = 0; i < 200 && vistos.size() < ordem.size(); ++i, atual = atual->nextInFocusChain())
        if (ordem.contains(atual) && !vistos.contains(atual))
            vistos.append(atual);
    EXPECT_EQ(vistos, ordem);
}

TEST_F(LayoutDoQuiz, LinkOpensTheSiteInTheDesktopBrowser)
{
    TFrmPerguntas w(dono.get());
    EXPECT_EQ(w.lbl1->Caption(), HostSite);
    EXPECT_EQ(w.lbl1->cursor().shape(), Qt::PointingHandCursor);
    Harness::Click(w.lbl1);
    EXPECT_EQ(h.openedAddresses, QStringList{EnderecoSite});
}

// No text of the window is cut off, at any position, and the amount plates never run into each
// other or under the time bar.
TEST_F(LayoutDoQuiz, EveryTextFitsItsLabelAtEveryPosition)
{
    auto conferir = [&](const char* quando) {
        for (TLabel* l : janela->findChildren<TLabel*>()) {
            if (!l->Visible() || l->wordWrap())
                continue;
            EXPECT_LE(l->sizeHint().width(), l->width())
                << quando << ": " << l->objectName().toStdString() << " \"" << l->Caption().toStdString() << "\"";
            EXPECT_LE(l->geometry().right(), janela->width()) << quando << ": " << l->objectName().toStdString();
        }
        EXPECT_LT(janela->Label9->geometry().right(), janela->Label7->x()) << quando;
        EXPECT_LT(janela->Label7->geometry().right(), janela->Label8->x()) << quando;
        EXPECT_LT(janela->Label8->geometry().right(), janela->ProgressBar1->x()) << quando;
    };
    {
        TFrmPerguntas w(dono.get());
        janela = &w;
        conferir("layout");
        janela = nullptr;
    }
    Jogar([&] {
        for (int p = 1; p <= 16; ++p) {
            AvancarAte(p);
            conferir(QString::number(p).toUtf8().constData());
        }
    });
}

// Questions and answers at their fields' limits are shown whole in the labels' fixed boxes: wrapped
// at words, a word longer than a line broken, drawn smaller only as far as needed. A short text
// that follows is drawn in the layout's font again.
TEST_F(LayoutDoQuiz, LongestTextsAreShownWholeAndShortOnesInTheLayoutFont)
{
    const auto limite = [](const QString& pedaco, int unidades) {
        return pedaco.repeated(unidades / pedaco.size() + 1).left(unidades);
    };
    const auto pergunta = [](int i, const QString& texto, const QString& resposta) {
        TPergunta p = Pergunta(1, i);
        CopyToFixedField(p.Pergunta, 256, texto);
        for (char16_t* r : {p.Resposta1, p.Resposta2, p.Resposta3, p.Resposta4})
            CopyToFixedField(r, 41, resposta);
        return p;
    };
    EscreverBanco(QVector<TPergunta>{
        pergunta(1, limite("Quantos livros tem a Biblia Sagrada? ", 255), limite("Os livros de Moises e ", 40)),
        pergunta(2, QString(255, QChar('Z')), QString(40, QChar('W'))),
        pergunta(3, limite("Em que cidade nasceu Jesus? ", 255), limite("Belem da Judeia, ", 40)),
        Pergunta(1, 4),
        Pergunta(1, 5),
    });
    QString foto;
    bool curtaDepoisDeLonga = false;
    Jogar([&] {
        bool anteriorLonga = false;
        for (int p = 1; p <= 5; ++p) {
            AvancarAte(p);
            const bool longa = janela->Label1->Caption().size() == 255;
            const QSize guardados[] = {{321, 67}, {328, 15}, {328, 15}, {328, 15}, {328, 15}};
            const TLabel* rotulos[] = {janela->Label1, janela->Label2, janela->Label3, janela->Label4, janela->Label5};
            for (int k = 0; k < 5; ++k) {
                SCOPED_TRACE(QStringLiteral("position %1, %2").arg(p).arg(rotulos[k]->objectName()).toStdString());
                EXPECT_EQ(rotulos[k]->size(), guardados[k]) << "a fixed label keeps its size";
                EXPECT_TRUE(rotulos[k]->rect().contains(rotulos[k]->TextRect())) << "the text is cut";
                EXPECT_EQ(rotulos[k]->ShownFont() == rotulos[k]->font(), !longa);
                EXPECT_GE(QFontInfo(rotulos[k]->ShownFont()).pixelSize(), 8) << "still readable";
            }
            if (longa && foto.isEmpty())
                foto = Harness::SaveScreenshot(janela, "quiz_pergunta_longa");
            curtaDepoisDeLonga = curtaDepoisDeLonga || (anteriorLonga && !longa);
            anteriorLonga = longa;
        }
    });
    EXPECT_TRUE(curtaDepoisDeLonga) << "the draw gave no short question after a long one";
    EXPECT_FALSE(foto.isEmpty());
}

// A lifeline's text taller than the memo can be scrolled to its end; one that fits shows no bar.
TEST_F(LayoutDoQuiz, MemoTextTallerThanTheMemoGetsAScrollBar)
{
    const struct {
        QString nome;
        bool barra;
    } casos[] = {{QStringLiteral("Ana"), false}, {QString("Bartolomeu").repeated(13), true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome.toStdString());
        NomeJogador = c.nome;
        bool barraVisivel = !c.barra;
        Jogar([&] {
            Harness::Click(janela->Button8);
            QScrollBar* barra = janela->Memo1->verticalScrollBar();
            barraVisivel = barra->isVisible();
            if (c.barra)
                Harness::SaveScreenshot(janela, "quiz_memo_longo");
            barra->setValue(barra->maximum());
            const QTextCursor fim(janela->Memo1->document()->lastBlock());
            EXPECT_TRUE(janela->Memo1->viewport()->rect().contains(janela->Memo1->cursorRect(fim)))
                << "the end of the text can be brought into view";
        });
        EXPECT_EQ(barraVisivel, c.barra);
        Reiniciar();
    }
}

// Pictures of the window for a person to look at: the first question and the last.
TEST_F(LayoutDoQuiz, ScreenshotsAtTheFirstAndTheLastQuestion)
{
    QString primeira, ultima, confirmando;
    Jogar([&] {
        primeira = Harness::SaveScreenshot(janela, "quiz_posicao_01");
        AvancarAte(16);
        ultima = Harness::SaveScreenshot(janela, "quiz_posicao_16");
        // The pointer and a bar half full, as they stand behind the confirmation.
        Tick(25);
        h.OnNextDialog([&](TMessageDialog& d) {
            confirmando = Harness::SaveScreenshot(janela, "quiz_confirmando");
            d.PressKey(Qt::Key_Escape);
        });
        Harness::Click(janela->Label4);
    });
    for (const QString& foto : {primeira, ultima, confirmando}) {
        const QImage imagem(foto);
        EXPECT_EQ(imagem.size(), QSize(826, 599)) << foto.toStdString();
    }
}
