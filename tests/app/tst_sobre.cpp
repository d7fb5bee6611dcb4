#include "app/escolhaidioma.h"
#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "app/tfsobre.h"
#include "controls/tlinklabel.h"
#include "platform/settingsstore.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

// Stands in for the browser and the mail program.
class Desktop : public QObject
{
    Q_OBJECT

public:
    QStringList abertos;

public slots:
    void abre(const QUrl &url) { abertos << url.toString(); }
};

class TstSobre : public QObject
{
    Q_OBJECT

    QTemporaryDir config;
    std::unique_ptr<TfMorse> morse;
    Desktop desktop;

private slots:
    void initTestCase()
    {
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
        const QString arquivo = platform::SettingsStore::FileOfKey(EscolhaIdioma::ChaveRegistro);
        QVERIFY(QDir().mkpath(QFileInfo(arquivo).absolutePath()));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Idioma=0\n");
        f.close();

        morse = std::make_unique<TfMorse>();
        fMorse = morse.get();
        morse->show();
        fSobre = new TfSobre(fMorse);
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "abre");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &desktop, "abre");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        delete fSobre;
        fSobre = nullptr;
        fMorse = nullptr;
        morse.reset();
    }

    // One about window shown again and again: each showing takes the main
    // window's language afresh, and its button ends the showing with No.
    void textsAtEveryShowing_data()
    {
        QTest::addColumn<int>("numIdioma");
        QTest::addColumn<QString>("textos");
        // Caption, Version, Comments, STextPagina caption and hint, STextEMail
        // hint, BtnSobre caption and hint.
        const QString pt =
            "Sobre o Zirvano|Versão 2.0.0|Zirvano é distribuído em regime de "
            "FreeWare|Página Pessoal do Kaltor|Permite o acesso à página do Kaltor - "
            "Velmiro|Permite o envio de EMail para o Kaltor - Velmiro|&Fechar|Fecha "
            "o \"Sobre\" e retorna ao Zirvano";
        const QString es =
            "Sobre el Zirvano|Versión 2.0.0|Zirvano se distribuido libremente|Página "
            "personal de Kaltor|Permite el acceso a la página de Kaltor - "
            "Velmiro|Permite el envío de EMail para Kaltor - Velmiro|&Cerrar|Cierres "
            "el \"Sobre\" y regresa a Zirvano";
        const QString en = "About the Zirvano|Version 2.0.0|Zirvano is distributed in regime of "
                           "FreeWare|Home Page of Kaltor|It allows the access to the page of the "
                           "Kaltor - Velmiro|It allows the shipping of EMail for the Kaltor - "
                           "Velmiro|&Close|Closes the \"About\" and it comes back to Zirvano";
        QTest::newRow("English") << 2 << en;
        QTest::newRow("Portuguese") << 0 << pt;
        QTest::newRow("Spanish") << 1 << es;
        QTest::newRow("English again") << 2 << en;
        QTest::newRow("no choice reads as Portuguese") << -1 << pt;
        QTest::newRow("hand-edited 7 reads as Portuguese") << 7 << pt;
    }

    void textsAtEveryShowing()
    {
        QFETCH(int, numIdioma);
        QFETCH(QString, textos);
        fMorse->NumIdioma = numIdioma;
        QStringList vistos;
        QTimer::singleShot(0, fSobre, [&] {
            vistos = QStringList{fSobre->windowTitle(),
                                 fSobre->Version->text(),
                                 fSobre->Comments->text(),
                                 fSobre->STextPagina->text(),
                                 fSobre->STextPagina->statusTip(),
                                 fSobre->STextEMail->statusTip(),
                                 fSobre->BtnSobre->text(),
                                 fSobre->BtnSobre->statusTip()};
            QCOMPARE(fSobre->statusTip(), fSobre->windowTitle());
            QCOMPARE(fSobre->STextEMail->text(), QStringLiteral("EMail - kaltor@example.org"));
            QTest::mouseClick(fSobre->BtnSobre, Qt::LeftButton);
        });
        QCOMPARE(fSobre->exec(), int(QDialogButtonBox::No));
        QVERIFY(!fSobre->isVisible());
        QCOMPARE(vistos.join('|'), textos);
    }

    // Every window hands the desktop the same two addresses, once per click,
    // whatever the language.
    void linksFromEveryWindow_data()
    {
        QTest::addColumn<QString>("janela");
        QTest::addColumn<bool>("email");
        QTest::addColumn<int>("numIdioma");
        QTest::addColumn<bool>("soltaFora"); // pressed on the link, released off it
        for (const char *janela : {"idioma", "sobre", "morse"}) {
            QTest::addRow("%s page, released outside", janela)
                << QString::fromLatin1(janela) << false << 0 << true;
            QTest::addRow("%s e-mail, released outside", janela)
                << QString::fromLatin1(janela) << true << 0 << true;
            for (int idioma : {0, 2}) {
                QTest::addRow("%s page, language %d", janela, idioma)
                    << QString::fromLatin1(janela) << false << idioma << false;
                QTest::addRow("%s e-mail, language %d", janela, idioma)
                    << QString::fromLatin1(janela) << true << idioma << false;
            }
        }
    }

    void linksFromEveryWindow()
    {
        QFETCH(QString, janela);
        QFETCH(bool, email);
        QFETCH(int, numIdioma);
        QFETCH(bool, soltaFora);
        fMorse->NumIdioma = numIdioma;
        desktop.abertos.clear();

        std::unique_ptr<TFIdioma> idioma;
        QLabel *link = nullptr;
        if (janela == QLatin1String("idioma")) {
            idioma = std::make_unique<TFIdioma>();
            idioma->show();
            link = email ? idioma->STEMailIdioma : idioma->STPagIdioma;
        } else if (janela == QLatin1String("sobre")) {
            fSobre->show();
            link = email ? fSobre->STextEMail : fSobre->STextPagina;
        } else {
            link = email ? fMorse->STextEMail : fMorse->STextPagina;
        }
        QVERIFY(QTest::qWaitForWindowExposed(link->window()));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        if (soltaFora) {
            QTest::mousePress(link, Qt::LeftButton);
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 5, -5));
        } else {
            QTest::mouseClick(link, Qt::LeftButton);
        }
        fSobre->hide();
        if (soltaFora) {
            QVERIFY(desktop.abertos.isEmpty());
            return;
        }

        const QString esperado = email ? QStringLiteral("mailto:kaltor@example.org")
                                       : QStringLiteral("https://kaltor.example.org/");
        QCOMPARE(desktop.abertos, QStringList{esperado});
    }
};

QTEST_MAIN(TstSobre)
#include "tst_sobre.moc"
