#include "progress/leitnerreview.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace progress {

int LeitnerReview::box(const QString &character) const
{
    return entry(character).box;
}

LeitnerReview::Entry LeitnerReview::entry(const QString &character) const
{
    return m_entries.value(character.toUpper());
}

void LeitnerReview::setEntry(const QString &character, Entry e)
{
    if (e.box < 1 || e.box > Boxes)
        e.box = 1;
    m_entries.insert(character.toUpper(), e);
}

QDate LeitnerReview::dueDate(const QString &character, QDate today) const
{
    const Entry e = entry(character);
    // A review dated after today is damage or a clock moved back; trusting it
    // could hold the character back for good.
    if (!e.lastReview.isValid() || (today.isValid() && e.lastReview > today))
        return {};
    return e.lastReview.addDays(Intervals[e.box - 1]);
}

bool LeitnerReview::isDue(const QString &character, QDate today) const
{
    const QDate date = dueDate(character, today);
    return !date.isValid() || date <= today;
}

QStringList LeitnerReview::due(const QStringList &learned, QDate today) const
{
    QStringList result;
    for (const QString &c : learned)
        if (isDue(c, today))
            result.append(c);
    return result;
}

void LeitnerReview::applyRun(const QList<record::Answer> &run, QDate today)
{
    struct Count
    {
        int answers = 0;
        int right = 0;
    };
    QHash<QString, Count> counts;
    for (const record::Answer &a : run) {
        if (a.kind == record::Kind::Sending || a.sent.isEmpty())
            continue;
        Count &c = counts[a.sent.toUpper()];
        ++c.answers;
        c.right += a.right ? 1 : 0;
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const Count &c = it.value();
        if (c.answers < MinAnswers)
            continue;
        Entry e = entry(it.key());
        if (qint64(c.right) * 10 >= qint64(c.answers) * 9)
            e.box = std::min(e.box + 1, Boxes);
        else if (qint64(c.right) * 10 < qint64(c.answers) * 7)
            e.box = 1;
        e.lastReview = today;
        m_entries.insert(it.key(), e);
    }
}

QVariantMap LeitnerReview::toVariantMap() const
{
    QVariantMap map;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        map.insert(it.key(), QStringLiteral("%1 %2")
                                 .arg(it.value().box)
                                 .arg(it.value().lastReview.toString(Qt::ISODate)));
    return map;
}

LeitnerReview LeitnerReview::fromVariantMap(const QVariantMap &map)
{
    LeitnerReview review;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().isEmpty())
            continue;
        const QStringList parts = it.value().toString().split(QLatin1Char(' '));
        Entry e;
        bool ok = false;
        e.box = parts.value(0).toInt(&ok);
        if (!ok)
            e.box = 1;
        e.lastReview = QDate::fromString(parts.value(1), Qt::ISODate);
        review.setEntry(it.key(), e);
    }
    return review;
}

QString LeitnerReview::toString() const
{
    return QString::fromUtf8(
        QJsonDocument(QJsonObject::fromVariantMap(toVariantMap())).toJson(QJsonDocument::Compact));
}

LeitnerReview LeitnerReview::fromString(const QString &text)
{
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
    return doc.isObject() ? fromVariantMap(doc.object().toVariantMap()) : LeitnerReview();
}

bool LeitnerReview::operator==(const LeitnerReview &other) const
{
    if (m_entries.size() != other.m_entries.size())
        return false;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const auto o = other.m_entries.constFind(it.key());
        if (o == other.m_entries.cend() || o->box != it->box || o->lastReview != it->lastReview)
            return false;
    }
    return true;
}

} // namespace progress
