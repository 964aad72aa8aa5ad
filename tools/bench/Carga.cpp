// The level load of a large question bank, against the plainest way to read the same file:
//
//   bench_carga gerar <folder> <records>   writes <folder>/PERGUNTAS.TXT: <records> records of
//                                          level 3 with 8 records of level 1 spread through it
//   bench_carga medir <folder> <runs>      CarregarNivel(1) and a bare read(fd, buf, 842) loop over
//                                          that bank, one warm-up each, then <runs> of each
//                                          alternated; prints "A <median ms>" and "B <median ms>"
//   bench_carga uma <folder>               one CarregarNivel(1), for counting its system calls

#include "app/bank/Banco.h"
#include "app/bank/RecordFile.h"
#include "app/quiz/NivelPool.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int PerguntasDoNivel1 = 8;

int Falhar(const char* mensagem)
{
    std::fprintf(stderr, "bench_carga: %s\n", mensagem);
    return 1;
}

int Gerar(long registros)
{
    if (registros < PerguntasDoNivel1)
        return Falhar("too few records");
    const int fd = ::open("PERGUNTAS.TXT.novo", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return Falhar("cannot create the bank");
    const long passo = registros / PerguntasDoNivel1;
    std::vector<TPergunta> bloco(4096);
    for (long feitos = 0; feitos < registros;) {
        const long n = std::min<long>(long(bloco.size()), registros - feitos);
        for (long i = 0; i < n; ++i) {
            const long k = feitos + i;
            TPergunta& p = bloco[size_t(i)];
            std::memset(&p, 0, sizeof p);
            CopyToFixedField(p.Pergunta, 256, QStringLiteral("Pergunta %1 do banco de medida?").arg(k));
            CopyToFixedField(p.Resposta1, 41, QStringLiteral("Resposta A"));
            CopyToFixedField(p.Resposta2, 41, QStringLiteral("Resposta B"));
            CopyToFixedField(p.Resposta3, 41, QStringLiteral("Resposta C"));
            CopyToFixedField(p.Resposta4, 41, QStringLiteral("Resposta D"));
            p.Correta = quint8(k % 4 + 1);
            p.Nivel = k % passo == passo / 2 && k / passo < PerguntasDoNivel1 ? 1 : 3;
        }
        const size_t tamanho = size_t(n) * sizeof(TPergunta);
        if (::write(fd, bloco.data(), tamanho) != ssize_t(tamanho)) {
            ::close(fd);
            return Falhar("cannot write the bank (is the disk full?)");
        }
        feitos += n;
    }
    if (::close(fd) != 0 || std::rename("PERGUNTAS.TXT.novo", "PERGUNTAS.TXT") != 0)
        return Falhar("cannot write the bank");
    return 0;
}

bool Carregar()
{
    const ResultadoCarga carga = CarregarNivel(1, QStringLiteral("Bench"));
    return carga.ok && QtdBancoNivel == PerguntasDoNivel1;
}

long LerCru()
{
    const int fd = ::open("PERGUNTAS.TXT", O_RDONLY);
    if (fd < 0)
        return -1;
    char registro[TamanhoPergunta];
    long lidos = 0;
    while (::read(fd, registro, sizeof registro) == ssize_t(sizeof registro))
        ++lidos;
    ::close(fd);
    return lidos;
}

template <class F>
double Cronometrar(F&& f)
{
    const auto inicio = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
}

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int Medir(int rodadas)
{
    bool certo = Carregar();
    const long registros = LerCru();
    if (!certo || registros < PerguntasDoNivel1)
        return Falhar("the bank does not load its 8 questions of level 1");
    std::vector<double> carga, leitura;
    for (int i = 0; i < rodadas; ++i) {
        carga.push_back(Cronometrar([&] { certo = Carregar() && certo; }));
        leitura.push_back(Cronometrar([] { LerCru(); }));
    }
    if (!certo)
        return Falhar("a load failed");
    std::printf("A %.2f\nB %.2f\n", Mediana(carga), Mediana(leitura));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Falhar("uso: bench_carga gerar <folder> <records> | medir <folder> <runs> | uma <folder>");
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[2])))
        return Falhar("no such folder");
    if (std::strcmp(argv[1], "gerar") == 0 && argc == 4)
        return Gerar(std::atol(argv[3]));
    if (std::strcmp(argv[1], "medir") == 0 && argc == 4)
        return Medir(std::max(1, std::atoi(argv[3])));
    if (std::strcmp(argv[1], "uma") == 0)
        return Carregar() ? 0 : Falhar("the bank does not load its 8 questions of level 1");
    return Falhar("unknown command");
}
