// The soft edges as a learner meets them: on by default, one click away in
// the main window's context menu, in every language, and kept beside the
// language in the settings file without disturbing it.

#include "app/bordassuaves.h"
#include "app/errorguard.h"
#include "app/tfmorse.h"
#include "platform/sounddevice.h"
#include "tests/ambiente.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <memory>

using platform::SoundDevice;

class TstBordas : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<TfMorse> f;

    TfMorse *Abre(const QByteArray &body)
    {
        f.reset();
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, body);
        LimpaUltimoErro();
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        f->Timer1->stop();
        return f.get();
    }

private slots:
    void init() { SoundDevice::instance().setSoftEdges(false); }
    void cleanup()
    {
        fMorse = nullptr;
        f.reset();
        SoundDevice::instance().setSoftEdges(true);
    }

    void readAtStart_data();
    void readAtStart();
    void menuTurnsThemOffAndOn();
    void menuInEveryLanguage_data();
    void menuInEveryLanguage();
};

void TstBordas::readAtStart_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("ligadas");
    QTest::newRow("never chosen") << QByteArray("[General]\nIdioma=2\n") << true;
    QTest::newRow("stored off") << QByteArray("[General]\nIdioma=2\nBordasSuaves=0\n") << false;
    QTest::newRow("stored on") << QByteArray("[General]\nIdioma=2\nBordasSuaves=1\n") << true;
    QTest::newRow("a word") << QByteArray("[General]\nIdioma=2\nBordasSuaves=nao\n") << true;
    QTest::newRow("empty") << QByteArray("[General]\nIdioma=2\nBordasSuaves=\n") << true;
    QTest::newRow("beyond 32 bits")
        << QByteArray("[General]\nIdioma=2\nBordasSuaves=99999999999\n") << true;
    QTest::newRow("a list") << QByteArray("[General]\nIdioma=2\nBordasSuaves=0, 1\n") << true;
}

void TstBordas::readAtStart()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, ligadas);
    TfMorse *janela = Abre(body);
    QCOMPARE(janela->Acao_Bordas->isChecked(), ligadas);
    QCOMPARE(SoundDevice::instance().softEdges(), ligadas);
    QCOMPARE(BordasSuaves::Le(), ligadas);
    // Damaged or not, the value is neither reported nor rewritten, and the
    // language is read as stored.
    QCOMPARE(UltimoErro(), QString());
    QCOMPARE(ambiente::LeArquivo(), body);
    QCOMPARE(janela->NumIdioma, 2);
}

void TstBordas::menuTurnsThemOffAndOn()
{
    TfMorse *janela = Abre("[General]\nIdioma=1\n");
    QVERIFY(janela->Menu_Contexto->actions().contains(janela->Acao_Bordas));
    janela->Acao_Bordas->trigger();
    QVERIFY(!janela->Acao_Bordas->isChecked());
    QVERIFY(!SoundDevice::instance().softEdges());
    QCOMPARE(ambiente::LeArquivo(), QByteArray("[General]\nBordasSuaves=0\nIdioma=1\n"));
    // Read back at the next start.
    janela = Abre(ambiente::LeArquivo());
    QVERIFY(!janela->Acao_Bordas->isChecked());
    janela->Acao_Bordas->trigger();
    QVERIFY(SoundDevice::instance().softEdges());
    QCOMPARE(ambiente::LeArquivo(), QByteArray("[General]\nBordasSuaves=1\nIdioma=1\n"));
    QCOMPARE(UltimoErro(), QString());
}

void TstBordas::menuInEveryLanguage_data()
{
    QTest::addColumn<int>("idioma");
    QTest::addColumn<QString>("texto");
    QTest::newRow("Portuguese") << 0 << QStringLiteral("Bordas suaves");
    QTest::newRow("Spanish") << 1 << QStringLiteral("Bordes suaves");
    QTest::newRow("English") << 2 << QStringLiteral("Soft edges");
}

void TstBordas::menuInEveryLanguage()
{
    QFETCH(int, idioma);
    QFETCH(QString, texto);
    TfMorse *janela = Abre("[General]\nIdioma=" + QByteArray::number(idioma) + "\n");
    janela->show();
    QVERIFY(QTest::qWaitForWindowExposed(janela));
    QCOMPARE(janela->Acao_Bordas->text(), texto);
    QVERIFY(janela->Acao_Bordas->isCheckable());
    // The right mouse button and the Menu key both bring the menu up.
    for (int vez = 0; vez < 2; ++vez) {
        bool visto = false;
        QTimer::singleShot(0, janela, [&] {
            QTRY_VERIFY(janela->Menu_Contexto->isVisible());
            visto = janela->Menu_Contexto->actions().value(0) == janela->Acao_Bordas;
            janela->Menu_Contexto->close();
        });
        if (vez == 0) {
            QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(40, 40),
                                    janela->mapToGlobal(QPoint(40, 40)));
            QApplication::sendEvent(janela, &mouse);
        } else {
            QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                    janela->mapToGlobal(QPoint(0, 0)));
            QApplication::sendEvent(janela, &tecla);
        }
        QVERIFY(visto);
    }
}

QTEST_MAIN(TstBordas)
#include "tst_bordas.moc"
