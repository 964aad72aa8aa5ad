#include "app/bank/ArquivoBanco.h"

#include "app/bank/Banco.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray NomeNativo(const QString& nome)
{
    return QFile::encodeName(nome);
}

bool SemPermissaoDeEscrita(const struct stat& st)
{
    return (st.st_mode & 0222) == 0;
}

bool GravarTudo(int fd, const char* dados, ssize_t tamanho)
{
    while (tamanho > 0) {
        const ssize_t escritos = ::write(fd, dados, size_t(tamanho));
        if (escritos < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        dados += escritos;
        tamanho -= escritos;
    }
    return true;
}

bool CopiarConteudo(int origem, int destino)
{
    char bloco[64 * 1024];
    for (;;) {
        const ssize_t lidos = ::read(origem, bloco, sizeof bloco);
        if (lidos < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (lidos == 0)
            return true;
        if (!GravarTudo(destino, bloco, lidos))
            return false;
    }
}

// Puts the finished copy under the bank's name without ever replacing whatever holds that name:
// a hard link fails when the name exists, even as a dangling link. File systems without hard
// links get the same guarantee from an exclusive rename.
bool ColocarSemSobrescrever(const QByteArray& temporario, const QByteArray& destino)
{
    if (::link(temporario.constData(), destino.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return ::renameat2(AT_FDCWD, temporario.constData(), AT_FDCWD, destino.constData(), RENAME_NOREPLACE) == 0;
}

class Descritor {
public:
    explicit Descritor(int fd) : fd_(fd) {}
    ~Descritor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    int fd() const { return fd_; }
    // Closes now, so that a failure of the close itself is seen.
    bool Fechar()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

} // namespace

bool ExcluirBanco()
{
    const QByteArray nome = NomeNativo(ArquivoBanco);
    struct stat st{};
    if (::lstat(nome.constData(), &st) != 0)
        return false;
    // A link is removed itself, whatever it leads to; its target is not touched.
    if (!S_ISLNK(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return false;
        if (SemPermissaoDeEscrita(st))
            return false;
    }
    return ::unlink(nome.constData()) == 0;
}

bool ExisteBanco()
{
    struct stat st{};
    return ::stat(NomeNativo(ArquivoBanco).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool RestaurarBanco()
{
    const QByteArray destino = NomeNativo(ArquivoBanco);
    struct stat existente{};
    if (::lstat(destino.constData(), &existente) == 0)
        return false;

    // Opened without waiting, so that a pipe of that name cannot hang the window; only a plain
    // file is copied.
    Descritor origem(::open(NomeNativo(ArquivoReserva).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st{};
    if (origem.fd() < 0 || ::fstat(origem.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;

    QByteArray temporario = "." + destino + ".XXXXXX";
    Descritor copia(::mkostemp(temporario.data(), O_CLOEXEC));
    if (copia.fd() < 0)
        return false;

    const bool completa = CopiarConteudo(origem.fd(), copia.fd()) && ::fchmod(copia.fd(), st.st_mode & 0777) == 0
        && ::fsync(copia.fd()) == 0;
    const bool fechada = copia.Fechar();
    const bool colocada = completa && fechada && ColocarSemSobrescrever(temporario, destino);
    // After a link the temporary name is a second name of the bank; after a rename it is gone.
    ::unlink(temporario.constData());
    return colocada;
}
