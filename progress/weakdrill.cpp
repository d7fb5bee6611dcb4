#include "progress/weakdrill.h"

#include "progress/characterstats.h"

#include <QSet>
#include <algorithm>

namespace progress {

WeakDrill::WeakDrill(const QStringList &learned, const CharacterStats &stats)
{
    double total = 0;
    for (const QString &c : learned) {
        const QString character = c.toUpper();
        if (character.isEmpty() || m_characters.contains(character))
            continue;
        const CharacterSummary s = stats.copying(character);
        const double w = s.grade == Grade::Unknown ? UnmeasuredWeight
                                                   : std::max(FloorWeight, 1.0 - s.accuracy());
        m_characters.append(character);
        m_weights.append(w);
        total += w;
        m_cumulative.append(total);
    }
    for (const Confusion &c : stats.confusions()) {
        if (c.count < MinConfusions)
            break;
        if (m_characters.contains(c.first) && m_characters.contains(c.second))
            m_partners.append({c.first, c.second});
    }
}

double WeakDrill::weight(const QString &character) const
{
    const qsizetype i = m_characters.indexOf(character.toUpper());
    return i < 0 ? 0.0 : m_weights.at(i);
}

QString WeakDrill::draw(QRandomGenerator &rng) const
{
    if (m_characters.isEmpty())
        return {};
    const double x = rng.bounded(m_cumulative.last());
    const auto it = std::upper_bound(m_cumulative.cbegin(), m_cumulative.cend(), x);
    const qsizetype i = std::min<qsizetype>(it - m_cumulative.cbegin(), m_characters.size() - 1);
    return m_characters.at(i);
}

QList<QStringList> WeakDrill::run(const QList<int> &groupLengths, QRandomGenerator &rng) const
{
    QList<QStringList> groups;
    if (m_characters.isEmpty())
        return groups;
    for (const int length : groupLengths) {
        QStringList group;
        for (int i = 0; i < length; ++i)
            group.append(draw(rng));
        groups.append(group);
    }
    placePartners(groups, rng);
    return groups;
}

QList<QStringList> WeakDrill::run(int groups, int groupLength, QRandomGenerator &rng) const
{
    return run(QList<int>(std::max(0, groups), groupLength), rng);
}

void WeakDrill::placePartners(QList<QStringList> &groups, QRandomGenerator &rng) const
{
    QHash<QString, int> present;
    for (const QStringList &g : std::as_const(groups))
        for (const QString &c : g)
            ++present[c];
    QSet<QString> pinned; // members of pairs already together
    for (const auto &[a, b] : m_partners) {
        const bool hasA = present.value(a) > 0;
        const bool hasB = present.value(b) > 0;
        if (hasA == hasB) {
            if (hasA)
                pinned << a << b;
            continue;
        }
        // Prefer places whose character no placed pair needs; else a copy of
        // a character that stays in the run anyway (the present one's too).
        QList<std::pair<int, int>> free;
        QList<std::pair<int, int>> spare;
        for (int g = 0; g < groups.size(); ++g) {
            for (int i = 0; i < groups[g].size(); ++i) {
                const QString &c = groups[g][i];
                if (c != a && c != b && !pinned.contains(c))
                    free.append({g, i});
                else if (present.value(c) > 1)
                    spare.append({g, i});
            }
        }
        const QList<std::pair<int, int>> &places = free.isEmpty() ? spare : free;
        if (places.isEmpty())
            continue;
        const auto [g, i] = places.at(rng.bounded(int(places.size())));
        --present[groups[g][i]];
        groups[g][i] = hasA ? b : a;
        ++present[groups[g][i]];
        pinned << a << b;
    }
}

} // namespace progress
