#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// Qt's event loop must never see an exception. A handler that can raise (the
// settings store throws platform::SettingsError) runs inside ComGuarda: an
// error shows its text in a message box captioned with the application name,
// and the rest of the handler is skipped; the program goes on.
//
// Test switch: with the environment variable ZIRVANO_NO_MESSAGEBOX=1 no box is
// shown; the text is only recorded, to be read with UltimoErro().

// Shows (or, under the test switch, records) an error text.
void MostraErro(QWidget *parent, const QString &texto);
// The last error text shown or recorded since the last LimpaUltimoErro().
QString UltimoErro();
void LimpaUltimoErro();

template <class F> void ComGuarda(QWidget *parent, F &&handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception &e) {
        MostraErro(parent, QString::fromUtf8(e.what()));
    }
}
