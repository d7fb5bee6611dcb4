// The Send page's stored choices: a round trip with texts beside the
// language, and damaged or missing values taken as their defaults.

#include "sendpage/sendsettings.h"
#include "tests/ambiente.h"

#include <QTest>
#include <memory>

using sending::SendSettings;

class TstSendSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;

    void Write(const QByteArray &body)
    {
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, body);
    }

private slots:
    void roundTrip()
    {
        Write("[General]\nIdioma=2\n");
        SendSettings s;
        s.key = SendSettings::Key::SerialPaddles;
        s.paddles = SendSettings::PaddlePair::ZX;
        s.modeB = false;
        s.keyerWpm = 33;
        s.port = QStringLiteral("ttyUSB0");
        s.straightLine = sending::SerialLines::Dcd;
        s.dotLine = sending::SerialLines::Cts;
        s.dashLine = sending::SerialLines::Dsr;
        s.prompt = SendSettings::Prompt::Callsign;
        s.callsign = QStringLiteral("PY2ÇA");
        s.lastWpm = 23;
        s.save();
        SendSettings back = SendSettings::load();
        QCOMPARE(int(back.key), int(s.key));
        QCOMPARE(int(back.paddles), int(s.paddles));
        QCOMPARE((QList<int>{back.modeB, back.keyerWpm, int(back.straightLine), int(back.dotLine),
                             int(back.dashLine), int(back.prompt), back.lastWpm}),
                 (QList<int>{0, 33, 4, 1, 2, 2, 23}));
        QCOMPARE(back.port, s.port);
        QCOMPARE(back.callsign, s.callsign);
        QVERIFY(ambiente::LeArquivo().contains("Idioma=2"));
        // A shorter text replaces a longer one whole.
        back.port = QStringLiteral("S0");
        back.save();
        QCOMPARE(SendSettings::load().port, QStringLiteral("S0"));
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("nothing stored") << QByteArray() << "key"
                                        << "0";
        QTest::newRow("key out of range") << QByteArray("EnvioChave=7\n") << "key"
                                          << "0";
        QTest::newRow("speed too fast") << QByteArray("EnvioVelocidade=41\n") << "wpm"
                                        << "20";
        QTest::newRow("speed not a number") << QByteArray("EnvioVelocidade=x\n") << "wpm"
                                            << "20";
        QTest::newRow("no such line") << QByteArray("EnvioLinha=3\n") << "line"
                                      << "1";
        QTest::newRow("text longer than kept") << QByteArray("EnvioPorta=65\n") << "port"
                                               << "";
        QTest::newRow("text with a unit missing")
            << QByteArray("EnvioPorta=2\nEnvioPorta1=65\n") << "port"
            << "";
        QTest::newRow("text whole")
            << QByteArray("EnvioPorta=2\nEnvioPorta1=65\nEnvioPorta2=66\n") << "port"
            << "AB";
    }

    void damaged()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QString, field);
        QFETCH(QString, value);
        Write(lines.isNull() ? QByteArray() : "[General]\n" + lines);
        const SendSettings s = SendSettings::load();
        const QMap<QString, QString> fields{{"key", QString::number(int(s.key))},
                                            {"wpm", QString::number(s.keyerWpm)},
                                            {"line", QString::number(s.straightLine)},
                                            {"port", s.port}};
        QCOMPARE(fields.value(field), value);
    }
};

QTEST_GUILESS_MAIN(TstSendSettings)
#include "tst_sendsettings.moc"
