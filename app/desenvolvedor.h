#pragma once

#include <QByteArray>
#include <QString>

// The developer's two links, the same on the main, about and language
// windows: a home page and a mail to the developer. The click handlers of all
// three windows call AbrePagina / EnviaEMail, whatever the language, so every
// window hands the desktop the same addresses.
namespace Desenvolvedor {

// The home page: "https://kaltor.example.org/".
QString Pagina();

// The mail link as handed to the desktop: "mailto:kaltor@example.org".
QByteArray EMail();

// Caption of every e-mail link, in every language: "EMail - kaltor@example.org".
QString LegendaEMail();

// Click on a home-page link: opens Pagina() in the browser, once, without
// waiting. Never raises; reports nothing.
void AbrePagina();

// Click on an e-mail link: starts a mail to the developer, once, without
// waiting. Never raises; reports nothing.
void EnviaEMail();

} // namespace Desenvolvedor
