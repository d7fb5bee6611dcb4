#include "progress/recognitionqueue.h"

#include <algorithm>

namespace progress {

RecognitionQueue::RecognitionQueue(const QStringList &characters, quint32 seed) : m_rng(seed)
{
    for (const QString &c : characters)
        if (!c.isEmpty() && !m_characters.contains(c))
            m_characters.append(c);
}

QString RecognitionQueue::next()
{
    if (m_characters.isEmpty())
        return {};
    ++m_draws;
    QString character;
    if (!m_returns.isEmpty() && m_returns.constFirst().draw <= m_draws) {
        character = m_returns.takeFirst().character;
    } else if (m_characters.size() == 1) {
        character = m_characters.constFirst();
    } else {
        // Drawn from the others, so the same character never plays twice running.
        const qsizetype last = m_characters.indexOf(m_last);
        const int range = int(m_characters.size()) - (last >= 0 ? 1 : 0);
        int i = m_rng.bounded(range);
        if (last >= 0 && i >= last)
            ++i;
        character = m_characters.at(i);
    }
    m_last = character;
    m_lastDraw = m_draws;
    return character;
}

void RecognitionQueue::answer(const QString &character, bool right, int answerMs)
{
    if (right && answerMs <= m_thresholdMs)
        return;
    const int draw = (character == m_last ? m_lastDraw : m_draws) + m_comebackDraws;
    for (const Return &r : std::as_const(m_returns))
        if (r.character == character)
            return;
    const auto at = std::upper_bound(m_returns.begin(), m_returns.end(), draw,
                                     [](int d, const Return &r) { return d < r.draw; });
    m_returns.insert(at, {character, draw});
}

QStringList RecognitionQueue::waiting() const
{
    QStringList result;
    for (const Return &r : m_returns)
        result.append(r.character);
    return result;
}

} // namespace progress
