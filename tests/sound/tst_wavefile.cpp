#include "sound/wavefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// WAV files of 16-bit mono samples at 96000 Hz, written whole or not at all.
class TstWaveFile : public QObject
{
    Q_OBJECT

private slots:
    void bytesAsExpected();
    void failures_data();
    void failures();
};

void TstWaveFile::bytesAsExpected()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.wav"));
    const std::int16_t samples[] = {1, -2, 32767, -32768};
    QString error;
    QVERIFY2(WaveFile::Write(path, samples, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected = QByteArray::fromHex("52494646" // RIFF
                                                    "2c000000" // 36 + 8 bytes follow
                                                    "57415645" // WAVE
                                                    "666d7420" // fmt
                                                    "10000000" // 16 bytes of format
                                                    "0100"     // PCM
                                                    "0100"     // mono
                                                    "00770100" // 96000 Hz
                                                    "00ee0200" // 192000 bytes/s
                                                    "0200"     // 2 bytes a frame
                                                    "1000"     // 16 bits
                                                    "64617461" // data
                                                    "08000000" // 8 bytes
                                                    "0100feffff7f0080");
    QCOMPARE(f.readAll().toHex(), expected.toHex());
}

void TstWaveFile::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such folder") << "missing/out.wav" << qint64(10) << "Cannot write";
    QTest::newRow("a folder") << "folder" << qint64(10) << "Cannot write";
    QTest::newRow("more than a WAV file holds") << "kept.wav" << qint64(WaveFile::MaxFrames + 1)
                                                << "more than a WAV file holds (372 minutes)";
}

// The message names the file; a file already there stays as it was.
void TstWaveFile::failures()
{
    QFETCH(QString, name);
    QFETCH(qint64, frames);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = dir.filePath(name);
    {
        QFile kept(dir.filePath(QStringLiteral("kept.wav")));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("old");
    }
    QString error;
    bool asked = false;
    QVERIFY(!WaveFile::Write(
        path, frames, [&](std::int64_t, std::span<std::int16_t>) { asked = true; }, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QFile kept(dir.filePath(QStringLiteral("kept.wav")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
    QVERIFY(!asked || name != QLatin1String("kept.wav"));
}

QTEST_GUILESS_MAIN(TstWaveFile)
#include "tst_wavefile.moc"
