#pragma once

#include <QString>

// The product's web site, shown by the links of the start, quiz and credits windows and opened in
// the desktop's browser. A reserved example domain: the game has no site of its own on the network.
inline const QString HostSite = QStringLiteral("www.quibozan.example");
inline const QString EnderecoSite = QStringLiteral("http://www.quibozan.example");

// The advertising pages ship beside the program; the browser control shows them from the run
// folder whatever host the address names.
inline const QString EnderecoPublicidade = HostSite + QStringLiteral("/publicidade.html");
inline const QString EnderecoPublicidadeLinha = HostSite + QStringLiteral("/publicidadeline.html");
