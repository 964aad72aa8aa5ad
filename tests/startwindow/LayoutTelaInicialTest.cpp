// The start window as laid out: what the player sees before touching anything.

#include "Harness.h"

#include "Enderecos.h"
#include "UEntrada.h"

#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct Controle {
    const char* nome;
    QRect area;
    bool visivel;
};

const Controle Controles[] = {
    {"Image5", {-2, -12, 683, 477}, true},
    {"Label2", {11, 440, 146, 14}, true},
    {"BtnJogar", {96, 228, 217, 50}, true},
    {"BtnCreditos", {96, 278, 217, 50}, true},
    {"BtnSair", {96, 369, 217, 50}, true},
    {"Label1", {95, 150, 139, 19}, false},
    {"Image1", {96, 325, 212, 43}, true},
    {"BitOk", {240, 175, 81, 27}, false},
    {"Edit1", {95, 175, 139, 27}, false},
    {"tema01", {8, 8, 29, 30}, false},
    {"WebBrowser1", {391, 88, 305, 369}, true},
};

// Point sizes drawn at the pixel heights of 96 dots per inch: 8 pt is 11 pixels, 9 pt 12, 12 pt 16.
struct Fonte {
    const char* nome;
    int pixels;
    bool negrito;
};

const Fonte Fontes[] = {
    {"FrmTelaInicial", 11, false}, {"Label2", 12, true}, {"Label1", 16, true},
    {"BitOk", 16, false},          {"Edit1", 16, true},
};

class LayoutTelaInicialTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(naPastaDoJogo); }
    Harness h;
    // The window loads its banner page when it is created, so it must be made in the run folder.
    const bool naPastaDoJogo = !h.MakeRunFolder().isEmpty();
    TFrmTelaInicial janela{nullptr};
};

} // namespace

TEST_F(LayoutTelaInicialTest, WindowAsLaidOut)
{
    EXPECT_EQ(janela.objectName(), QStringLiteral("FrmTelaInicial"));
    EXPECT_EQ(janela.Caption(),
              QStringLiteral("Show de Perguntas e Respotas B\u00edblicas da Quibo da Zanfre -  O Ventaroz Evang\u00e9lico"));
    EXPECT_EQ(janela.size(), QSize(679, 465));
    EXPECT_EQ(janela.minimumSize(), janela.maximumSize()) << "the border is fixed";
    const Qt::WindowFlags botoes = janela.windowFlags();
    EXPECT_TRUE(botoes.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(botoes.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(botoes.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(janela.palette().color(QPalette::Window), clBtnFace);
    EXPECT_FALSE(janela.isVisible());
}

TEST_F(LayoutTelaInicialTest, ControlsStandWhereTheLayoutPutsThem)
{
    for (const Controle& c : Controles) {
        SCOPED_TRACE(c.nome);
        auto* controle = janela.findChild<QWidget*>(QString::fromLatin1(c.nome));
        ASSERT_NE(controle, nullptr);
        // The labels size themselves to their text: within two pixels of the stored size.
        const int folga = qobject_cast<TLabel*>(controle) ? 2 : 0;
        EXPECT_EQ(controle->pos(), c.area.topLeft());
        EXPECT_NEAR(controle->width(), c.area.width(), folga);
        EXPECT_NEAR(controle->height(), c.area.height(), folga);
        EXPECT_EQ(!controle->isHidden(), c.visivel);
    }
    for (const Fonte& f : Fontes) {
        SCOPED_TRACE(f.nome);
        QWidget* controle = janela.objectName() == QLatin1String(f.nome)
                                ? static_cast<QWidget*>(&janela)
                                : janela.findChild<QWidget*>(QString::fromLatin1(f.nome));
        ASSERT_NE(controle, nullptr);
        EXPECT_EQ(controle->font().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(QFontInfo(controle->font()).pixelSize(), f.pixels);
        EXPECT_EQ(controle->font().bold(), f.negrito);
    }
}

TEST_F(LayoutTelaInicialTest, ContentsAndLookOfTheControls)
{
    EXPECT_EQ(janela.Label1->Caption(), QStringLiteral("Digite  seu Nome"));
    // Labels are as wide as their text: none of it is cut off.
    for (TLabel* rotulo : {janela.Label1, janela.Label2})
        EXPECT_TRUE(rotulo->rect().contains(rotulo->TextRect())) << rotulo->objectName().toStdString();
    EXPECT_EQ(janela.Label2->Caption(), HostSite);
    EXPECT_EQ(janela.Label2->FontColor(), clBlack);
    EXPECT_EQ(janela.Label2->Color(), clSilver);
    EXPECT_EQ(janela.Label2->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(janela.BitOk->text(), QStringLiteral("Entrar"));
    EXPECT_TRUE(janela.BitOk->IsDefaultButton());
    EXPECT_FALSE(janela.BitOk->icon().isNull()) << "the tick glyph";
    EXPECT_TRUE(janela.Edit1->Text().isEmpty());
    EXPECT_EQ(janela.Edit1->FontColor(), clBlack);
    EXPECT_GE(janela.Edit1->MaxLength(), 1 << 30) << "the name has no length limit";
    EXPECT_EQ(janela.tema01->FileName(), QStringLiteral("audio\\tema01.mp3"));
    EXPECT_FALSE(janela.tema01->IsOpen()) << "the theme opens when the window shows";
    EXPECT_EQ(janela.WebBrowser1->LocationURL(), EnderecoPublicidade);
    EXPECT_TRUE(janela.WebBrowser1->LoadedFile().endsWith(QStringLiteral("/publicidade.html")))
        << "the banner shows the advertising page";

    const struct {
        TImage* imagem;
        const char* figura;
        bool esticada;
    } figuras[] = {
        {janela.Image5, ":/pictures/fundo_inicial.png", true},
        {janela.BtnJogar, ":/pictures/botao_jogar.png", false},
        {janela.BtnCreditos, ":/pictures/botao_creditos.png", false},
        {janela.BtnSair, ":/pictures/botao_sair.png", false},
        {janela.Image1, ":/pictures/botao_addperguntas.png", true},
    };
    for (const auto& f : figuras) {
        SCOPED_TRACE(f.figura);
        EXPECT_EQ(f.imagem->PictureName(), QString::fromLatin1(f.figura));
        EXPECT_FALSE(f.imagem->Picture().isNull());
        EXPECT_EQ(f.imagem->Stretch(), f.esticada);
    }
}

// Later controls stand above earlier ones (the editor picture covers the credits picture's lowest
// pixels), and the keyboard goes "Entrar", the name field, then the banner.
TEST_F(LayoutTelaInicialTest, StackingAndTabOrder)
{
    const QObjectList filhos = janela.children();
    auto nivel = [&](QWidget* w) { return filhos.indexOf(w); };
    EXPECT_LT(nivel(janela.Image5), nivel(janela.Label2));
    EXPECT_LT(nivel(janela.BtnCreditos), nivel(janela.Image1));
    EXPECT_LT(nivel(janela.Image1), nivel(janela.BitOk));
    EXPECT_LT(nivel(janela.BitOk), nivel(janela.Edit1));
    EXPECT_LT(nivel(janela.Edit1), nivel(janela.WebBrowser1));
    EXPECT_EQ(janela.childAt(150, 326), janela.Image1);

    QList<QWidget*> cadeia;
    QWidget* w = janela.BitOk;
    do {
        cadeia.append(w);
        w = w->nextInFocusChain();
    } while (w != janela.BitOk && cadeia.size() < 100);
    EXPECT_LT(cadeia.indexOf(janela.BitOk), cadeia.indexOf(janela.Edit1));
    EXPECT_LT(cadeia.indexOf(janela.Edit1), cadeia.indexOf(janela.WebBrowser1));
}

TEST_F(LayoutTelaInicialTest, Screenshot)
{
    janela.Show();
    Harness::Click(janela.BtnJogar);
    Harness::Type(janela.Edit1, QStringLiteral("Ester"));
    const QString caminho = Harness::SaveScreenshot(&janela, QStringLiteral("tela_inicial"));
    const QImage imagem(caminho);
    ASSERT_FALSE(imagem.isNull());
    EXPECT_EQ(imagem.size() / imagem.devicePixelRatio(), QSize(679, 465));
    // The banner's right edge is cut off by the window; the background fills the rest.
    EXPECT_NE(imagem.pixelColor(20, 20), clBtnFace);
}
