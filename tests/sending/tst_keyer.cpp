#include "sending/iambickeyer.h"
#include "sending/keyinput.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sending;
using namespace std::chrono_literals;
using Paddle = IambicKeyer::Paddle;
using Mode = IambicKeyer::Mode;

namespace {

const KeyTime T0 = KeyTime{} + 10s;

KeyTime at(int ms)
{
    return T0 + std::chrono::milliseconds(ms);
}

int msOf(KeyTime t)
{
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(t - T0).count());
}

// Paddle actions as "time paddle+/-", e.g. "0 .+, 10 -+, 130 .-": the dot
// paddle (.) or the dash paddle (-) pressed (+) or released.
struct Action
{
    int ms;
    Paddle paddle;
    bool press;
};

QList<Action> parse(const QString &script)
{
    QList<Action> out;
    for (const QString &part : script.split(u',', Qt::SkipEmptyParts)) {
        const QStringList f = part.trimmed().split(u' ');
        out << Action{f.at(0).toInt(), f.at(1).at(0) == u'.' ? Paddle::Dot : Paddle::Dash,
                      f.at(1).at(1) == u'+'};
    }
    return out;
}

// Runs the keyer through the actions the way the program does: advance at
// every action and at every time the keyer names, nothing in between. Every
// edge must come no earlier than its time.
std::vector<KeyEdge> run(IambicKeyer &k, const QList<Action> &actions)
{
    std::vector<KeyEdge> edges;
    const auto take = [&](KeyTime now) {
        for (const KeyEdge &e : k.advance(now)) {
            if (e.at > now)
                qFatal("an edge was handed over before its time");
            edges.push_back(e);
        }
    };
    for (const Action &a : actions) {
        while (const auto next = k.nextEventTime()) {
            if (*next > at(a.ms))
                break;
            take(*next);
        }
        if (a.press)
            k.press(a.paddle, at(a.ms));
        else
            k.release(a.paddle, at(a.ms));
        take(at(a.ms));
    }
    while (const auto next = k.nextEventTime())
        take(*next);
    return edges;
}

// The elements keyed, as a pattern and their start times; checks that downs
// and ups alternate and that each down announces its up.
QString describe(const std::vector<KeyEdge> &edges, int dotMs, QList<int> *starts)
{
    QString pattern;
    for (size_t i = 0; i + 1 < edges.size(); i += 2) {
        const KeyEdge &down = edges[i];
        const KeyEdge &up = edges[i + 1];
        if (!down.down || up.down || down.until != up.at)
            return QStringLiteral("bad edges");
        const int length = msOf(up.at) - msOf(down.at);
        pattern += length == dotMs ? u'.' : length == 3 * dotMs ? u'-' : u'?';
        *starts << msOf(down.at);
    }
    if (edges.size() % 2)
        return QStringLiteral("odd edges");
    return pattern;
}

} // namespace

class TstKeyer : public QObject
{
    Q_OBJECT

private slots:
    void squeezes_data();
    void squeezes();
    void speedIsClamped();
    void lateCallsKeepExactTimes();
    void straightKeyIgnoresRepeats();
    void timerRunsTheKeyer();
    void changingKindCompletesTheElement();
};

void TstKeyer::squeezes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QList<int>>("starts");

    // 20 WPM: dot 60 ms, dash 180 ms, one dot of silence after each.
    const int A = int(Mode::A), B = int(Mode::B);
    QTest::newRow("dot held") << A << "0 .+, 300 .-"
                              << "..." << QList<int>{0, 120, 240};
    QTest::newRow("dash held") << B << "0 -+, 400 --"
                               << "--" << QList<int>{0, 240};
    QTest::newRow("tap shorter than a dot") << A << "0 .+, 10 .-"
                                            << "." << QList<int>{0};
    QTest::newRow("auto-repeat is no memory") << B << "0 .+, 20 .+, 40 .+, 50 .-"
                                              << "." << QList<int>{0};
    QTest::newRow("squeeze released in 2nd, A") << A << "0 .+, 10 -+, 130 .-, 130 --"
                                                << ".-" << QList<int>{0, 120};
    QTest::newRow("squeeze released in 2nd, B") << B << "0 .+, 10 -+, 130 .-, 130 --"
                                                << ".-." << QList<int>{0, 120, 360};
    QTest::newRow("dash first, released in 2nd, A") << A << "0 -+, 10 .+, 250 .-, 250 --"
                                                    << "-." << QList<int>{0, 240};
    QTest::newRow("dash first, released in 2nd, B") << B << "0 -+, 10 .+, 250 .-, 250 --"
                                                    << "-.-" << QList<int>{0, 240, 360};
    QTest::newRow("C by squeeze, B") << B << "0 -+, 10 .+, 500 --, 500 .-"
                                     << "-.-." << QList<int>{0, 240, 360, 600};
    QTest::newRow("C by squeeze, A") << A << "0 -+, 10 .+, 500 --, 500 .-"
                                     << "-.-" << QList<int>{0, 240, 360};
    QTest::newRow("long squeeze, A") << A << "0 .+, 10 -+, 610 .-, 610 --"
                                     << ".-.-" << QList<int>{0, 120, 360, 480};
    QTest::newRow("long squeeze, B") << B << "0 .+, 10 -+, 610 .-, 610 --"
                                     << ".-.-." << QList<int>{0, 120, 360, 480, 720};
    QTest::newRow("dot memory, A") << A << "0 -+, 50 .+, 70 .-, 100 --"
                                   << "-." << QList<int>{0, 240};
    QTest::newRow("dot memory, B") << B << "0 -+, 50 .+, 70 .-, 100 --"
                                   << "-." << QList<int>{0, 240};
    QTest::newRow("dash memory, A") << A << "0 .+, 20 -+, 30 .-, 40 --"
                                    << ".-" << QList<int>{0, 120};
    QTest::newRow("press in the closing gap") << A << "0 .+, 30 .-, 90 .+, 100 .-"
                                              << ".." << QList<int>{0, 120};
    QTest::newRow("after a pause, at once") << A << "0 .+, 30 .-, 1000 -+, 1010 --"
                                            << ".-" << QList<int>{0, 1000};
    QTest::newRow("release of an idle paddle") << B << "0 --, 5 .+, 6 .-"
                                               << "." << QList<int>{5};
}

void TstKeyer::squeezes()
{
    QFETCH(int, mode);
    QFETCH(QString, script);
    QFETCH(QString, pattern);
    QFETCH(QList<int>, starts);
    IambicKeyer k(Mode(mode), 20);
    QCOMPARE(k.dot(), 60ms);
    QList<int> got;
    QCOMPARE(describe(run(k, parse(script)), 60, &got), pattern);
    QCOMPARE(got, starts);
    QVERIFY(k.isIdle());
}

void TstKeyer::speedIsClamped()
{
    QCOMPARE(IambicKeyer(Mode::A, 10).dot(), 120ms);
    QCOMPARE(IambicKeyer(Mode::A, 40).dot(), 30ms);
    QCOMPARE(IambicKeyer(Mode::A, 25).dot(), 48ms);
    QCOMPARE(IambicKeyer(Mode::A, 3).dot(), 120ms);
    QCOMPARE(IambicKeyer(Mode::A, 90).dot(), 30ms);
    QCOMPARE(IambicKeyer(Mode::A, std::nan("")).dot(), 120ms);
}

// A caller that comes round late (a busy UI thread) gets the edges it missed,
// at their own times, and the rhythm does not move.
void TstKeyer::lateCallsKeepExactTimes()
{
    IambicKeyer k(Mode::B, 20);
    k.press(Paddle::Dot, at(0));
    std::vector<KeyEdge> edges = k.advance(at(0));
    k.release(Paddle::Dot, at(500)); // late: four decisions have gone by
    for (const KeyEdge &e : k.advance(at(700)))
        edges.push_back(e);
    QList<int> starts;
    QCOMPARE(describe(edges, 60, &starts), QStringLiteral("....."));
    QCOMPARE(starts, (QList<int>{0, 120, 240, 360, 480}));
    QVERIFY(k.isIdle());
    // Times before the latest seen count as it.
    k.press(Paddle::Dash, at(100));
    QCOMPARE(k.advance(at(100)).front().at, at(700));
}

void TstKeyer::straightKeyIgnoresRepeats()
{
    KeyInput input;
    QSignalSpy spy(&input, &KeyInput::keyed);
    input.press(Contact::Straight, at(0));
    input.press(Contact::Straight, at(30)); // auto-repeat
    input.press(Contact::Dot, at(35));      // not this kind's
    QVERIFY(input.isKeyDown());
    input.release(Contact::Straight, at(60));
    input.release(Contact::Straight, at(70));
    QCOMPARE(spy.count(), 2);
    const auto down = spy.at(0).at(0).value<KeyEdge>();
    const auto up = spy.at(1).at(0).value<KeyEdge>();
    QCOMPARE(down, (KeyEdge{at(0), true, KeyTime::max()}));
    QCOMPARE(up, (KeyEdge{at(60), false, KeyTime::max()}));
    QVERIFY(!input.isKeyDown());
}

void TstKeyer::timerRunsTheKeyer()
{
    KeyInput input;
    input.setKind(KeyInput::Kind::Paddles);
    input.keyer().setWpm(40);
    QSignalSpy spy(&input, &KeyInput::keyed);
    const KeyTime start = std::chrono::steady_clock::now();
    input.press(Contact::Dot, start);
    input.release(Contact::Dot, start + 1ms);
    // The key-up comes from the timer alone, at the element's exact end.
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).value<KeyEdge>().at - start, 30ms);
}

void TstKeyer::changingKindCompletesTheElement()
{
    KeyInput input;
    input.setKind(KeyInput::Kind::Paddles);
    QSignalSpy spy(&input, &KeyInput::keyed);
    const KeyTime start = std::chrono::steady_clock::now();
    input.press(Contact::Dash, start);
    input.setKind(KeyInput::Kind::Straight);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).value<KeyEdge>().down, false);
    QCOMPARE(spy.at(1).at(0).value<KeyEdge>().at - start, 3 * input.keyer().dot());
    input.press(Contact::Straight, start + 1s);
    QCOMPARE(spy.count(), 3);
}

QTEST_GUILESS_MAIN(TstKeyer)
#include "tst_keyer.moc"
