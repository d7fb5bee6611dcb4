#pragma once

#include <QRandomGenerator>
#include <QStringList>

namespace sending {

// What the learner is given to send: random groups of the course's
// characters, words made of them only, or his callsign.
class PromptGenerator
{
public:
    // Seeded from the system's entropy.
    PromptGenerator();
    // The same prompts for the same seed (tests, reproducible runs).
    explicit PromptGenerator(quint32 seed);

    // count groups of groupLength tokens drawn evenly from characters (tokens
    // as SendingAlphabet::tokens splits them; those with no pattern and
    // repeats are dropped), separated by spaces. Empty with no usable
    // character.
    QString characters(const QStringList &characters, int count, int groupLength = 5);
    // count words drawn from words (the built-in list when empty), keeping
    // only those made of characters alone; random groups of 2 to 5 of them
    // when no word qualifies.
    QString words(const QStringList &characters, int count, const QStringList &words = {});
    // The callsign, upper case and trimmed, repeats times; empty if it holds
    // a character that cannot be sent.
    QString callsign(const QString &call, int repeats = 3) const;

    // Short words and on-air abbreviations in capitals.
    static QStringList builtInWords();

private:
    static QStringList usable(const QStringList &characters);

    QRandomGenerator m_random;
};

} // namespace sending
