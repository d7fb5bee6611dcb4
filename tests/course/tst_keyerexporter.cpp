// The run's WAV export through the keyer: the very samples the keyer renders
// for the run's text at its speeds, tone and edges, or a message and no file.

#include "course/keyerexporter.h"
#include "morse/morserenderer.h"
#include "morse/morsetext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using course::KeyerExporter;
using course::RunSpec;

class TstKeyerExporter : public QObject
{
    Q_OBJECT

private slots:
    void samples_data()
    {
        QTest::addColumn<double>("charWpm");
        QTest::addColumn<double>("effectiveWpm");
        QTest::addColumn<bool>("softEdges");
        QTest::newRow("20/10 soft") << 20.0 << 10.0 << true;
        QTest::newRow("40/40 raw") << 40.0 << 40.0 << false;
    }

    void samples()
    {
        QFETCH(double, charWpm);
        QFETCH(double, effectiveWpm);
        QFETCH(bool, softEdges);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("run.wav"));
        RunSpec spec;
        spec.charWpm = charWpm;
        spec.effectiveWpm = effectiveWpm;
        spec.hertz = 650;
        spec.waveform = tgSquare;
        spec.softEdges = softEdges;
        const QString text = QStringLiteral("KMKMM <AR>MUK");
        QString error;
        KeyerExporter exporter;
        QVERIFY2(exporter.exportWav(file, text, spec, error), qPrintable(error));
        QFile wav(file);
        QVERIFY(wav.open(QIODevice::ReadOnly));
        const QByteArray bytes = wav.readAll();
        MorseRenderer renderer(MorseTiming(charWpm, effectiveWpm), 650, tgSquare, softEdges);
        const MorseRenderer::Block block = renderer.render(MorseText::parse(text));
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QCOMPARE(bytes.size(), 44 + 2 * qsizetype(block.samples.size()));
        QCOMPARE(bytes.mid(44), QByteArray(reinterpret_cast<const char *>(block.samples.data()),
                                           2 * qsizetype(block.samples.size())));
    }

    void faults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("badFolder");
        QTest::addColumn<QString>("word"); // the message holds it
        QTest::newRow("unknown character") << "KM #" << false << "#";
        QTest::newRow("nothing") << "  " << false << "nothing";
        QTest::newRow("folder missing") << "KM" << true << "run.wav";
    }

    void faults()
    {
        QFETCH(QString, text);
        QFETCH(bool, badFolder);
        QFETCH(QString, word);
        QTemporaryDir dir;
        const QString file =
            dir.filePath(badFolder ? QStringLiteral("none/run.wav") : QStringLiteral("run.wav"));
        QString error;
        KeyerExporter exporter;
        QVERIFY(!exporter.exportWav(file, text, RunSpec(), error));
        QVERIFY2(error.contains(word), qPrintable(error));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TstKeyerExporter)
#include "tst_keyerexporter.moc"
