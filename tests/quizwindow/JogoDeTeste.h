#pragma once

// What the quiz window's tests share: a bank written with the bank code into the harness's run
// folder, a game run as the start window runs it, and the reference generator, so a test can
// foresee a draw without asking the game.

#include "support/Harness.h"

#include "Unit1.h"
#include "Enderecos.h"
#include "UEntrada.h"
#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "app/quiz/NivelPool.h"
#include "app/quiz/Premios.h"
#include "quiz/GeradorDeReferencia.h"
#include "toolkit/Locale.h"
#include "toolkit/Pause.h"
#include "toolkit/Random.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QVector>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

namespace teste {

// Question i (from 1) of level n reads "N<n> P<i>"; its answers read "N<n> P<i> R<k>"; the right
// answer is ((i - 1) % 4) + 1 unless a test chooses it (any byte, also one naming no answer).
inline QString TextoPergunta(int nivel, int i, const QString& prefixo = QString())
{
    return prefixo + QStringLiteral("N%1 P%2").arg(nivel).arg(i);
}

inline TPergunta Pergunta(int nivel, int i, int correta = -1, const QString& prefixo = QString())
{
    TPergunta p{};
    CopyToFixedField(p.Pergunta, 256, TextoPergunta(nivel, i, prefixo));
    char16_t* respostas[4] = {p.Resposta1, p.Resposta2, p.Resposta3, p.Resposta4};
    for (int k = 1; k <= 4; ++k)
        CopyToFixedField(respostas[k - 1], 41, TextoPergunta(nivel, i, prefixo) + QStringLiteral(" R%1").arg(k));
    p.Correta = quint8(correta >= 0 ? correta : (i - 1) % 4 + 1);
    p.Nivel = quint8(nivel);
    return p;
}

// Replaces the bank with porNivel[n - 1] questions of each level n.
inline void EscreverBanco(std::initializer_list<int> porNivel, const QString& prefixo = QString())
{
    QFile::remove(ArquivoBanco);
    int nivel = 0;
    for (int quantas : porNivel) {
        ++nivel;
        for (int i = 1; i <= quantas; ++i)
            GravarPergunta(Pergunta(nivel, i, -1, prefixo));
    }
}

inline void EscreverBanco(const QVector<TPergunta>& perguntas)
{
    QFile::remove(ArquivoBanco);
    for (const TPergunta& p : perguntas)
        GravarPergunta(p);
}

// The ways a player answers a Yes/No dialog.
enum class Dispensa { Sim, Nao, Esc, X };

inline void ResponderProximoDialogo(Harness& h, Dispensa d)
{
    switch (d) {
    case Dispensa::Sim:
        h.AnswerNextDialog(QStringLiteral("&Sim"));
        break;
    case Dispensa::Nao:
        h.AnswerNextDialog(QStringLiteral("&Não"));
        break;
    case Dispensa::Esc:
        h.AnswerNextDialogWithKey(Qt::Key_Escape);
        break;
    case Dispensa::X:
        h.CloseNextDialogWithCloseBox();
        break;
    }
}

inline QVector<TMediaCall> ChamadasDe(const Harness& h, const QString& tocador)
{
    QVector<TMediaCall> chamadas;
    for (const SoundCall& s : h.SoundsOf(tocador))
        chamadas.append(s.call);
    return chamadas;
}

// A generator state whose next draw below n is r.
inline quint32 EstadoQueSorteia(int n, int r)
{
    for (quint32 s = 1;; ++s) {
        GeradorDeReferencia g{s};
        if (g.abaixoDe(n) == r)
            return s;
    }
}

// The quiz window run as the start window runs a game: created with an owner, stored in
// FrmPerguntas, shown modally. The moves run inside the modal run; if the game is still on when
// they end, the test closes the window so the run returns.
class JogoDeTeste : public ::testing::Test {
public:
    void SetUp() override
    {
        h.MakeRunFolder();
        h.SetSeed(20261209);
        ApplyThousandSeparator(QStringLiteral("."));
        NomeJogador = QStringLiteral("Ana");
        EscreverBanco({8, 8, 8, 2});
        dono = std::make_unique<QWidget>();
    }

    void TearDown() override
    {
        delete FrmPerguntas;
        FrmPerguntas = nullptr;
        dono.reset();
    }

    void Jogar(const std::function<void()>& jogadas = [] {})
    {
        Abrir([this, jogadas] {
            h.OnNextModal([this, jogadas](TForm*) {
                loopEntrou = true;
                jogadas();
                abertaAposJogadas = EmJogo();
                if (abertaAposJogadas)
                    janela->Close();
            });
        });
    }

    // For a game that ends while the window opens: no modal run is expected to begin.
    void JogarSemLaco()
    {
        Abrir([] {});
    }

    bool EmJogo() const { return janela->Visible() && !janela->CloseRequested(); }

    void Abrir(const std::function<void()>& antes)
    {
        FrmPerguntas = new TFrmPerguntas(dono.get());
        janela = FrmPerguntas;
        loopEntrou = false;
        abertaAposJogadas = false;
        antes();
        janela->ShowModal();
    }

    // Destroys the window as the start window does when the modal run returns.
    void Destruir()
    {
        delete FrmPerguntas;
        FrmPerguntas = nullptr;
        janela = nullptr;
    }

    // Back to a fresh bank and no window, for the next row of a table.
    void Reiniciar()
    {
        Destruir();
        EscreverBanco({8, 8, 8, 2});
    }

    TLabel* Resposta(int k) const { return std::array{janela->Label2, janela->Label3, janela->Label4, janela->Label5}.at(k - 1); }
    TImage* Fundo(int k) const { return std::array{janela->Image2, janela->Image3, janela->Image4, janela->Image5}.at(k - 1); }
    TLabel* Degrau(int p) const
    {
        return std::array{janela->Label10, janela->Label11, janela->Label12, janela->Label13, janela->Label14,
                          janela->Label15, janela->Label16, janela->Label17, janela->Label18, janela->Label19,
                          janela->Label20, janela->Label21, janela->Label22, janela->Label23, janela->Label24,
                          janela->Label25}
            .at(p - 1);
    }

    int Certa() const { return PerguntaAtual.Correta; }
    int Errada() const { return Certa() % 4 + 1; }

    // Answers the question on screen and confirms it.
    void Responder(int k)
    {
        h.AnswerNextDialog(QStringLiteral("&Sim"));
        Harness::Click(Resposta(k));
    }

    // Answers right until the question of position p is on screen.
    void AvancarAte(int p)
    {
        while (Posicao < p && EmJogo()) {
            const int antes = Posicao;
            Responder(Certa());
            ASSERT_EQ(Posicao, antes + 1) << "the game did not move on";
        }
        ASSERT_EQ(Posicao, p);
    }

    void Tick(int vezes = 1)
    {
        for (int i = 0; i < vezes; ++i)
            janela->Timer1->Tick();
    }

    Harness h;
    std::unique_ptr<QWidget> dono;
    TFrmPerguntas* janela = nullptr;
    bool loopEntrou = false;
    bool abertaAposJogadas = false;
};

} // namespace teste
