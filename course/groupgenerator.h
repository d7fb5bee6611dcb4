#pragma once

#include <QStringList>

class QRandomGenerator;

namespace course {

// Random groups of a lesson's characters. Each character is drawn
// independently; the boosted one (a lesson's new character in its first
// runs) weighs twice as much as each other.
class GroupGenerator
{
public:
    // Group size 1..10, or Mixed: each group 2 to 7 characters long.
    static constexpr int Mixed = 0;
    static constexpr int MinMixed = 2;
    static constexpr int MaxMixed = 7;
    static constexpr int MaxSize = 10;

    // random is not owned and must outlive the generator. A boosted
    // character that is not among characters boosts nothing; a size outside
    // 1..10 is Mixed.
    GroupGenerator(QStringList characters, QString boosted, int groupSize,
                   QRandomGenerator *random);

    // One group, its characters side by side (prosigns as "<AR>").
    QString next();
    QStringList nextCharacters();

private:
    QString draw();

    QStringList chars;
    int boostedIndex = -1;
    int size = 5;
    QRandomGenerator *random;
};

} // namespace course
