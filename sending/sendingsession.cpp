#include "sending/sendingsession.h"

#include "sending/sendingalphabet.h"
#include "sending/timingfeedback.h"

#include <cmath>

namespace sending {

SendingSession::SendingSession(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { idle(std::chrono::steady_clock::now()); });
    connect(&m_key, &KeyInput::keyed, this, &SendingSession::onEdge);
}

void SendingSession::start(const QString &prompt, double expectedWpm)
{
    m_prompt = prompt;
    const bool paddles = m_key.kind() == KeyInput::Kind::Paddles;
    m_decoder.reset(paddles ? m_key.keyer().wpm() : expectedWpm);
    bool prosigns = false;
    for (const QString &t : SendingAlphabet::tokens(prompt))
        prosigns = prosigns || t.startsWith(u'<');
    m_decoder.setPreferProsigns(prosigns);
    m_reportedWpm = 0;
    m_timer.stop();
}

SendingResult SendingSession::finish(KeyTime now)
{
    m_key.releaseAll(now);
    m_key.drain();
    // The learner is done: the silence after his last element is as long as
    // need be.
    hand(m_decoder.idle(now + std::chrono::hours(1)));
    m_timer.stop();
    return TimingFeedback::analyse(m_prompt, m_decoder.characters(), m_decoder.wpm());
}

void SendingSession::idle(KeyTime now)
{
    hand(m_decoder.idle(now));
    schedule();
}

void SendingSession::onEdge(const KeyEdge &edge)
{
    hand(m_decoder.feed(edge));
    if (!edge.down) {
        const double wpm = m_decoder.wpm();
        if (std::abs(wpm - m_reportedWpm) >= 0.5) {
            m_reportedWpm = wpm;
            emit speedChanged(wpm);
        }
    }
    schedule();
}

void SendingSession::hand(const QString &text)
{
    if (!text.isEmpty())
        emit decoded(text);
}

void SendingSession::schedule()
{
    const auto deadline = m_decoder.nextDeadline();
    if (!deadline) {
        m_timer.stop();
        return;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(*deadline - std::chrono::steady_clock::now())
            .count();
    m_timer.start(std::max(0, int(std::ceil(ms))));
}

} // namespace sending
