#include "app/bank/Banco.h"
#include "app/quiz/NivelPool.h"
#include "bank/PastaTemporaria.h"
#include "quiz/GeradorDeReferencia.h"
#include "toolkit/Random.h"

#include <QSet>
#include <functional>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

const QString Nome = QStringLiteral("Ana");
const QString SemPerguntas = QStringLiteral(
    "Ana Erro no arquivo PERGUNTAS.TXT\r\nNão há perguntas para este nível.\r\nRestaure as Perguntas ou adicione mais.");
const QString NaoAbriu = QStringLiteral("Ana Erro ao abrir o arquivo PERGUNTAS.TXT.");

// Writes a bank whose records have these levels; record i is the question "q<i>".
void CriarBanco(std::initializer_list<int> niveis, const QByteArray& resto = QByteArray())
{
    QByteArray bytes;
    int i = 0;
    for (const int nivel : niveis)
        bytes += BytesDe(NovaPergunta(QStringLiteral("q%1").arg(i++), quint8(nivel)));
    EscreverArquivo(ArquivoBanco, bytes + resto);
}

QString Texto(const TPergunta& p)
{
    return TextFromFixedField(p.Pergunta, 256);
}

void NovoJogo()
{
    for (TSorteadas& s : Sorteadas)
        s.Qtd = 0;
}

TEST(CargaDoNivel, MantemAOrdemDoArquivoESoONivelPedido)
{
    PastaTemporaria pasta;
    CriarBanco({2, 1, 0, 5, 1, 3}, QByteArray(100, '\x01'));
    const struct {
        quint8 nivel;
        QStringList perguntas;
    } casos[] = {
        {1, {QStringLiteral("q1"), QStringLiteral("q4")}},
        {2, {QStringLiteral("q0")}},
        {3, {QStringLiteral("q5")}},
    };
    for (const auto& c : casos) {
        const ResultadoCarga r = CarregarNivel(c.nivel, Nome);
        EXPECT_TRUE(r.ok) << int(c.nivel);
        QStringList lidas;
        for (int k = 1; k <= QtdBancoNivel; ++k)
            lidas << Texto(BancoNivel[k - 1]);
        EXPECT_EQ(lidas, c.perguntas) << int(c.nivel);
    }
    const ResultadoCarga quatro = CarregarNivel(4, Nome);
    EXPECT_FALSE(quatro.ok);
    EXPECT_EQ(quatro.textoFalha, SemPerguntas);
}

TEST(CargaDoNivel, FalhasDizemPorQue)
{
    const struct {
        const char* caso;
        std::function<void()> preparar;
        QString texto;
    } casos[] = {
        {"ausente", [] {}, NaoAbriu},
        {"somente leitura",
         [] {
             CriarBanco({1});
             ::chmod(QFile::encodeName(ArquivoBanco).constData(), 0444);
         },
         NaoAbriu},
        {"pasta", [] { QDir().mkdir(ArquivoBanco); }, NaoAbriu},
        {"vazio", [] { CriarBanco({}); }, SemPerguntas},
        {"menor que um registro", [] { CriarBanco({}, BytesDe(NovaPergunta("x", 1)).left(841)); }, SemPerguntas},
        {"outros níveis", [] { CriarBanco({2, 3, 0, 5}); }, SemPerguntas},
    };
    for (const auto& c : casos) {
        PastaTemporaria pasta;
        c.preparar();
        QtdBancoNivel = 7;
        const ResultadoCarga r = CarregarNivel(1, Nome);
        EXPECT_FALSE(r.ok) << c.caso;
        EXPECT_EQ(r.textoFalha, c.texto) << c.caso;
        if (c.texto == NaoAbriu) {
            EXPECT_EQ(QtdBancoNivel, 7) << c.caso << ": the pool must stay untouched";
        } else {
            EXPECT_EQ(QtdBancoNivel, 0) << c.caso;
        }
    }
}

TEST(CargaDoNivel, NoMaximo255PerguntasPorNivelENadaForaDoPool)
{
    PastaTemporaria pasta;
    QByteArray bytes;
    for (int i = 0; i < 300; ++i)
        bytes += BytesDe(NovaPergunta(QStringLiteral("n%1").arg(i), i % 2 ? 2 : 1));
    for (int i = 0; i < 300; ++i)
        bytes += BytesDe(NovaPergunta(QStringLiteral("m%1").arg(i), 1));
    EscreverArquivo(ArquivoBanco, bytes);
    std::memset(&BancoNivel[255], 0x5A, sizeof BancoNivel - 255 * sizeof(TPergunta));
    const QByteArray intocado(sizeof BancoNivel - 255 * sizeof(TPergunta), 0x5A);

    ASSERT_TRUE(CarregarNivel(1, Nome).ok);
    EXPECT_EQ(QtdBancoNivel, 255);
    EXPECT_EQ(Texto(BancoNivel[0]), QStringLiteral("n0"));
    EXPECT_EQ(Texto(BancoNivel[149]), QStringLiteral("n298"));
    EXPECT_EQ(Texto(BancoNivel[254]), QStringLiteral("m104"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&BancoNivel[255]), intocado.size()), intocado);

    // Exactly 255 of a level: every one of them is in the pool.
    ASSERT_TRUE(CarregarNivel(2, Nome).ok);
    EXPECT_EQ(QtdBancoNivel, 150);
    EscreverArquivo(ArquivoBanco, bytes.left(405 * 842));
    ASSERT_TRUE(CarregarNivel(1, Nome).ok);
    EXPECT_EQ(QtdBancoNivel, 255);
    EXPECT_EQ(Texto(BancoNivel[254]), QStringLiteral("m104"));
}

TEST(CargaDoNivel, PerguntaAdicionadaEntraNaProximaCarga)
{
    PastaTemporaria pasta;
    CriarBanco({1});
    ASSERT_TRUE(CarregarNivel(1, Nome).ok);
    EXPECT_EQ(QtdBancoNivel, 1);
    GravarPergunta(NovaPergunta(QStringLiteral("nova"), 1));
    ASSERT_TRUE(CarregarNivel(1, Nome).ok);
    ASSERT_EQ(QtdBancoNivel, 2);
    EXPECT_EQ(Texto(BancoNivel[1]), QStringLiteral("nova"));
}

// Text fields are units as stored, whatever they are: what the editor writes is what the game shows.
TEST(CargaDoNivel, TextosVoltamUnidadePorUnidadeComoForamGravados)
{
    const QString casos[] = {
        QStringView(u"\uFEFFcomeça com a marca de ordem").toString(),
        QStringView(u"\uFFFEcomeça com a marca trocada").toString(),
        QStringView(u"\uFEFF").toString(),
        QStringView(u"\uFFFE\uFEFF\uFFFF").toString(),
        QStringView(u"meio\uFEFFe\uFFFEfim").toString(),
        QString(1, QChar(0xD800)) + QStringLiteral("alta solta no início"),
        QStringLiteral("baixa solta no fim") + QChar(0xDC00),
        QString(1, QChar(0xDC00)) + QChar(0xD800), // the halves in the wrong order
        QStringLiteral("par \U0001D11E e ç"),
        QString(1, QChar(0xFFFE)) + QString(39, u'w'), // an answer of the whole width the bank allows
    };
    for (const QString& texto : casos) {
        PastaTemporaria pasta;
        TPergunta p = NovaPergunta(texto, 1);
        for (char16_t* resposta : {p.Resposta1, p.Resposta2, p.Resposta3, p.Resposta4})
            CopyToFixedField(resposta, 41, texto);
        ASSERT_TRUE(GravarPergunta(p));
        ASSERT_TRUE(CarregarNivel(1, Nome).ok);
        NovoJogo();
        SortearPergunta(1);
        const auto unidades = [](const QString& s) { return QList<char16_t>(s.utf16(), s.utf16() + s.size()); };
        EXPECT_EQ(unidades(Texto(PerguntaAtual)), unidades(texto));
        for (const char16_t* resposta :
             {PerguntaAtual.Resposta1, PerguntaAtual.Resposta2, PerguntaAtual.Resposta3, PerguntaAtual.Resposta4})
            EXPECT_EQ(unidades(TextFromFixedField(resposta, 41)), unidades(texto));
    }
}

// In the current folder, loads a pool of n questions "q0".."q<n-1>" of level 1.
void PoolDe(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes += BytesDe(NovaPergunta(QStringLiteral("q%1").arg(i), 1));
    EscreverArquivo(ArquivoBanco, bytes);
    ASSERT_TRUE(CarregarNivel(1, Nome).ok);
    ASSERT_EQ(QtdBancoNivel, n);
}

TEST(Sorteio, PrimeiroCandidatoDescartadoEnquantoHaInedita)
{
    PastaTemporaria pasta;
    PoolDe(5);
    NovoJogo();
    RandSeed = 12345;
    GeradorDeReferencia ref{12345};
    ref.abaixoDe(5); // thrown away untested
    const int esperado = ref.abaixoDe(5) + 1;
    SortearPergunta(1);
    EXPECT_EQ(Sorteadas[1].Qtd, 1);
    EXPECT_EQ(Sorteadas[1].Itens[0], esperado);
    EXPECT_EQ(Texto(PerguntaAtual), QStringLiteral("q%1").arg(esperado - 1));
    EXPECT_EQ(RandSeed, ref.estado);
}

TEST(Sorteio, NivelEsgotadoUsaOPrimeiroCandidatoSemMaisSorteios)
{
    PastaTemporaria pasta;
    PoolDe(1);
    NovoJogo();
    for (int i = 0; i < 8; ++i) {
        RandSeed = quint32(i) * 7919u;
        GeradorDeReferencia ref{RandSeed};
        ref.abaixoDe(1);
        if (i == 0)
            ref.abaixoDe(1);
        SortearPergunta(1);
        EXPECT_EQ(Texto(PerguntaAtual), QStringLiteral("q0"));
        EXPECT_EQ(RandSeed, ref.estado) << "draw " << i;
    }
    EXPECT_EQ(Sorteadas[1].Qtd, 8);
}

TEST(Sorteio, SemRepeticaoAteEsgotarDepoisRepeteUniforme)
{
    PastaTemporaria pasta;
    PoolDe(3);
    int contagem[4] = {};
    const int jogos = 6000;
    for (int jogo = 0; jogo < jogos; ++jogo) {
        NovoJogo();
        RandSeed = quint32(jogo) * 2654435761u;
        QSet<int> vistas;
        for (int i = 0; i < 3; ++i) {
            SortearPergunta(1);
            vistas.insert(Sorteadas[1].Itens[i]);
        }
        ASSERT_EQ(vistas, (QSet<int>{1, 2, 3}));
        SortearPergunta(1);
        SortearPergunta(1);
        ASSERT_EQ(Sorteadas[1].Qtd, 5);
        ++contagem[Sorteadas[1].Itens[3]];
        ++contagem[Sorteadas[1].Itens[4]];
    }
    for (int k = 1; k <= 3; ++k) {
        EXPECT_NEAR(contagem[k], 2 * jogos / 3, 300) << "slot " << k; // about six standard deviations
    }
}

TEST(Sorteio, PuloNoInicioDoNivelRecarregaEMantemAsSorteadas)
{
    PastaTemporaria pasta;
    PoolDe(2);
    for (quint32 semente = 0; semente < 50; ++semente) {
        NovoJogo();
        RandSeed = semente;
        SortearPergunta(1);
        const QString pulada = Texto(PerguntaAtual);
        ASSERT_TRUE(CarregarNivel(1, Nome).ok);
        SortearPergunta(1);
        EXPECT_NE(Texto(PerguntaAtual), pulada);
    }
}

TEST(Sorteio, ListaDeSorteadasNuncaPassaDeDezEntradas)
{
    PastaTemporaria pasta;
    PoolDe(30);
    NovoJogo();
    Sorteadas[2].Qtd = 77;
    RandSeed = 99;
    QSet<int> vistas;
    for (int i = 0; i < 25; ++i) {
        SortearPergunta(1);
        if (i < 10)
            vistas.insert(Sorteadas[1].Itens[i]);
    }
    EXPECT_EQ(Sorteadas[1].Qtd, 10);
    EXPECT_EQ(vistas.size(), 10);
    EXPECT_EQ(Sorteadas[2].Qtd, 77);
}

} // namespace
