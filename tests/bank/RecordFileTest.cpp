#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "bank/PastaTemporaria.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

quint16 UnidadeEm(const QByteArray& bytes, int offset)
{
    return quint16(quint8(bytes[offset])) | quint16(quint8(bytes[offset + 1])) << 8;
}

TEST(Registro, CamposFicamNosDeslocamentosDoArquivoEmLittleEndian)
{
    PastaTemporaria pasta;
    TPergunta p = NovaPergunta(QStringLiteral("Q\U0001D11E"), 2, 3);
    CopyToFixedField(p.Resposta1, 41, QStringLiteral("é"));
    GravarPergunta(p);

    const QByteArray bytes = LerArquivo(ArquivoBanco);
    ASSERT_EQ(bytes.size(), 842);
    const struct {
        int offset;
        quint16 unidade;
    } esperado[] = {{0, u'Q'}, {2, 0xD834}, {4, 0xDD1E}, {6, 0},   {512, 0x00E9}, {514, 0},
                    {594, u'd'}, {676, u't'}, {678, u'r'}, {758, u'q'}, {768, u'o'}, {770, 0}};
    for (const auto& e : esperado)
        EXPECT_EQ(UnidadeEm(bytes, e.offset), e.unidade) << "offset " << e.offset;
    EXPECT_EQ(quint8(bytes[840]), 3);
    EXPECT_EQ(quint8(bytes[841]), 2);
}

TEST(Registro, GravacaoPoeZerosDepoisDoTerminador)
{
    PastaTemporaria pasta;
    TPergunta p;
    std::memset(&p, 0x41, sizeof p);
    CopyToFixedField(p.Pergunta, 256, QStringLiteral("ab"));
    CopyToFixedField(p.Resposta1, 41, QString());
    CopyToFixedField(p.Resposta2, 41, QStringLiteral("c"));
    CopyToFixedField(p.Resposta3, 41, QStringLiteral("d"));
    CopyToFixedField(p.Resposta4, 41, QStringLiteral("e"));
    GravarPergunta(p);

    const QByteArray bytes = LerArquivo(ArquivoBanco);
    ASSERT_EQ(bytes.size(), 842);
    const int depoisDoFim[][2] = {{6, 512}, {514, 594}, {598, 676}, {680, 758}, {762, 840}};
    for (const auto& faixa : depoisDoFim)
        for (int i = faixa[0]; i < faixa[1]; ++i)
            ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(CamposDeTexto, LeituraParaNoPrimeiroZeroOuUsaALarguraToda)
{
    char16_t campo[41];
    std::fill(std::begin(campo), std::end(campo), u'x');
    EXPECT_EQ(TextFromFixedField(campo, 41), QString(41, u'x'));

    char16_t pergunta[256];
    std::fill(std::begin(pergunta), std::end(pergunta), u'y');
    EXPECT_EQ(TextFromFixedField(pergunta, 256), QString(256, u'y'));

    campo[3] = 0; // whatever follows the terminator does not count
    EXPECT_EQ(TextFromFixedField(campo, 41), QStringLiteral("xxx"));
    campo[0] = 0;
    EXPECT_EQ(TextFromFixedField(campo, 41), QString());
}

TEST(CamposDeTexto, CopiaNuncaPassaDoCampoNemPartePares)
{
    const QString pendurado = QString(39, u'a') + QStringLiteral("\U0001F54A");
    const struct {
        QString texto;
        int largura;
        QString lido;
    } casos[] = {
        {QString(255, u'p'), 256, QString(255, u'p')},
        {QString(300, u'p'), 256, QString(255, u'p')},
        {QString(40, u'r'), 41, QString(40, u'r')},
        {QString(41, u'r'), 41, QString(40, u'r')},
        {pendurado, 41, QString(39, u'a')}, // the pair would need units 39 and 40
        {QString(38, u'a') + QStringLiteral("\U0001F54A"), 41, QString(38, u'a') + QStringLiteral("\U0001F54A")},
        {QString(), 41, QString()},
    };
    for (const auto& c : casos) {
        char16_t buffer[300];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        CopyToFixedField(buffer, c.largura, c.texto);
        EXPECT_EQ(TextFromFixedField(buffer, c.largura), c.lido) << c.texto.size();
        EXPECT_EQ(buffer[c.lido.size()], 0);
        EXPECT_EQ(buffer[c.largura], u'#') << "wrote past the field";
        if (c.lido.size() + 1 < c.largura) {
            EXPECT_EQ(buffer[c.lido.size() + 1], u'#') << "wrote after the terminator";
        }
    }
}

TEST(CamposDeTexto, PerguntaDe255UnidadesVoltaInteiraDoArquivo)
{
    PastaTemporaria pasta;
    const QString longa = QString(254, u'z') + QStringLiteral("!");
    GravarPergunta(NovaPergunta(longa, 1));

    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    TPergunta lida;
    ASSERT_EQ(ReadRecord(f, &lida), 0);
    EXPECT_EQ(lida.Pergunta[255], 0);
    EXPECT_EQ(TextFromFixedField(lida.Pergunta, 256), longa);
    EXPECT_EQ(CloseRecordFile(f), 0);
}

TEST(ArquivoDeRegistros, RestoNoFimNuncaELidoEAAdicaoEscreveSobreEle)
{
    PastaTemporaria pasta;
    const TPergunta a = NovaPergunta(QStringLiteral("a"), 1), b = NovaPergunta(QStringLiteral("b"), 2);
    EscreverArquivo(ArquivoBanco, BytesDe(a) + BytesDe(b) + QByteArray(100, '\x7f'));

    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    EXPECT_EQ(RecordCount(f), 2);
    int lidos = 0;
    while (!AtEndOfFile(f)) {
        TPergunta p;
        ASSERT_EQ(ReadRecord(f, &p), 0);
        ++lidos;
    }
    EXPECT_EQ(lidos, 2);
    EXPECT_EQ(CloseRecordFile(f), 0);

    const TPergunta c = NovaPergunta(QStringLiteral("c"), 3);
    GravarPergunta(c);
    EXPECT_EQ(LerArquivo(ArquivoBanco), BytesDe(a) + BytesDe(b) + BytesDe(c));
}

TEST(ArquivoDeRegistros, AdicaoCriaBancoAusenteOuVazioComUmRegistro)
{
    for (const bool existeVazio : {false, true}) {
        PastaTemporaria pasta;
        if (existeVazio)
            EscreverArquivo(ArquivoBanco, QByteArray());
        const TPergunta p = NovaPergunta(QStringLiteral("nova"), 4);
        GravarPergunta(p);
        EXPECT_EQ(LerArquivo(ArquivoBanco), BytesDe(p)) << existeVazio;
    }
}

TEST(ArquivoDeRegistros, BancoVazioOuCurtoNaoTemRegistro)
{
    PastaTemporaria pasta;
    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);

    EscreverArquivo(ArquivoBanco, QByteArray());
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    EXPECT_EQ(RecordCount(f), 0);
    EXPECT_TRUE(AtEndOfFile(f));
    CloseRecordFile(f);

    EscreverArquivo(ArquivoBanco, QByteArray(500, '\x11'));
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    EXPECT_EQ(RecordCount(f), 0);
    EXPECT_TRUE(AtEndOfFile(f));
    QByteArray registro(842, '\x22');
    EXPECT_EQ(ReadRecord(f, registro.data()), 100);
    EXPECT_EQ(registro, QByteArray(500, '\x11') + QByteArray(342, '\x22'));
    // The short read stopped at the end: a second one finds nothing and changes nothing.
    QByteArray depois(842, '\x33');
    EXPECT_EQ(ReadRecord(f, depois.data()), 100);
    EXPECT_EQ(depois, QByteArray(842, '\x33'));
    EXPECT_EQ(CloseRecordFile(f), 0);
}

TEST(ArquivoDeRegistros, PosicaoAlemDoFimEstendeOArquivo)
{
    PastaTemporaria pasta;
    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    ASSERT_EQ(CreateRecordFile(f, TamanhoPergunta), 0);
    const TPergunta p = NovaPergunta(QStringLiteral("longe"), 1);
    EXPECT_EQ(SeekRecord(f, 3), 0);
    EXPECT_EQ(WriteRecord(f, &p), 0);
    EXPECT_EQ(RecordCount(f), 4);
    EXPECT_EQ(SeekRecord(f, 0), 0);
    EXPECT_FALSE(AtEndOfFile(f));
    EXPECT_EQ(SeekRecord(f, 4), 0);
    EXPECT_TRUE(AtEndOfFile(f));
    EXPECT_EQ(CloseRecordFile(f), 0);
    EXPECT_EQ(LerArquivo(ArquivoBanco).mid(3 * 842), BytesDe(p));
}

// Reads are served from large blocks: a record split across two blocks, the records after a write
// that comes in the middle of a read, and the trailing partial record must all be what a read of
// one record at a time would give.
TEST(ArquivoDeRegistros, LeituraEmBlocosDaOsMesmosRegistrosQueUmAUm)
{
    PastaTemporaria pasta;
    constexpr int total = 700; // more than two blocks of reading ahead
    QByteArray bytes;
    for (int i = 0; i < total; ++i)
        bytes += BytesDe(NovaPergunta(QStringLiteral("r%1").arg(i), quint8(i % 4 + 1)));
    const QByteArray resto(300, '\x6b');
    EscreverArquivo(ArquivoBanco, bytes + resto);

    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    auto lerAteOFim = [&f](int desde) {
        for (int i = desde; i < total; ++i) {
            ASSERT_FALSE(AtEndOfFile(f)) << i;
            TPergunta p;
            ASSERT_EQ(ReadRecord(f, &p), 0) << i;
            ASSERT_EQ(TextFromFixedField(p.Pergunta, 256), QStringLiteral("r%1").arg(i)) << i;
        }
        EXPECT_TRUE(AtEndOfFile(f));
    };
    lerAteOFim(0);
    QByteArray registro(842, '\x22');
    EXPECT_EQ(ReadRecord(f, registro.data()), 100);
    EXPECT_EQ(registro, resto + QByteArray(542, '\x22'));

    // A write after some reads lands at the record position, not where the reading ahead got to.
    ASSERT_EQ(SeekRecord(f, 0), 0);
    for (int i = 0; i < 300; ++i) {
        TPergunta p;
        ASSERT_EQ(ReadRecord(f, &p), 0);
    }
    const TPergunta nova = NovaPergunta(QStringLiteral("r300"), 1);
    ASSERT_EQ(WriteRecord(f, &nova), 0);
    lerAteOFim(301);
    EXPECT_EQ(RecordCount(f), total);
    EXPECT_EQ(CloseRecordFile(f), 0);
    EXPECT_EQ(LerArquivo(ArquivoBanco), bytes.left(300 * 842) + BytesDe(nova) + bytes.mid(301 * 842) + resto);
}

// Positions past 2 GiB need 64 bits. The bank is sparse, so only its last records take room.
TEST(ArquivoDeRegistros, BancoAlemDe2GiBContaLeEAdicionaNoLugarCerto)
{
    PastaTemporaria pasta;
    constexpr qint32 total = 2551000; // 842 * total > 2^31
    const QByteArray resto(100, '\x6b');
    {
        QFile f(ArquivoBanco);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (!f.resize(qint64(total) * 842 + resto.size()))
            GTEST_SKIP() << "this file system does not hold a file of more than 2 GiB";
        ASSERT_TRUE(f.seek(qint64(total - 1) * 842));
        ASSERT_EQ(f.write(BytesDe(NovaPergunta(QStringLiteral("ultima"), 1)) + resto), 842 + resto.size());
    }

    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    ASSERT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    EXPECT_EQ(RecordCount(f), total);
    ASSERT_EQ(SeekRecord(f, total - 1), 0);
    EXPECT_FALSE(AtEndOfFile(f));
    TPergunta p;
    ASSERT_EQ(ReadRecord(f, &p), 0);
    EXPECT_EQ(TextFromFixedField(p.Pergunta, 256), QStringLiteral("ultima"));
    EXPECT_TRUE(AtEndOfFile(f));
    EXPECT_EQ(CloseRecordFile(f), 0);

    const TPergunta nova = NovaPergunta(QStringLiteral("nova"), 2);
    ASSERT_TRUE(GravarPergunta(nova));
    QFile banco(ArquivoBanco);
    ASSERT_TRUE(banco.open(QIODevice::ReadOnly));
    EXPECT_EQ(banco.size(), qint64(total + 1) * 842);
    ASSERT_TRUE(banco.seek(qint64(total) * 842));
    EXPECT_EQ(banco.read(842), BytesDe(nova));
}

// Permission bits decide, so this holds when the tests run as root too.
TEST(ArquivoDeRegistros, BancoSomenteLeituraNaoAbreNemMuda)
{
    PastaTemporaria pasta;
    const QByteArray antes = BytesDe(NovaPergunta(QStringLiteral("guardada"), 1));
    EscreverArquivo(ArquivoBanco, antes);
    ASSERT_EQ(::chmod(QFile::encodeName(ArquivoBanco).constData(), 0444), 0);

    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    EXPECT_EQ(OpenRecordFile(f, TamanhoPergunta), 5);
    EXPECT_EQ(CreateRecordFile(f, TamanhoPergunta), 5);
    EXPECT_EQ(CloseRecordFile(f), 103);
    GravarPergunta(NovaPergunta(QStringLiteral("nova"), 1));
    EXPECT_EQ(LerArquivo(ArquivoBanco), antes);

    // A later open is judged by itself alone.
    ASSERT_EQ(::chmod(QFile::encodeName(ArquivoBanco).constData(), 0644), 0);
    EXPECT_EQ(OpenRecordFile(f, TamanhoPergunta), 0);
    EXPECT_EQ(CloseRecordFile(f), 0);
}

TEST(ArquivoDeRegistros, PastaComONomeDoBancoNaoAbre)
{
    PastaTemporaria pasta;
    ASSERT_TRUE(QDir().mkdir(ArquivoBanco));
    RecordFile f;
    AssignRecordFile(f, ArquivoBanco);
    EXPECT_EQ(OpenRecordFile(f, TamanhoPergunta), 5);
    EXPECT_EQ(CreateRecordFile(f, TamanhoPergunta), 5);
    GravarPergunta(NovaPergunta(QStringLiteral("nova"), 1));
    EXPECT_TRUE(QFileInfo(ArquivoBanco).isDir());
}

TEST(ArquivoDeRegistros, ArquivoOuPastaAusentes)
{
    PastaTemporaria pasta;
    const struct {
        QString nome;
        qint32 abrir;
        qint32 criar;
    } casos[] = {
        {QStringLiteral("NADA.TXT"), 2, 0},
        {QStringLiteral("sem-pasta/NADA.TXT"), 3, 3},
    };
    for (const auto& c : casos) {
        RecordFile f;
        AssignRecordFile(f, c.nome);
        EXPECT_EQ(OpenRecordFile(f, TamanhoPergunta), c.abrir) << qPrintable(c.nome);
        EXPECT_EQ(CreateRecordFile(f, TamanhoPergunta), c.criar) << qPrintable(c.nome);
        if (c.criar == 0) {
            EXPECT_EQ(CloseRecordFile(f), 0);
        }
    }
}

TEST(ArquivoDeRegistros, OperacoesEmArquivoFechado)
{
    PastaTemporaria pasta;
    EscreverArquivo(ArquivoBanco, BytesDe(NovaPergunta(QStringLiteral("a"), 1)));
    RecordFile nuncaAberto, jaFechado;
    AssignRecordFile(nuncaAberto, ArquivoBanco);
    AssignRecordFile(jaFechado, ArquivoBanco);
    ASSERT_EQ(OpenRecordFile(jaFechado, TamanhoPergunta), 0);
    ASSERT_EQ(CloseRecordFile(jaFechado), 0);

    for (RecordFile* f : {&nuncaAberto, &jaFechado}) {
        QByteArray registro(842, '\x55');
        EXPECT_EQ(SeekRecord(*f, 0), 103);
        EXPECT_EQ(ReadRecord(*f, registro.data()), 103);
        EXPECT_EQ(registro, QByteArray(842, '\x55'));
        EXPECT_EQ(WriteRecord(*f, registro.constData()), 5);
        EXPECT_EQ(CloseRecordFile(*f), 103);
        EXPECT_EQ(RecordCount(*f), -1);
        EXPECT_TRUE(AtEndOfFile(*f));
    }
    EXPECT_EQ(LerArquivo(ArquivoBanco).size(), 842);
}

} // namespace
