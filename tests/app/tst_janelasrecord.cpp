#include "app/errorguard.h"
#include "app/janelas.h"
#include "app/tfmorse.h"
#include "platform/virtualclock.h"
#include "reception/tfteste.h"
#include "record/record.h"
#include "tests/ambiente.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The program's windows and the learner's record: made at start-up in the
// user's data folder, handed to the reception test, its faults shown once.
class TstJanelasRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void recordInTheDataFolder();
    void damagedRecordIsToldOnce();

private:
    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<Janelas> janelas;
    static TfTeste *Teste() { return qobject_cast<TfTeste *>(fTeste); }
    QString Registro() const
    {
        return pasta->filePath(QStringLiteral("data/Brevanto/Zirvano/record.sqlite"));
    }
    void Abre(const QByteArray &registro);
};

void TstJanelasRecord::initTestCase()
{
    qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
}

void TstJanelasRecord::cleanup()
{
    janelas.reset();
    pasta.reset();
}

void TstJanelasRecord::Abre(const QByteArray &registro)
{
    pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(pasta->isValid());
    ambiente::Configura(*pasta, "[General]\nIdioma=2\n");
    if (!registro.isNull()) {
        QVERIFY(QDir().mkpath(QFileInfo(Registro()).absolutePath()));
        QFile f(Registro());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(registro);
    }
    LimpaUltimoErro();
    janelas = std::make_unique<Janelas>();
}

void TstJanelasRecord::recordInTheDataFolder()
{
    Abre({});
    record::Record *r = Teste()->Record();
    QVERIFY(r);
    QVERIFY(r->isOpen());
    QCOMPARE(r->path(), Registro());
    // Not beside the settings file.
    QVERIFY(!QFileInfo(ambiente::ArquivoIdioma())
                 .absoluteDir()
                 .exists(QStringLiteral("record.sqlite")));

    platform::VirtualClock relogio;
    fTeste->show();
    QApplication::setActiveWindow(fTeste);
    QVERIFY(QTest::qWaitForWindowActive(fTeste));
    Teste()->Btn_Teste->click();
    const quint16 tecla = Tecla_Esperada;
    QTest::keyClick(fTeste->focusWidget(), Qt::Key(tecla));
    QCOMPARE(r->answers().size(), 1);
    QCOMPARE(r->answers().first().sent, QString(QChar(tecla)));
    fTeste->hide();
    QCoreApplication::processEvents();
    QCOMPARE(UltimoErro(), QString());
}

void TstJanelasRecord::damagedRecordIsToldOnce()
{
    Abre(QByteArray("not a database at all ").repeated(200));
    // Shown once the event loop runs, over the main window.
    QCOMPARE(UltimoErro(), QString());
    QTRY_VERIFY(!UltimoErro().isEmpty());
    QVERIFY2(UltimoErro().contains(QStringLiteral("damaged")), qPrintable(UltimoErro()));
    QVERIFY(Teste()->Record()->isOpen());
    const QString posto = Teste()->Record()->setAsideAs();
    QVERIFY(QFileInfo(posto).isFile());
    QVERIFY2(UltimoErro().contains(QFileInfo(posto).fileName()), qPrintable(UltimoErro()));
    LimpaUltimoErro();
    QTest::qWait(50);
    QCOMPARE(UltimoErro(), QString());
}

QTEST_MAIN(TstJanelasRecord)
#include "tst_janelasrecord.moc"
