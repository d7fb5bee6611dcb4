#include "sending/sendingsession.h"
#include "sending/synthetickeying.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sending;
using namespace std::chrono_literals;

namespace {

QString joined(const QSignalSpy &spy)
{
    QString out;
    for (const auto &s : spy)
        out += s.at(0).toString();
    return out;
}

} // namespace

class TstSession : public QObject
{
    Q_OBJECT

private slots:
    void straightKeyDecodesAndJudges();
    void silenceCompletesTheLastCharacter();
    void paddlesAtTheKeyersSpeed();
};

void TstSession::straightKeyDecodesAndJudges()
{
    SendingSession session;
    QSignalSpy decoded(&session, &SendingSession::decoded);
    QSignalSpy speed(&session, &SendingSession::speedChanged);
    session.start(QStringLiteral("PARIS <AR>"), 15);
    SyntheticKeying k(5);
    SyntheticKeying::Options o;
    o.startWpm = o.endWpm = 22;
    o.error = 0.1;
    const KeyTime start = std::chrono::steady_clock::now() - 20s;
    KeyTime last = start;
    for (const KeyEdge &e : k.key(QStringLiteral("PARIS +"), o, start)) {
        if (e.down) {
            session.key().press(Contact::Straight, e.at);
            session.key().press(Contact::Straight, e.at + 5ms); // auto-repeat
        } else {
            session.key().release(Contact::Straight, e.at);
        }
        last = e.at;
    }
    session.key().press(Contact::Straight, last + 2s); // still down at the end
    const SendingResult r = session.finish(last + 2s + 10ms);
    QVERIFY(!session.key().isKeyDown());
    QCOMPARE(r.prompt, QStringLiteral("PARIS <AR>"));
    QCOMPARE(r.decoded, QStringLiteral("PARIS <AR> E"));
    QCOMPARE(r.right, 6);
    QCOMPARE(r.added, 1);
    QCOMPARE(joined(decoded), QStringLiteral("PARIS <AR> E "));
    QVERIFY(!speed.isEmpty());
    QVERIFY2(std::abs(speed.last().at(0).toDouble() - 22) < 3,
             qPrintable(speed.last().at(0).toString()));
}

void TstSession::silenceCompletesTheLastCharacter()
{
    SendingSession session;
    QSignalSpy decoded(&session, &SendingSession::decoded);
    session.start(QStringLiteral("A"), 20);
    const KeyTime now = std::chrono::steady_clock::now();
    const std::pair<int, int> marks[] = {{0, 60}, {120, 300}};
    for (const auto &[down, up] : marks) {
        session.key().press(Contact::Straight, now + std::chrono::milliseconds(down));
        session.key().release(Contact::Straight, now + std::chrono::milliseconds(up));
    }
    QCOMPARE(joined(decoded), QString());
    // No key-down follows: the timer ends the character, then the word.
    QTRY_COMPARE(joined(decoded), QStringLiteral("A "));
}

void TstSession::paddlesAtTheKeyersSpeed()
{
    SendingSession session;
    session.key().setKind(KeyInput::Kind::Paddles);
    session.key().keyer().setWpm(35);
    QSignalSpy decoded(&session, &SendingSession::decoded);
    session.start(QStringLiteral("N"), 10);
    QCOMPARE(session.decoder().dotMs(), 1200 / 35.0);
    const KeyTime now = std::chrono::steady_clock::now();
    session.key().press(Contact::Dash, now);
    session.key().release(Contact::Dash, now + 10ms);
    session.key().press(Contact::Dot, now + 20ms); // remembered for after the dash
    session.key().release(Contact::Dot, now + 30ms);
    QTRY_COMPARE(joined(decoded), QStringLiteral("N "));
    // Done in the middle of a dash: it is keyed to its end and decoded.
    const KeyTime later = std::chrono::steady_clock::now();
    session.key().press(Contact::Dash, later);
    const SendingResult r = session.finish(later + 1ms);
    QCOMPARE(r.decoded, QStringLiteral("N T"));
    QVERIFY(!session.key().isKeyDown());
}

QTEST_GUILESS_MAIN(TstSession)
#include "tst_session.moc"
