// The credits window: opened from the start window as often as the player likes, each one on its
// own, hidden by "Ok" or its close box.

#include "Harness.h"

#include "Enderecos.h"
#include "UCreditos.h"
#include "UEntrada.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

const QStringList LinhasDoLayout = {
    QStringLiteral("Aprenda mais da b\u00edblia Brincando"),
    QString(),
    QStringLiteral("QuibodaZanfre vers\u00e3o 1.0 Beta"),
    QString(),
    QStringLiteral("Desenvolvedor:"),
    QStringLiteral("Equipe Quibo da Zanfre"),
    QString(),
    QStringLiteral("Formula\u00e7\u00e3o de perguntas"),
    QStringLiteral("Equipe Quibo da Zanfre"),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
};

QStringList LinhasVisiveis(const TMemo& memo)
{
    QStringList linhas;
    for (QTextBlock bloco = memo.document()->begin(); bloco.isValid(); bloco = bloco.next())
        linhas << bloco.text();
    return linhas;
}

QList<TFrmCredito*> JanelasDeCreditos(const QWidget& dono)
{
    QList<TFrmCredito*> janelas;
    for (QObject* filho : dono.children())
        if (auto* janela = dynamic_cast<TFrmCredito*>(filho))
            janelas << janela;
    return janelas;
}

class CreditosTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.MakeRunFolder();
        inicial = std::make_unique<TFrmTelaInicial>(nullptr);
        inicial->Show();
    }

    TFrmCredito* AbrirCreditos()
    {
        Harness::Click(inicial->BtnCreditos);
        return FrmCredito;
    }

    Harness h;
    std::unique_ptr<TFrmTelaInicial> inicial;
};

} // namespace

TEST_F(CreditosTest, WindowAsLaidOut)
{
    TFrmCredito* janela = AbrirCreditos();
    ASSERT_NE(janela, nullptr);
    EXPECT_EQ(janela->objectName(), QStringLiteral("FrmCredito"));
    EXPECT_EQ(janela->Caption(), QStringLiteral("Cr\u00e9ditos - QuibodaZanfre vers\u00e3o 1.0 Beta"));
    EXPECT_EQ(janela->size(), QSize(506, 317));
    EXPECT_EQ(janela->minimumSize(), janela->maximumSize());
    EXPECT_TRUE(janela->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(janela->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(janela->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(janela->palette().color(QPalette::Window), clBtnFace);
    EXPECT_EQ(janela->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(janela->font().pointSize(), 8);

    EXPECT_EQ(janela->Image1->geometry(), QRect(-8, 0, 537, 321));
    EXPECT_EQ(janela->Image1->PictureName(), QStringLiteral(":/pictures/fundo_creditos.png"));
    EXPECT_TRUE(janela->Image1->Stretch());
    EXPECT_FALSE(janela->Image1->Picture().isNull());
    EXPECT_EQ(janela->Memo1->geometry(), QRect(32, 112, 449, 161));
    // The site and the address size themselves to their text, within two pixels of the layout.
    const struct {
        TLabel* rotulo;
        QRect area;
    } rotulos[] = {{janela->Label1, {32, 279, 146, 14}}, {janela->Label2, {220, 279, 189, 14}}};
    for (const auto& r : rotulos) {
        EXPECT_EQ(r.rotulo->pos(), r.area.topLeft());
        EXPECT_NEAR(r.rotulo->width(), r.area.width(), 2);
        EXPECT_NEAR(r.rotulo->height(), r.area.height(), 2);
    }
    EXPECT_EQ(janela->Button1->geometry(), QRect(446, 279, 35, 25));
    EXPECT_EQ(janela->Button1->Caption(), QStringLiteral("Ok"));
    EXPECT_EQ(janela->Label1->Caption(), HostSite);
    EXPECT_TRUE(janela->Label2->Caption().startsWith(QStringLiteral("email: ")));

    for (TLabel* rotulo : {janela->Label1, janela->Label2}) {
        SCOPED_TRACE(rotulo->objectName().toStdString());
        EXPECT_EQ(rotulo->font().pixelSize(), 12);
        EXPECT_TRUE(rotulo->font().bold());
        EXPECT_EQ(rotulo->FontColor(), clBlack);
        EXPECT_EQ(rotulo->Color(), clWhite);
        EXPECT_TRUE(rotulo->rect().contains(rotulo->TextRect()));
        EXPECT_TRUE(QRect(QPoint(0, 0), janela->size()).contains(rotulo->geometry()));
        EXPECT_FALSE(rotulo->geometry().intersects(janela->Button1->geometry()));
    }
    EXPECT_FALSE(janela->Label1->geometry().intersects(janela->Label2->geometry()));
    EXPECT_EQ(janela->Label1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(janela->Label2->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CreditosTest, MemoShowsTheCreditsCentredInNavy)
{
    TFrmCredito* janela = AbrirCreditos();
    TMemo* memo = janela->Memo1;
    EXPECT_EQ(LinhasVisiveis(*memo), LinhasDoLayout);
    for (QTextBlock bloco = memo->document()->begin(); bloco.isValid(); bloco = bloco.next())
        EXPECT_EQ(bloco.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(memo->font().pixelSize(), 13);
    EXPECT_TRUE(memo->font().bold());
    EXPECT_EQ(memo->FontColor(), clNavy);
    EXPECT_EQ(memo->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(memo->isReadOnly());
    EXPECT_TRUE(memo->hasFocus()) << "the memo has the focus when the window opens";
}

// Each click opens one more window, centred like the others; "Ok" hides the one it is on and
// nothing else.
TEST_F(CreditosTest, EveryClickOpensAnotherWindowAndOkHidesOnlyItsOwn)
{
    TFrmCredito* primeira = AbrirCreditos();
    TFrmCredito* segunda = AbrirCreditos();
    ASSERT_NE(primeira, segunda);
    EXPECT_EQ(FrmCredito, segunda);
    EXPECT_EQ(JanelasDeCreditos(*inicial).size(), 2);
    EXPECT_TRUE(primeira->isVisible());
    EXPECT_TRUE(segunda->isVisible());
    EXPECT_EQ(primeira->pos(), segunda->pos());

    Harness::Click(segunda->Button1);
    EXPECT_FALSE(segunda->isVisible());
    EXPECT_TRUE(primeira->isVisible());
    EXPECT_EQ(JanelasDeCreditos(*inicial).size(), 2) << "hidden, not destroyed";

    Harness::CloseBox(primeira);
    EXPECT_FALSE(primeira->isVisible());
    EXPECT_TRUE(inicial->isVisible());

    TFrmCredito* terceira = AbrirCreditos();
    EXPECT_NE(terceira, primeira);
    EXPECT_NE(terceira, segunda);
    EXPECT_TRUE(terceira->isVisible());
    EXPECT_FALSE(segunda->isVisible()) << "a hidden window is never shown again";
    EXPECT_TRUE(h.dialogs.isEmpty());
}

TEST_F(CreditosTest, EnterAndEscapeDoNotPressOk)
{
    TFrmCredito* janela = AbrirCreditos();
    const int linhas = janela->Memo1->document()->blockCount();
    Harness::Key(janela->Memo1, Qt::Key_Return);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(janela->Memo1->document()->blockCount(), linhas + 1) << "Enter starts a new line in the memo";
    for (QWidget* alvo : {static_cast<QWidget*>(janela), static_cast<QWidget*>(janela->Memo1)}) {
        Harness::Key(alvo, Qt::Key_Escape);
        EXPECT_TRUE(janela->isVisible());
    }
    Harness::Key(janela, Qt::Key_Return);
    EXPECT_TRUE(janela->isVisible());
}

TEST_F(CreditosTest, MemoEditsStayInTheirWindow)
{
    TFrmCredito* editada = AbrirCreditos();
    Harness::Type(editada->Memo1, QStringLiteral("nota"));
    EXPECT_TRUE(editada->Memo1->toPlainText().contains(QStringLiteral("nota")));
    TFrmCredito* nova = AbrirCreditos();
    EXPECT_EQ(LinhasVisiveis(*nova->Memo1), LinhasDoLayout);
}

TEST_F(CreditosTest, SiteLinkOpensTheSiteAndTheEmailDoesNothing)
{
    TFrmCredito* janela = AbrirCreditos();
    Harness::Click(janela->Label2);
    EXPECT_TRUE(h.openedAddresses.isEmpty());
    Harness::Click(janela->Label1);
    EXPECT_EQ(h.openedAddresses, QStringList{EnderecoSite});
    EXPECT_TRUE(janela->isVisible());
    janela->Label1Click(janela->Button1);
    EXPECT_EQ(h.openedAddresses.size(), 1) << "only a label is a link";
    EXPECT_TRUE(h.dialogs.isEmpty());
}

// Credits windows do not hold up the start window: a game can start and end beside them.
TEST_F(CreditosTest, StartWindowKeepsWorkingWhileCreditsAreOpen)
{
    TFrmCredito* janela = AbrirCreditos();
    Harness::Click(inicial->BtnJogar);
    EXPECT_TRUE(inicial->Edit1->Visible());
    Harness::Type(inicial->Edit1, QStringLiteral("Lia"));
    bool jogou = false;
    h.OnNextModal([&](TForm* quiz) {
        jogou = true;
        Harness::CloseBox(quiz);
    });
    Harness::Click(inicial->BitOk);
    EXPECT_TRUE(jogou);
    EXPECT_TRUE(janela->isVisible());
    AbrirCreditos();
    EXPECT_EQ(JanelasDeCreditos(*inicial).size(), 2);
}

TEST_F(CreditosTest, Screenshot)
{
    TFrmCredito* janela = AbrirCreditos();
    const QString caminho = Harness::SaveScreenshot(janela, QStringLiteral("creditos"));
    const QImage imagem(caminho);
    ASSERT_FALSE(imagem.isNull());
    EXPECT_EQ(imagem.size() / imagem.devicePixelRatio(), QSize(506, 317));
}
