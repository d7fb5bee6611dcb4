#pragma once

// Shared set-up of the window tests: a private settings folder, a hand for
// the modal language window, and the sanitizer pass's lighter load.

#include "app/escolhaidioma.h"
#include "app/tfidioma.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace ambiente {

inline QString ArquivoIdioma()
{
    return platform::SettingsStore::FileOfKey(EscolhaIdioma::ChaveRegistro);
}

// Points the settings store at a fresh folder and writes the settings file
// with body (nothing written for a null body: the key is missing). The
// learner's record goes to a data folder inside it.
inline void Configura(QTemporaryDir &pasta, const QByteArray &body)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(pasta.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(pasta.filePath(QStringLiteral("data"))));
    const QString arquivo = ArquivoIdioma();
    if (body.isNull())
        return;
    QDir().mkpath(QFileInfo(arquivo).absolutePath());
    QFile f(arquivo);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(body);
}

inline QByteArray LeArquivo()
{
    QFile f(ArquivoIdioma());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the next language window that comes up modally: picks item (0, 1,
// 2) or, with -1, closes it without a choice.
inline void ResponderIdioma(int item)
{
    auto *relogio = new QTimer(qApp);
    relogio->setInterval(10);
    QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, item] {
        auto *janela = qobject_cast<TFIdioma *>(QApplication::activeModalWidget());
        if (!janela)
            return;
        relogio->deleteLater();
        relogio->stop();
        if (item < 0)
            janela->close();
        else
            janela->RG_IdiomaItens[item]->click();
    });
    relogio->start();
}

// Under the sanitizers (scripts/sanitize.sh) a test with a heavy loop takes a
// lighter load.
inline bool Sanitizado()
{
    return qEnvironmentVariableIsSet("ZIRVANO_SANITIZE");
}

} // namespace ambiente
