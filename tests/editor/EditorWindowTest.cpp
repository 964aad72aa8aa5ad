#include "Harness.h"

#include "Chat.h"
#include "Enderecos.h"
#include "LimiteDeTamanho.h"
#include "UEntrada.h"
#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "app/quiz/NivelPool.h"
#include "bank/PastaTemporaria.h"
#include "toolkit/Application.h"

#include <QLineEdit>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

const QString Adicionada = QStringLiteral("Pergunta Adcionada!");
const QString Preencha = QStringLiteral("Preencha todos os campos!");
const QString Confirmacao = QStringLiteral("Você tem certeza que deseja excluir todas perguntas ?");
const QString Deletado = QStringLiteral(" PERGUNTAS.TXT Banco de Perguntas deletado.");
const QString NaoDeletado = QStringLiteral("PERGUNTAS.TXT Perguntas não foram deletadas ou não encontradas.");
const QString PrimeiroExclua = QStringLiteral("Primeiro exclua o banco atual, depois restaure.");
const QString Restaurado = QStringLiteral("Banco restaurado com sucesso !!!");
const QString ErroAoCopiar = QStringLiteral("Erro ao copiar PERGUNTASBACK.TXT para PERGUNTAS.TXT");

TPergunta UltimoRegistro(const QByteArray& banco)
{
    TPergunta p{};
    if (banco.size() >= 842)
        std::memcpy(&p, banco.constData() + (banco.size() / 842 - 1) * 842, 842);
    return p;
}

QString Texto(const char16_t* campo, int largura)
{
    return TextFromFixedField(campo, largura);
}

bool TemMetadeSolta(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && !(i + 1 < s.size() && s.at(i + 1).isLowSurrogate()))
            return true;
        if (s.at(i).isLowSurrogate() && !(i > 0 && s.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(h.MakeRunFolder().isEmpty());
        ASSERT_GT(LerArquivo(ArquivoReserva).size(), 0) << "the run folder holds the stock bank";
        if (!QFileInfo::exists(ArquivoBanco)) {
            ASSERT_TRUE(QFile::copy(ArquivoReserva, ArquivoBanco));
        }
        janela = std::make_unique<TFrmChat>(nullptr);
        janela->Show();
        QApplication::setActiveWindow(janela.get());
    }

    // Fills the five texts as a person types them.
    void Preencher(const QString& pergunta, const QString& r1, const QString& r2, const QString& r3,
                   const QString& r4)
    {
        Harness::Type(janela->Edit1, pergunta);
        Harness::Type(janela->Edit2, r1);
        Harness::Type(janela->Edit3, r2);
        Harness::Type(janela->Edit4, r3);
        Harness::Type(janela->Edit5, r4);
    }

    // Pastes text at the caret, as Ctrl+V does.
    static void Colar(QWidget* campo, const QString& texto)
    {
        QApplication::clipboard()->setText(texto);
        Harness::Key(campo, Qt::Key_V, Qt::ControlModifier);
    }

    void Adicionar()
    {
        h.AnswerNextDialog(QStringLiteral("OK"));
        Harness::Click(janela->Button1);
    }

    QStringList Campos() const
    {
        return {janela->Edit1->Text(), janela->Edit2->Text(), janela->Edit3->Text(), janela->Edit4->Text(),
                janela->Edit5->Text()};
    }

    // The control that holds the keyboard focus of the editor window.
    QWidget* Foco() const { return janela->focusWidget(); }

    Harness h;
    std::unique_ptr<TFrmChat> janela;
};

TEST_F(EditorWindowTest, OpensWithTheFirstLevelAndTheAdvertisingPage)
{
    EXPECT_EQ(janela->Caption(), QStringLiteral("Criador de Perguntas"));
    EXPECT_EQ(janela->size(), QSize(827, 391));
    EXPECT_EQ(janela->ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(janela->ComboBox1->Text(), QStringLiteral("R$ 1.000 - R$ 5.000"));
    EXPECT_EQ(janela->SpinEdit1->Value(), 1);
    EXPECT_EQ(janela->WebBrowser1->LocationURL(), EnderecoPublicidade);
    EXPECT_EQ(Campos(), QStringList(5));
    EXPECT_FALSE(janela->windowFlags() & Qt::WindowMaximizeButtonHint);
}

// Where everything stands and what it says. The labels size themselves to their captions, and
// come out within two pixels of the sizes the layout stores for them.
TEST_F(EditorWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(janela->objectName(), QStringLiteral("FrmChat"));
    EXPECT_EQ(janela->minimumSize(), janela->maximumSize()) << "the border is fixed";
    EXPECT_TRUE(janela->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(janela->palette().color(QPalette::Window), clBtnFace);
    EXPECT_EQ(janela->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(janela->font().pointSize(), 8);

    const struct {
        QWidget* controle;
        QRect area;
    } janelados[] = {
        {janela->Image1, {0, -10, 832, 403}},       {janela->Edit1, {19, 27, 448, 21}},
        {janela->Edit2, {19, 74, 300, 21}},         {janela->Edit3, {19, 122, 300, 21}},
        {janela->Edit4, {19, 170, 300, 21}},        {janela->Edit5, {19, 216, 300, 21}},
        {janela->SpinEdit1, {339, 74, 140, 22}},    {janela->ComboBox1, {339, 122, 140, 21}},
        {janela->Button1, {339, 170, 140, 67}},     {janela->Button2, {19, 272, 222, 49}},
        {janela->Button3, {264, 272, 215, 49}},     {janela->WebBrowser1, {514, 14, 305, 369}},
    };
    for (const auto& c : janelados) {
        SCOPED_TRACE(c.controle->objectName().toStdString());
        EXPECT_EQ(c.controle->geometry(), c.area);
        EXPECT_FALSE(c.controle->isHidden());
    }

    const struct {
        TLabel* rotulo;
        QRect area;
        QString texto;
    } rotulos[] = {
        {janela->Label3, {19, 12, 47, 13}, QStringLiteral("Pergunta:")},
        {janela->Label4, {19, 59, 57, 13}, QStringLiteral("Resposta 1:")},
        {janela->Label5, {19, 108, 57, 13}, QStringLiteral("Resposta 2:")},
        {janela->Label6, {19, 155, 57, 13}, QStringLiteral("Resposta 3:")},
        {janela->Label7, {19, 201, 57, 13}, QStringLiteral("Resposta 4:")},
        {janela->Label1, {339, 59, 87, 13}, QStringLiteral("Resposta Correta:")},
        {janela->Label2, {339, 108, 27, 13}, QStringLiteral("Nivel:")},
        {janela->Label8, {64, 358, 367, 25}, QStringLiteral("Aqui quem faz as perguntas é Você")},
    };
    for (const auto& r : rotulos) {
        SCOPED_TRACE(r.texto.toStdString());
        EXPECT_EQ(r.rotulo->pos(), r.area.topLeft());
        EXPECT_NEAR(r.rotulo->width(), r.area.width(), 2);
        EXPECT_NEAR(r.rotulo->height(), r.area.height(), 2);
        EXPECT_EQ(r.rotulo->Caption(), r.texto);
        EXPECT_TRUE(r.rotulo->rect().contains(r.rotulo->TextRect())) << "cut off";
        EXPECT_EQ(r.rotulo->ShownFont(), r.rotulo->font()) << "drawn in its own font";
        EXPECT_FALSE(r.rotulo->OnClick) << "a label is a plain caption";
    }
    EXPECT_EQ(janela->Label8->font().pixelSize(), 21);
    EXPECT_TRUE(janela->Label8->font().bold());
    EXPECT_EQ(janela->Label8->FontColor(), clBlack);

    EXPECT_EQ(janela->Button1->Caption(), QStringLiteral("Adcionar Pergunta"));
    EXPECT_EQ(janela->Button2->Caption(), QStringLiteral("Excluir Banco de Perguntas Atual"));
    EXPECT_EQ(janela->Button3->Caption(), QStringLiteral("Restaurar perguntas Quibo da Zanfre"));
    for (TEdit* resposta : {janela->Edit2, janela->Edit3, janela->Edit4, janela->Edit5})
        EXPECT_EQ(resposta->MaxLength(), 30);
    EXPECT_EQ(janela->Edit1->MaxLength(), 255);
    EXPECT_EQ(janela->SpinEdit1->MinValue(), 1);
    EXPECT_EQ(janela->SpinEdit1->MaxValue(), 4);
    QStringList itens;
    for (int i = 0; i < janela->ComboBox1->count(); ++i)
        itens << janela->ComboBox1->itemText(i);
    EXPECT_EQ(itens, (QStringList{QStringLiteral("R$ 1.000 - R$ 5.000"), QStringLiteral("R$ 10.000 - R$ 50.000"),
                                  QStringLiteral("R$ 100.000 - R$ 500.000"), QStringLiteral("R$ 1.000.000")}));
    EXPECT_TRUE(janela->ComboBox1->isEditable());
    EXPECT_EQ(janela->Image1->PictureName(), QStringLiteral(":/pictures/fundo_editor.png"));
    EXPECT_TRUE(janela->Image1->Stretch());
}

TEST_F(EditorWindowTest, TabRunsThroughTheFieldsTheAddButtonThenTheLevelBox)
{
    const std::vector<QWidget*> ordem = {janela->Edit1,     janela->Edit2,   janela->Edit3,
                                         janela->Edit4,     janela->Edit5,   janela->SpinEdit1->Editor(),
                                         janela->Button1,   janela->ComboBox1, janela->Button2,
                                         janela->Button3,   janela->WebBrowser1};
    janela->Edit1->SetFocus();
    for (size_t i = 0; i < ordem.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(Foco(), ordem[i]);
        QTest::keyClick(Foco(), Qt::Key_Tab);
    }
}

// Any of the five texts left empty stops the add; blanks count as text.
TEST_F(EditorWindowTest, AnEmptyFieldIsRefusedAndNothingIsWritten)
{
    const QByteArray antes = LerArquivo(ArquivoBanco);
    for (int vazio = 0; vazio < 5; ++vazio) {
        SCOPED_TRACE(vazio);
        QStringList textos = {QStringLiteral("Quem?"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                              QStringLiteral("D")};
        textos[vazio].clear();
        for (TEdit* e : {janela->Edit1, janela->Edit2, janela->Edit3, janela->Edit4, janela->Edit5})
            e->Clear();
        Preencher(textos[0], textos[1], textos[2], textos[3], textos[4]);
        Adicionar();

        ASSERT_FALSE(h.dialogs.isEmpty());
        EXPECT_EQ(h.dialogs.last().text, Preencha);
        EXPECT_EQ(h.dialogs.last().caption, QStringLiteral("Perigo"));
        EXPECT_EQ(h.dialogs.last().icon, TMsgIcon::Warning);
        EXPECT_EQ(h.dialogs.last().buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(Campos(), textos) << "the fields keep what was typed";
        EXPECT_EQ(Foco(), janela->Edit1);
    }
    EXPECT_EQ(h.dialogs.size(), 5);
    EXPECT_EQ(LerArquivo(ArquivoBanco), antes);
}

TEST_F(EditorWindowTest, AddAppendsOneRecordThenClearsTheFields)
{
    const QByteArray antes = LerArquivo(ArquivoBanco);
    Preencher(QStringLiteral("   "), QStringLiteral("Moisés"), QStringLiteral("Arão"), QStringLiteral("Josué"),
              QStringLiteral("Calebe"));
    Harness::Key(janela->SpinEdit1, Qt::Key_Up);
    Harness::Key(janela->SpinEdit1, Qt::Key_Up);
    janela->ComboBox1->setCurrentIndex(1);
    Adicionar();

    const QByteArray depois = LerArquivo(ArquivoBanco);
    ASSERT_EQ(depois.size(), antes.size() / 842 * 842 + 842);
    EXPECT_EQ(depois.left(antes.size() / 842 * 842), antes.left(antes.size() / 842 * 842));
    const TPergunta p = UltimoRegistro(depois);
    EXPECT_EQ(Texto(p.Pergunta, 256), QStringLiteral("   ")) << "blanks are stored as typed";
    EXPECT_EQ(Texto(p.Resposta1, 41), QStringLiteral("Moisés"));
    EXPECT_EQ(Texto(p.Resposta2, 41), QStringLiteral("Arão"));
    EXPECT_EQ(Texto(p.Resposta3, 41), QStringLiteral("Josué"));
    EXPECT_EQ(Texto(p.Resposta4, 41), QStringLiteral("Calebe"));
    EXPECT_EQ(p.Correta, 3);
    EXPECT_EQ(p.Nivel, 2);

    ASSERT_EQ(h.dialogs.size(), 1);
    EXPECT_EQ(h.dialogs[0].text, Adicionada);
    EXPECT_EQ(h.dialogs[0].caption, QStringLiteral("Informação"));
    EXPECT_EQ(h.dialogs[0].icon, TMsgIcon::Information);
    EXPECT_EQ(Campos(), QStringList(5));
    EXPECT_EQ(janela->SpinEdit1->Text(), QStringLiteral("1"));
    EXPECT_EQ(janela->ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(janela->ComboBox1->Text(), QStringLiteral("R$ 1.000 - R$ 5.000"));
    EXPECT_EQ(Foco(), janela->Edit1);
}

TEST_F(EditorWindowTest, TheFirstAddCreatesTheBank)
{
    ASSERT_TRUE(QFile::remove(ArquivoBanco));
    Preencher(QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    Adicionar();
    const QByteArray banco = LerArquivo(ArquivoBanco);
    ASSERT_EQ(banco.size(), 842);
    const TPergunta p = UltimoRegistro(banco);
    EXPECT_EQ(Texto(p.Pergunta, 256), QStringLiteral("Q"));
    EXPECT_EQ(p.Correta, 1);
    EXPECT_EQ(p.Nivel, 1);
    EXPECT_EQ(h.dialogs.last().text, Adicionada);
}

TEST_F(EditorWindowTest, AnswersHoldThirtyCharactersAndNoMore)
{
    const QString trinta = QStringLiteral("abcdefghijklmnopqrstuvwxyzçãé!");
    ASSERT_EQ(trinta.size(), 30);
    Harness::Type(janela->Edit1, QStringLiteral("Q"));
    for (TEdit* e : {janela->Edit2, janela->Edit3, janela->Edit4, janela->Edit5}) {
        Harness::Type(e, trinta + QStringLiteral("X"));
        EXPECT_EQ(e->Text(), trinta);
    }
    Adicionar();
    const TPergunta p = UltimoRegistro(LerArquivo(ArquivoBanco));
    for (const char16_t* campo : {p.Resposta1, p.Resposta2, p.Resposta3, p.Resposta4})
        EXPECT_EQ(Texto(campo, 41), trinta);
}

TEST_F(EditorWindowTest, TheQuestionHolds255UnitsAndNoMore)
{
    const QString longa = QString(254, u'p') + QStringLiteral("?");
    Harness::Type(janela->Edit1, longa + QStringLiteral("excesso"));
    EXPECT_EQ(janela->Edit1->Text(), longa);
    Preencher(QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    Adicionar();
    EXPECT_EQ(Texto(UltimoRegistro(LerArquivo(ArquivoBanco)).Pergunta, 256), longa);
}

// A character outside the basic plane takes two units; the limit never keeps half of one.
TEST_F(EditorWindowTest, APasteCutAtTheLimitNeverKeepsHalfACharacter)
{
    const QString pomba = QString::fromUtf8("\U0001F54A");
    ASSERT_EQ(pomba.size(), 2);
    struct Caso {
        const char* nome;
        TEdit* campo;
        QString antes; // already in the field
        int cursor;    // where the text goes in
        QString colado;
        QString esperado;
    };
    const std::vector<Caso> casos = {
        {"question, pair across the limit", janela->Edit1, QString(), 0, QString(254, u'a') + pomba + QStringLiteral("b"),
         QString(254, u'a')},
        {"question, pair just inside", janela->Edit1, QString(), 0, QString(253, u'a') + pomba + QStringLiteral("b"),
         QString(253, u'a') + pomba},
        {"question, pasted in the middle", janela->Edit1, QStringLiteral("xy"), 1, QString(252, u'a') + pomba,
         QStringLiteral("x") + QString(252, u'a') + QStringLiteral("y")},
        {"answer, pair across the limit", janela->Edit2, QString(), 0, QString(29, u'a') + pomba, QString(29, u'a')},
        {"answer, pair just inside", janela->Edit3, QString(), 0, QString(28, u'a') + pomba, QString(28, u'a') + pomba},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        caso.campo->SetText(caso.antes);
        caso.campo->setCursorPosition(caso.cursor);
        Colar(caso.campo, caso.colado);
        EXPECT_EQ(caso.campo->Text(), caso.esperado);
        EXPECT_FALSE(TemMetadeSolta(caso.campo->Text()));
    }

    // What reaches the bank is whole as well.
    for (TEdit* e : {janela->Edit1, janela->Edit2, janela->Edit3, janela->Edit4, janela->Edit5})
        e->Clear();
    Colar(janela->Edit1, QString(254, u'q') + pomba);
    Preencher(QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    Adicionar();
    const QString gravada = Texto(UltimoRegistro(LerArquivo(ArquivoBanco)).Pergunta, 256);
    EXPECT_EQ(gravada, QString(254, u'q'));
    EXPECT_FALSE(TemMetadeSolta(gravada));
}

// The right answer is whatever the box reads once the add has taken the focus from it.
TEST_F(EditorWindowTest, TheRightAnswerIsTheSpinValueWithinOneToFour)
{
    struct Caso {
        const char* nome;
        std::function<void(TSpinEdit*)> mexer;
        quint8 correta;
        QString textoDepois; // what the box reads after the click, before the fields are cleared
    };
    const std::vector<Caso> casos = {
        {"erased", [](TSpinEdit* s) { s->Editor()->selectAll(); Harness::Key(s, Qt::Key_Delete); }, 1, QString()},
        {"7 typed", [](TSpinEdit* s) { s->Editor()->selectAll(); Harness::Type(s, QStringLiteral("7")); }, 4,
         QStringLiteral("4")},
        {"0 typed", [](TSpinEdit* s) { s->Editor()->selectAll(); Harness::Type(s, QStringLiteral("0")); }, 1,
         QStringLiteral("1")},
        {"a lone sign", [](TSpinEdit* s) { s->Editor()->selectAll(); Harness::Type(s, QStringLiteral("-")); }, 1,
         QStringLiteral("-")},
        {"stepped past the top", [](TSpinEdit* s) { for (int i = 0; i < 6; ++i) Harness::Key(s, Qt::Key_Up); }, 4,
         QStringLiteral("4")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        Preencher(QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                  QStringLiteral("4"));
        caso.mexer(janela->SpinEdit1);
        QString lidoNoDialogo;
        h.OnNextDialog([&](TMessageDialog& d) {
            lidoNoDialogo = janela->SpinEdit1->Text();
            d.PressButton(0);
        });
        Harness::Click(janela->Button1);
        EXPECT_EQ(lidoNoDialogo, caso.textoDepois);
        EXPECT_EQ(UltimoRegistro(LerArquivo(ArquivoBanco)).Correta, caso.correta);
        EXPECT_EQ(h.dialogs.last().text, Adicionada);
    }
}

TEST_F(EditorWindowTest, ALevelTypedInTheBoxThatMatchesNoItemIsLevelZero)
{
    Preencher(QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    janela->ComboBox1->lineEdit()->selectAll();
    Harness::Type(janela->ComboBox1, QStringLiteral("nível cinco"));
    Adicionar();
    EXPECT_EQ(UltimoRegistro(LerArquivo(ArquivoBanco)).Nivel, 0);
    EXPECT_EQ(janela->ComboBox1->ItemIndex(), 0);

    Preencher(QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    janela->ComboBox1->lineEdit()->selectAll();
    Harness::Type(janela->ComboBox1, QStringLiteral("R$ 1.000.000"));
    Adicionar();
    EXPECT_EQ(UltimoRegistro(LerArquivo(ArquivoBanco)).Nivel, 4) << "typing an item's text selects it";
}

// A bank that cannot be written is said so, and nothing typed is lost.
TEST_F(EditorWindowTest, AnAddThatCannotBeWrittenWarnsAndKeepsTheFields)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        bool limitado = false; // a file-size limit a few bytes above the bank
    };
    const std::vector<Caso> casos = {
        {"file-size limit, partial record at the end",
         [] { EscreverArquivo(ArquivoBanco, LerArquivo(ArquivoBanco) + QByteArray(100, '\x7f')); }, true},
        {"read-only bank", [] { Permissoes(ArquivoBanco, 0444); }},
        {"folder of that name", [] {
             ASSERT_TRUE(QFile::remove(ArquivoBanco));
             ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco));
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        caso.preparar();
        const QByteArray antes = LerArquivo(ArquivoBanco);
        const QStringList textos = {QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                    QStringLiteral("4")};
        for (TEdit* e : {janela->Edit1, janela->Edit2, janela->Edit3, janela->Edit4, janela->Edit5})
            e->Clear();
        Preencher(textos[0], textos[1], textos[2], textos[3], textos[4]);
        janela->ComboBox1->setCurrentIndex(2);
        janela->SpinEdit1->SetValue(1);
        Harness::Key(janela->SpinEdit1, Qt::Key_Up);
        {
            std::optional<LimiteDeTamanho> limite;
            if (caso.limitado)
                limite.emplace(antes.size() + 10);
            Adicionar();
        }

        ASSERT_FALSE(h.dialogs.isEmpty());
        EXPECT_EQ(h.dialogs.last().caption, QStringLiteral("Perigo"));
        EXPECT_TRUE(h.dialogs.last().text.contains(ArquivoBanco));
        EXPECT_NE(h.dialogs.last().text, Adicionada);
        EXPECT_EQ(Campos(), textos);
        EXPECT_EQ(janela->SpinEdit1->Value(), 2);
        EXPECT_EQ(janela->ComboBox1->ItemIndex(), 2);
        EXPECT_EQ(Foco(), janela->Edit1);
        EXPECT_EQ(LerArquivo(ArquivoBanco), antes);
    }
    for (const DialogRecord& d : h.dialogs)
        EXPECT_NE(d.text, Adicionada);
}

// Only OK deletes; Cancel, Escape and the close box leave the bank alone and say nothing more.
TEST_F(EditorWindowTest, DeleteAsksFirstAndOnlyOkDeletes)
{
    const QByteArray banco = LerArquivo(ArquivoBanco);
    ASSERT_GT(banco.size(), 0);
    const std::vector<std::pair<const char*, std::function<void()>>> recusas = {
        {"Cancela", [&] { h.AnswerNextDialog(QStringLiteral("Cancela")); }},
        {"Escape", [&] { h.AnswerNextDialogWithKey(Qt::Key_Escape); }},
        {"close box", [&] { h.CloseNextDialogWithCloseBox(); }},
    };
    for (const auto& [nome, responder] : recusas) {
        SCOPED_TRACE(nome);
        h.dialogs.clear();
        responder();
        Harness::Click(janela->Button2);
        ASSERT_EQ(h.dialogs.size(), 1);
        EXPECT_EQ(h.dialogs[0].text, Confirmacao);
        EXPECT_EQ(h.dialogs[0].caption, QStringLiteral("Confirma ?"));
        EXPECT_EQ(h.dialogs[0].buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancela")}));
        EXPECT_EQ(h.dialogs[0].result, 2);
        EXPECT_EQ(LerArquivo(ArquivoBanco), banco);
    }

    h.dialogs.clear();
    h.AnswerNextDialog(QStringLiteral("OK"));
    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button2);
    ASSERT_EQ(h.dialogs.size(), 2);
    EXPECT_EQ(h.dialogs[1].text, Deletado);
    EXPECT_EQ(h.dialogs[1].caption, Application->Title());
    EXPECT_EQ(h.dialogs[1].icon, TMsgIcon::None);
    EXPECT_FALSE(Existe(ArquivoBanco));

    h.AnswerNextDialog(QStringLiteral("OK"));
    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button2);
    ASSERT_EQ(h.dialogs.size(), 4);
    EXPECT_EQ(h.dialogs[3].text, NaoDeletado);
    EXPECT_EQ(h.unansweredDialogs, 0);
}

TEST_F(EditorWindowTest, DeleteRemovesALinkButNeverAFolderOrAReadOnlyBank)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        QString aviso;
        bool continua; // something still bears the bank's name afterwards
    };
    const QByteArray banco = LerArquivo(ArquivoBanco);
    const std::vector<Caso> casos = {
        {"link to a bank elsewhere",
         [] {
             ASSERT_TRUE(QFile::rename(ArquivoBanco, QStringLiteral("meu-banco")));
             ASSERT_EQ(::symlink("meu-banco", "PERGUNTAS.TXT"), 0);
         },
         Deletado, false},
        {"folder", [] { ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco)); }, NaoDeletado, true},
        {"read-only bank",
         [&] {
             ASSERT_TRUE(QDir::current().rmdir(ArquivoBanco));
             ASSERT_TRUE(QFile::copy(QStringLiteral("meu-banco"), ArquivoBanco));
             Permissoes(ArquivoBanco, 0444);
         },
         NaoDeletado, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        caso.preparar();
        h.dialogs.clear();
        h.AnswerNextDialog(QStringLiteral("OK"));
        h.AnswerNextDialog(QStringLiteral("OK"));
        Harness::Click(janela->Button2);
        ASSERT_EQ(h.dialogs.size(), 2);
        EXPECT_EQ(h.dialogs[1].text, caso.aviso);
        EXPECT_EQ(Existe(ArquivoBanco), caso.continua);
        EXPECT_EQ(LerArquivo(QStringLiteral("meu-banco")), banco) << "a link's target keeps its questions";
    }
    EXPECT_EQ(LerArquivo(ArquivoBanco), banco);
}

TEST_F(EditorWindowTest, RestoreIsRefusedWhileABankExists)
{
    const QByteArray banco = QByteArray(842, 'z');
    QFile f(ArquivoBanco);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(banco);
    f.close();

    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button3);
    ASSERT_EQ(h.dialogs.size(), 1);
    EXPECT_EQ(h.dialogs[0].text, PrimeiroExclua);
    EXPECT_EQ(h.dialogs[0].caption, Application->Title());
    EXPECT_EQ(LerArquivo(ArquivoBanco), banco);
}

TEST_F(EditorWindowTest, RestoreAfterADeleteCopiesTheStockBankByteForByte)
{
    h.AnswerNextDialog(QStringLiteral("OK"));
    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button2);
    ASSERT_FALSE(Existe(ArquivoBanco));

    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button3);
    EXPECT_EQ(h.dialogs.last().text, Restaurado);
    EXPECT_EQ(LerArquivo(ArquivoBanco), LerArquivo(ArquivoReserva));
    EXPECT_TRUE(CarregarNivel(1, QStringLiteral("x")).ok);
}

TEST_F(EditorWindowTest, RestoreFailsWithoutTheStockCopyOrWhenTheNameIsTaken)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
    };
    const std::vector<Caso> casos = {
        {"stock copy missing", [] { ASSERT_TRUE(QFile::rename(ArquivoReserva, QStringLiteral("guardado"))); }},
        {"dangling link of the bank's name",
         [] {
             ASSERT_TRUE(QFile::rename(QStringLiteral("guardado"), ArquivoReserva));
             ASSERT_EQ(::symlink("lugar-nenhum", "PERGUNTAS.TXT"), 0);
         }},
        {"folder of the bank's name",
         [] {
             ASSERT_EQ(::unlink("PERGUNTAS.TXT"), 0);
             ASSERT_TRUE(QDir::current().mkdir(ArquivoBanco));
         }},
    };
    ASSERT_TRUE(QFile::remove(ArquivoBanco));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        caso.preparar();
        const QStringList antes = QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        h.AnswerNextDialog(QStringLiteral("OK"));
        Harness::Click(janela->Button3);
        EXPECT_EQ(h.dialogs.last().text, ErroAoCopiar);
        EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System), antes);
        EXPECT_FALSE(Existe(QStringLiteral("lugar-nenhum")));
    }
}

// The copy keeps the stock copy's permissions, so a read-only stock copy gives a bank the quiz
// cannot open and the editor cannot add to.
TEST_F(EditorWindowTest, ARestoredReadOnlyStockCopyGivesAReadOnlyBank)
{
    ASSERT_TRUE(QFile::remove(ArquivoBanco));
    Permissoes(ArquivoReserva, 0444);
    h.AnswerNextDialog(QStringLiteral("OK"));
    Harness::Click(janela->Button3);
    EXPECT_EQ(h.dialogs.last().text, Restaurado);
    EXPECT_EQ(LerArquivo(ArquivoBanco), LerArquivo(ArquivoReserva));
    EXPECT_EQ(QFileInfo(ArquivoBanco).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), 0);
    EXPECT_FALSE(CarregarNivel(1, QStringLiteral("x")).ok);
}

TEST_F(EditorWindowTest, AQuestionAddedInTheEditorIsLoadedByTheQuiz)
{
    Preencher(QStringLiteral("Quem construiu a arca?"), QStringLiteral("Noé"), QStringLiteral("Abraão"),
              QStringLiteral("Davi"), QStringLiteral("Pedro"));
    janela->ComboBox1->setCurrentIndex(2);
    Adicionar();

    ASSERT_TRUE(CarregarNivel(3, QStringLiteral("x")).ok);
    ASSERT_GT(QtdBancoNivel, 0);
    const TPergunta& ultima = BancoNivel[QtdBancoNivel - 1];
    EXPECT_EQ(Texto(ultima.Pergunta, 256), QStringLiteral("Quem construiu a arca?"));
    EXPECT_EQ(Texto(ultima.Resposta1, 41), QStringLiteral("Noé"));
    EXPECT_EQ(ultima.Correta, 1);
}

TEST_F(EditorWindowTest, ClosingTheEditorHidesIt)
{
    QPointer<TFrmChat> guarda(janela.get());
    Harness::CloseBox(janela.get());
    ASSERT_TRUE(guarda);
    EXPECT_FALSE(janela->isVisible());
}

// Items wider than the level box show their beginning, however they were chosen.
TEST_F(EditorWindowTest, LevelBoxShowsEachItemFromItsStart)
{
    TComboBox* nivel = janela->ComboBox1;
    const struct {
        const char* como;
        std::function<void()> escolher;
        int item;
    } casos[] = {
        {"Down key", [&] { Harness::Key(nivel, Qt::Key_Down); }, 1},
        {"from the list", [&] { nivel->setCurrentIndex(2); }, 2},
        {"Up key", [&] { Harness::Key(nivel, Qt::Key_Up); }, 1},
        {"cleared after an add", [&] { nivel->SetItemIndex(0); }, 0},
    };
    nivel->SetFocus();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        c.escolher();
        EXPECT_EQ(nivel->ItemIndex(), c.item);
        EXPECT_EQ(nivel->lineEdit()->cursorPosition(), 0);
        EXPECT_LE(nivel->lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 4) << "the text is not scrolled";
    }
}

TEST_F(EditorWindowTest, Screenshot)
{
    Preencher(QStringLiteral("Quantos livros tem a Bíblia?"), QStringLiteral("66"), QStringLiteral("72"),
              QStringLiteral("39"), QStringLiteral("27"));
    janela->ComboBox1->SetFocus();
    Harness::Key(janela->ComboBox1, Qt::Key_Down);
    const QString caminho = Harness::SaveScreenshot(janela.get(), QStringLiteral("editor"));
    EXPECT_TRUE(QFileInfo(caminho).size() > 0);
}

// Each click on the start window's editor picture opens one more editor, owned by the start window.
TEST(EditorFromStartWindow, EachClickOnTheEditorPictureOpensOneMoreEditor)
{
    Harness h;
    ASSERT_FALSE(h.MakeRunFolder().isEmpty());
    auto inicio = std::make_unique<TFrmTelaInicial>(nullptr);
    // The editors the start window owns.
    const auto editores = [&] {
        QList<TFrmChat*> lista;
        for (QObject* filho : inicio->children())
            if (auto* editor = dynamic_cast<TFrmChat*>(filho))
                lista.append(editor);
        return lista;
    };
    ASSERT_TRUE(editores().isEmpty());

    Harness::Click(inicio->Image1);
    QPointer<TFrmChat> primeiro = FrmChat;
    Harness::Click(inicio->Image1);
    QPointer<TFrmChat> segundo = FrmChat;

    ASSERT_TRUE(primeiro && segundo);
    EXPECT_EQ(editores(), (QList<TFrmChat*>{primeiro.data(), segundo.data()}));
    EXPECT_TRUE(primeiro->isVisible());
    EXPECT_TRUE(segundo->isVisible());
    EXPECT_TRUE(primeiro->isWindow());

    // Closing one hides it; the other stays open.
    Harness::CloseBox(primeiro);
    ASSERT_TRUE(primeiro);
    EXPECT_FALSE(primeiro->isVisible());
    EXPECT_TRUE(segundo->isVisible());

    inicio.reset();
    EXPECT_FALSE(primeiro);
    EXPECT_FALSE(segundo);
    FrmChat = nullptr;
}

} // namespace
