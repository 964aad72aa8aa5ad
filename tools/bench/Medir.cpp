// Runs two commands as whole processes, one after the other, and reports for each the median of
// its wall time (from fork to the end of the process) and of its peak resident memory:
//
//   bench_medir <runs> <warm-up runs> -- <command A...> -- <command B...>
//
// After the warm-up runs (not counted) the two alternate, A B A B ..., so a machine that gets
// busier or quieter meanwhile weighs on both alike. Prints two lines, "A <ms> <KiB>" and
// "B <ms> <KiB>". A process that fails (a signal or an exit code other than 0) ends the bench.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Medida {
    double ms;
    long kib;
};

Medida Rodar(const std::vector<char*>& comando)
{
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t filho = fork();
    if (filho < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (filho == 0) {
        // What the commands print is theirs; only their errors reach the bench's reader.
        if (const int nada = open("/dev/null", O_WRONLY); nada >= 0)
            dup2(nada, STDOUT_FILENO);
        execvp(comando[0], comando.data());
        std::perror(comando[0]);
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    if (wait4(filho, &estado, 0, &uso) != filho) {
        std::perror("wait4");
        std::exit(2);
    }
    const auto fim = std::chrono::steady_clock::now();
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::fprintf(stderr, "bench_medir: %s ended with %s %d\n", comando[0],
                     WIFEXITED(estado) ? "exit code" : "signal",
                     WIFEXITED(estado) ? WEXITSTATUS(estado) : WTERMSIG(estado));
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(fim - inicio).count(), uso.ru_maxrss};
}

template <class T>
T Mediana(std::vector<T> valores)
{
    std::sort(valores.begin(), valores.end());
    const size_t n = valores.size();
    return n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "uso: bench_medir <runs> <warm-up runs> -- <command A...> -- <command B...>\n");
        return 2;
    }
    const int rodadas = std::atoi(argv[1]);
    const int aquecimento = std::atoi(argv[2]);
    std::vector<char*> a, b;
    std::vector<char*>* atual = &a;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0 && atual == &a) {
            atual = &b;
            continue;
        }
        atual->push_back(argv[i]);
    }
    if (rodadas < 1 || a.empty() || b.empty()) {
        std::fprintf(stderr, "bench_medir: need at least one run and two commands\n");
        return 2;
    }
    a.push_back(nullptr);
    b.push_back(nullptr);

    for (int i = 0; i < aquecimento; ++i) {
        Rodar(a);
        Rodar(b);
    }
    std::vector<double> msA, msB;
    std::vector<long> kibA, kibB;
    for (int i = 0; i < rodadas; ++i) {
        const Medida ma = Rodar(a);
        const Medida mb = Rodar(b);
        msA.push_back(ma.ms);
        kibA.push_back(ma.kib);
        msB.push_back(mb.ms);
        kibB.push_back(mb.kib);
    }
    std::printf("A %.2f %ld\nB %.2f %ld\n", Mediana(msA), Mediana(kibA), Mediana(msB), Mediana(kibB));
    return 0;
}
