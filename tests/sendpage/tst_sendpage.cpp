// The Send page fed synthetic key and mouse events with their timestamps:
// which keys key (auto-repeat ignored, the mouse area, paddles through the
// keyer), the sidetone told each edge at its event's time, a sent text
// decoded and stored as a sending, and a failing serial key that leaves the
// keyboard keying. Also the event clock on its own.

#include "record/record.h"
#include "sending/serialkey.h"
#include "sending/synthetickeying.h"
#include "sendpage/eventclock.h"
#include "sendpage/keyarea.h"
#include "sendpage/keysetup.h"
#include "sendpage/keysound.h"
#include "sendpage/sendfeedback.h"
#include "sendpage/sendpage.h"
#include "tests/ambiente.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace sending;
using namespace std::chrono_literals;
using Key = SendSettings::Key;

namespace {

// Ahead of the steady clock, which the page's key saw before the test's clock.
const KeyTime Base = std::chrono::steady_clock::now() + 1h;
// When the last event sent was received: 2 ms after its stamp.
KeyTime received = Base;

struct FakeSound final : KeySound
{
    std::vector<KeyEdge> edges;
    int prepared = 0;
    bool prepare(const AjustesPrincipais *) override { return ++prepared > 0; }
    void key(const KeyEdge &edge) override { edges.push_back(edge); }
};

struct FakeLines final : SerialLines
{
    Fault openFault = Fault::None;
    Fault readFault = Fault::None;
    bool isOpen = false;
    bool open(const QString &) override { return isOpen = openFault == Fault::None; }
    void close() override { isOpen = false; }
    std::optional<unsigned> read() override
    {
        if (!isOpen || readFault != Fault::None)
            return std::nullopt;
        return 0u;
    }
    Fault fault() const override { return isOpen ? readFault : openFault; }
    QString faultText() const override { return QStringLiteral("Permission denied"); }
};

// A key event as the window system gives it: X keysym and keycode, its time.
void sendKey(QWidget *w, bool down, int key, quint64 ms, bool repeat = false, quint32 sym = 0,
             quint32 code = 0)
{
    QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier, code, sym, 0,
                QString(), repeat);
    e.setTimestamp(ms);
    received = Base + std::chrono::milliseconds(ms + 2);
    QApplication::sendEvent(w, &e);
}

void sendMouse(QWidget *w, bool down, Qt::MouseButton button, quint64 ms)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, at,
                  w->mapToGlobal(at), button, down ? button : Qt::NoButton, Qt::NoModifier);
    e.setTimestamp(ms);
    QApplication::sendEvent(w, &e);
}

qint64 ms(KeyTime t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(t - Base).count();
}

} // namespace

class TstSendPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<record::Record> record;
    std::unique_ptr<SendPage> page;
    FakeSound *sound = nullptr;
    FakeLines *lines = nullptr;
    KeyTime now = Base;

    void Open(const QByteArray &settings)
    {
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, "[General]\n" + settings);
        record = std::make_unique<record::Record>();
        QVERIFY(record->open(folder->filePath(QStringLiteral("record.sqlite"))));
        auto fake = std::make_unique<FakeSound>();
        sound = fake.get();
        page = std::make_unique<SendPage>(nullptr, record.get(), nullptr, std::move(fake), [this] {
            auto l = std::make_unique<FakeLines>();
            lines = l.get();
            return l;
        });
        now = Base;
        page->setClock([this] { return now; });
        page->setSeed(7);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    // The event at ms on the window system's clock, received delay ms later.
    void At(quint64 stamp, int delay = 2) { now = Base + std::chrono::milliseconds(stamp + delay); }

    QList<qint64> Edges() const
    {
        QList<qint64> out;
        for (const KeyEdge &e : sound->edges)
            out << (e.down ? 1 : -1) * ms(e.at);
        return out;
    }

private slots:
    void eventClock_data()
    {
        QTest::addColumn<QList<int>>("stamps");
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<QList<int>>("mapped"); // ms after Base
        QTest::newRow("steady delay")
            << QList<int>{100, 160, 400} << QList<int>{3, 3, 3} << QList<int>{103, 163, 403};
        // A late event keeps the time of its press.
        QTest::newRow("one late") << QList<int>{100, 160, 400} << QList<int>{3, 40, 3}
                                  << QList<int>{103, 163, 403};
        QTest::newRow("a quicker one lowers the offset")
            << QList<int>{100, 160, 400} << QList<int>{9, 2, 2} << QList<int>{109, 162, 402};
        QTest::newRow("stamps jump back")
            << QList<int>{5000, 20, 80} << QList<int>{3, 3, 3} << QList<int>{5003, 5103, 5163};
        QTest::newRow("no stamp: on receipt")
            << QList<int>{100, 0, 300} << QList<int>{3, 50, 3} << QList<int>{103, 150, 303};
    }

    void eventClock()
    {
        QFETCH(QList<int>, stamps);
        QFETCH(QList<int>, delays);
        QFETCH(QList<int>, mapped);
        EventClock clock([] { return received; });
        KeyTime base = Base;
        for (qsizetype i = 0; i < stamps.size(); ++i) {
            // A jump back of the stamps: the receipt keeps going forward.
            if (i > 0 && stamps[i] != 0 && stamps[i] < stamps[i - 1])
                base += std::chrono::milliseconds(stamps[i - 1] - stamps[i] + 100);
            const int stamp = stamps[i] == 0 ? stamps[i - 1] : stamps[i];
            received = base + std::chrono::milliseconds(stamp + delays[i]);
            QCOMPARE(ms(clock.map(quint64(stamps[i]))), qint64(mapped[i]));
        }
    }

    void keysByChoice_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("paddles");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("sym");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("contact"); // -1: none
        const int ctrl = Qt::Key_Control;
        QTest::newRow("space, straight") << 0 << 0 << int(Qt::Key_Space) << 0 << 0 << 0;
        QTest::newRow("space, serial straight") << 2 << 0 << int(Qt::Key_Space) << 0 << 0 << 0;
        QTest::newRow("space, mouse key") << 1 << 0 << int(Qt::Key_Space) << 0 << 0 << -1;
        QTest::newRow("space, paddles") << 3 << 0 << int(Qt::Key_Space) << 0 << 0 << -1;
        QTest::newRow("left ctrl") << 3 << 0 << ctrl << 0xffe3 << 37 << 1;
        QTest::newRow("right ctrl") << 3 << 0 << ctrl << 0xffe4 << 105 << 2;
        QTest::newRow("right ctrl, keycode only") << 4 << 0 << ctrl << 0 << 105 << 2;
        QTest::newRow("ctrl, unknown side") << 3 << 0 << ctrl << 0 << 0 << -1;
        QTest::newRow("z") << 3 << 1 << int(Qt::Key_Z) << 0 << 0 << 1;
        QTest::newRow("x") << 4 << 1 << int(Qt::Key_X) << 0 << 0 << 2;
        QTest::newRow("ctrl with z/x chosen") << 3 << 1 << ctrl << 0xffe3 << 37 << -1;
    }

    // A held key the window system repeats is one press and one release.
    void keysByChoice()
    {
        QFETCH(int, key);
        QFETCH(int, paddles);
        QFETCH(int, qtKey);
        QFETCH(int, sym);
        QFETCH(int, code);
        QFETCH(int, contact);
        KeyArea area;
        area.clock().setNow([] { return received; });
        area.setKey(Key(key), SendSettings::PaddlePair(paddles));
        QSignalSpy pressed(&area, &KeyArea::pressed);
        QSignalSpy released(&area, &KeyArea::released);
        sendKey(&area, true, qtKey, 10, false, quint32(sym), quint32(code));
        for (quint64 t = 500; t < 800; t += 33) {
            sendKey(&area, false, qtKey, t, true, quint32(sym), quint32(code));
            sendKey(&area, true, qtKey, t, true, quint32(sym), quint32(code));
        }
        sendKey(&area, false, qtKey, 900, false, quint32(sym), quint32(code));
        QCOMPARE(pressed.size(), contact < 0 ? 0 : 1);
        QCOMPARE(released.size(), pressed.size());
        if (contact >= 0) {
            QCOMPARE(int(pressed[0][0].value<Contact>()), contact);
            const auto held = released[0][1].value<KeyTime>() - pressed[0][1].value<KeyTime>();
            QCOMPARE(std::chrono::duration_cast<std::chrono::milliseconds>(held), 890ms);
        }
    }

    void mouseArea_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("presses");
        QTest::newRow("mouse key, left") << 1 << int(Qt::LeftButton) << 1;
        QTest::newRow("mouse key, right") << 1 << int(Qt::RightButton) << 0;
        QTest::newRow("space key, left") << 0 << int(Qt::LeftButton) << 0;
    }

    void mouseArea()
    {
        QFETCH(int, key);
        QFETCH(int, button);
        QFETCH(int, presses);
        KeyArea area;
        area.resize(200, 80);
        area.setKey(Key(key), SendSettings::PaddlePair::Ctrl);
        QSignalSpy pressed(&area, &KeyArea::pressed);
        QSignalSpy released(&area, &KeyArea::released);
        sendMouse(&area, true, Qt::MouseButton(button), 100);
        sendMouse(&area, false, Qt::MouseButton(button), 220);
        QCOMPARE(pressed.size(), presses);
        QCOMPARE(released.size(), presses);
    }

    // The sidetone hears each edge at its event's time, not at its receipt.
    void sidetoneAtEventTimes()
    {
        Open("");
        QCOMPARE(sound->prepared, 1);
        QWidget *area = page->keyArea;
        At(100, 3);
        sendKey(area, true, Qt::Key_Space, 100);
        At(160, 3);
        sendKey(area, false, Qt::Key_Space, 160);
        At(400, 30); // the event loop was busy
        sendKey(area, true, Qt::Key_Space, 400);
        At(580, 3);
        sendKey(area, false, Qt::Key_Space, 580);
        QCOMPARE(Edges(), (QList<qint64>{103, -163, 403, -583}));
        QVERIFY(page->keyArea->hasFocus());
    }

    // Z held at 20 WPM: the keyer's dots at whole 60 ms steps, each key-down
    // knowing its end, and the decoder reads them.
    void paddlesThroughKeyer()
    {
        Open("EnvioChave=3\nEnvioPalhetas=1\nEnvioVelocidade=20\n");
        QWidget *area = page->keyArea;
        At(0, 0);
        sendKey(area, true, Qt::Key_Z, 0);
        At(130, 0);
        sendKey(area, false, Qt::Key_Z, 130);
        now = Base + 500ms;
        page->session().key().poll(now);
        QCOMPARE(Edges(), (QList<qint64>{0, -60, 120, -180}));
        QCOMPARE(ms(sound->edges[0].until), 60);
        QVERIFY(page->finish());
        QCOMPARE(page->feedback->toPlainText().contains(QStringLiteral("I")), true);
        const QList<record::Run> runs = record->runs(record::Kind::Sending);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].typed, QStringLiteral("I"));
    }

    // A prompt keyed on the Space bar comes out as the prompt, live, and is
    // stored as a sending with what was prompted and decoded.
    void sentTextDecodedAndStored()
    {
        Open("");
        const QString prompt = page->prompt->text();
        QVERIFY(!prompt.isEmpty());
        SyntheticKeying keying(3);
        SyntheticKeying::Options o;
        o.startWpm = o.endWpm = 18;
        o.error = 0.1;
        const auto edges = keying.key(prompt, o, Base + 1s);
        for (const KeyEdge &e : edges) {
            const quint64 stamp = quint64(ms(e.at));
            At(stamp, 1);
            sendKey(page->keyArea, e.down, Qt::Key_Space, stamp);
        }
        page->session().idle(edges.back().at + 5s);
        QCOMPARE(page->decoded->text().simplified(), prompt);
        QVERIFY(page->speed->text().contains(QStringLiteral("WPM")));
        QVERIFY(page->finish());
        const QList<record::Run> runs = record->runs(record::Kind::Sending);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].sent, prompt);
        QCOMPARE(runs[0].typed.simplified(), prompt);
        QCOMPARE(runs[0].accuracy, 100.0);
        QCOMPARE(runs[0].answers.size(), QString(prompt).remove(u' ').size());
        // A new prompt awaits, and Done with nothing keyed stores nothing.
        QVERIFY(page->decoded->text().isEmpty());
        QVERIFY(!page->finish());
        QCOMPARE(record->runs(record::Kind::Sending).size(), 1);
    }

    void serialFaults_data()
    {
        QTest::addColumn<bool>("port");
        QTest::addColumn<int>("openFault");
        QTest::addColumn<int>("readFault");
        QTest::newRow("no port") << false << 0 << 0;
        QTest::newRow("may not open") << true << int(SerialLines::Fault::Permission) << 0;
        QTest::newRow("gone mid-run") << true << 0 << int(SerialLines::Fault::Gone);
    }

    // A serial key that cannot be had is said on the page, and Space keys on.
    void serialFaults()
    {
        QFETCH(bool, port);
        QFETCH(int, openFault);
        QFETCH(int, readFault);
        Open("");
        lines->openFault = SerialLines::Fault(openFault);
        KeySetup *setup = page->setup;
        setup->port->clear();
        if (port)
            setup->port->addItem(QStringLiteral("ttyFAKE"));
        setup->key->setCurrentIndex(int(Key::SerialStraight));
        emit setup->key->activated(int(Key::SerialStraight));
        QCOMPARE(int(page->settings().key), int(Key::SerialStraight));
        lines->readFault = SerialLines::Fault(readFault);
        QTRY_VERIFY(page->message->text().contains(port ? QStringLiteral("ttyFAKE")
                                                        : QStringLiteral("No serial port")));
        QVERIFY(page->keyArea->hasFocus());
        At(100);
        sendKey(page->keyArea, true, Qt::Key_Space, 100);
        At(200);
        sendKey(page->keyArea, false, Qt::Key_Space, 200);
        QCOMPARE(sound->edges.size(), std::size_t(2));
    }
};

QTEST_MAIN(TstSendPage)
#include "tst_sendpage.moc"
