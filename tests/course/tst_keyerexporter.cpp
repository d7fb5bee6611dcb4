// The run's WAV export through the keyer: the very samples the keyer renders
// for the run's text at its speeds, tone and edges, or a message and no file.

#include "course/keyerexporter.h"
#include "morse/morserenderer.h"
#include "morse/morsetext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstKeyerExporter : public QObject
{
    Q_OBJECT

private slots:
    void writes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error"); // a word the message holds; empty: written
        QTest::newRow("groups and a prosign") << "KMKMM <AR>MUK"
                                              << "run.wav"
                                              << "";
        QTest::newRow("unknown character") << "KM #"
                                           << "run.wav"
                                           << "#";
        QTest::newRow("no such folder") << "KM"
                                        << "none/run.wav"
                                        << "run.wav";
    }

    void writes()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        course::RunSpec spec;
        spec.charWpm = 25;
        spec.effectiveWpm = 12;
        spec.hertz = 650;
        spec.waveform = tgSquare;
        QString message;
        course::KeyerExporter exporter;
        QCOMPARE(exporter.exportWav(file, text, spec, message), error.isEmpty());
        QVERIFY2(message.contains(error), qPrintable(message));
        QFile wav(file);
        QCOMPARE(wav.open(QIODevice::ReadOnly), error.isEmpty());
        if (!error.isEmpty())
            return;
        MorseRenderer renderer(MorseTiming(25, 12), 650, tgSquare, true);
        const std::vector<std::int16_t> samples = renderer.render(MorseText::parse(text)).samples;
        const QByteArray bytes = wav.readAll();
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QCOMPARE(bytes.mid(44), QByteArray(reinterpret_cast<const char *>(samples.data()),
                                           2 * qsizetype(samples.size())));
    }
};

QTEST_GUILESS_MAIN(TstKeyerExporter)
#include "tst_keyerexporter.moc"
