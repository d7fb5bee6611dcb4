#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace progress {

// Which character instant recognition plays next: one drawn at random (not
// the one just played, where there is a choice), unless a character answered
// wrong or slower than the threshold is due back. Such a character returns
// ComebackDraws draws after the one it was played at, so a couple of others
// come between; answered wrong or slow again, it returns again.
class RecognitionQueue
{
public:
    static constexpr int DefaultThresholdMs = 500;
    static constexpr int DefaultComebackDraws = 3;

    explicit RecognitionQueue(const QStringList &characters,
                              quint32 seed = QRandomGenerator::global()->generate());

    int thresholdMs() const { return m_thresholdMs; }
    void setThresholdMs(int ms) { m_thresholdMs = ms; }
    int comebackDraws() const { return m_comebackDraws; }
    void setComebackDraws(int draws) { m_comebackDraws = std::max(1, draws); }

    // The next character to play; empty without characters.
    QString next();
    // How the character last played was answered: answerMs as from
    // RecognitionTiming, negative when it was not timed (never slow).
    void answer(const QString &character, bool right, int answerMs);

    // Characters waiting to come back, soonest first.
    QStringList waiting() const;
    int draws() const { return m_draws; }

private:
    struct Return
    {
        QString character;
        int draw = 0; // the draw it comes back at
    };

    QStringList m_characters;
    QRandomGenerator m_rng;
    QList<Return> m_returns; // by draw
    QString m_last;
    int m_lastDraw = 0;
    int m_draws = 0;
    int m_thresholdMs = DefaultThresholdMs;
    int m_comebackDraws = DefaultComebackDraws;
};

} // namespace progress
