#include "course/groupgenerator.h"

#include <QRandomGenerator>

namespace course {

GroupGenerator::GroupGenerator(QStringList characters, QString boosted, int groupSize,
                               QRandomGenerator *random)
    : chars(std::move(characters)), boostedIndex(int(chars.indexOf(boosted))),
      size(groupSize >= 1 && groupSize <= MaxSize ? groupSize : Mixed), random(random)
{
}

QString GroupGenerator::next()
{
    return nextCharacters().join(QString());
}

QStringList GroupGenerator::nextCharacters()
{
    QStringList group;
    if (chars.isEmpty())
        return group;
    const int length = size == Mixed ? random->bounded(MinMixed, MaxMixed + 1) : size;
    for (int i = 0; i < length; ++i)
        group << draw();
    return group;
}

QString GroupGenerator::draw()
{
    // The boosted character takes two of the slots, every other one.
    const int ways = int(chars.size()) + (boostedIndex >= 0 ? 1 : 0);
    const int slot = random->bounded(ways);
    return slot < chars.size() ? chars.at(slot) : chars.at(boostedIndex);
}

} // namespace course
