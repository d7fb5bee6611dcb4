#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <utility>

namespace progress {

class CharacterStats;

// Random groups over the learned characters that favour the weak ones: each
// is drawn with weight max(FloorWeight, 1 - accuracy of its last answers).
// A character with too few answers to be graded weighs UnmeasuredWeight: it
// should come up often enough to be measured within a run or two, yet less
// often than one known to be missed.
//
// Characters taken for each other at least MinConfusions times come in the
// same run: when a run holds one of such a pair and not the other, one of its
// places is given to the partner, most frequent pairs first, never breaking a
// pair already placed.
class WeakDrill
{
public:
    static constexpr double FloorWeight = 0.1;
    static constexpr double UnmeasuredWeight = 0.5;
    static constexpr int MinConfusions = 2;

    WeakDrill(const QStringList &learned, const CharacterStats &stats);

    const QStringList &characters() const { return m_characters; }
    // 0 for a character not learned.
    double weight(const QString &character) const;
    // The pairs that go together, most frequent first.
    const QList<std::pair<QString, QString>> &partners() const { return m_partners; }

    // One character by weight; empty when nothing is learned.
    QString draw(QRandomGenerator &rng) const;
    // Groups of the given lengths, then the partners placed.
    QList<QStringList> run(const QList<int> &groupLengths, QRandomGenerator &rng) const;
    QList<QStringList> run(int groups, int groupLength, QRandomGenerator &rng) const;

private:
    void placePartners(QList<QStringList> &groups, QRandomGenerator &rng) const;

    QStringList m_characters;
    QList<double> m_weights;
    QList<double> m_cumulative;
    QList<std::pair<QString, QString>> m_partners;
};

} // namespace progress
