#include "progress/characterstats.h"

#include <QMap>
#include <algorithm>
#include <limits>

namespace progress {

namespace {

qint64 Moment(const record::Answer &a)
{
    return a.when.isValid() ? a.when.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

QString PairKey(const QString &a, const QString &b)
{
    return a + QLatin1Char('\n') + b;
}

// The last Window entries of history.
QList<const record::Answer *> Recent(const QList<const record::Answer *> &history)
{
    return history.mid(std::max<qsizetype>(0, history.size() - CharacterStats::Window));
}

// What a wrong answer was taken for, or empty when it is no confusion.
QString HeardAs(const record::Answer &a, const QString &character)
{
    if (a.right)
        return {};
    const QString heard = a.answered.toUpper();
    return heard == character ? QString() : heard;
}

CharacterSummary Find(const QHash<QString, CharacterSummary> &summaries, const QString &key)
{
    const auto it = summaries.constFind(key);
    if (it != summaries.cend())
        return *it;
    CharacterSummary none;
    none.character = key;
    return none;
}

} // namespace

int CharacterSummary::percent() const
{
    return answers > 0 ? qRound(100.0 * right / answers) : 0;
}

CharacterStats::CharacterStats(QList<record::Answer> answers, const QTimeZone &zone)
{
    std::stable_sort(
        answers.begin(), answers.end(),
        [](const record::Answer &a, const record::Answer &b) { return Moment(a) < Moment(b); });
    QHash<QString, QList<const record::Answer *>> copying;
    QHash<QString, QList<const record::Answer *>> sending;
    for (const record::Answer &a : std::as_const(answers)) {
        const QString character = a.sent.toUpper();
        if (character.isEmpty())
            continue;
        (a.kind == record::Kind::Sending ? sending : copying)[character].append(&a);
    }
    for (auto it = copying.cbegin(); it != copying.cend(); ++it) {
        m_copying.insert(it.key(), summarise(it.key(), it.value()));
        countConfusions(it.value());
    }
    for (auto it = sending.cbegin(); it != sending.cend(); ++it)
        m_sending.insert(it.key(), summarise(it.key(), it.value()));
    buildDays(answers, zone);
}

Grade CharacterStats::gradeOf(int right, int answers)
{
    if (answers < MinAnswers)
        return Grade::Unknown;
    if (qint64(right) * 10 >= qint64(answers) * 9)
        return Grade::Green;
    if (qint64(right) * 10 >= qint64(answers) * 7)
        return Grade::Amber;
    return Grade::Red;
}

CharacterSummary CharacterStats::summarise(const QString &character,
                                           const QList<const record::Answer *> &history)
{
    CharacterSummary s;
    s.character = character;
    const QList<const record::Answer *> window = Recent(history);
    s.answers = int(window.size());
    // A tie between mistakes goes to the one that reached the count last.
    QHash<QString, int> heard;
    for (const record::Answer *a : window) {
        s.right += a->right ? 1 : 0;
        const QString h = HeardAs(*a, character);
        if (h.isEmpty())
            continue;
        const int n = ++heard[h];
        if (n >= s.heardAsCount) {
            s.heardAs = h;
            s.heardAsCount = n;
        }
    }
    s.grade = gradeOf(s.right, s.answers);

    std::vector<int> times;
    for (auto it = history.crbegin(); it != history.crend() && times.size() < Window; ++it)
        if ((*it)->answerMs >= 0)
            times.push_back((*it)->answerMs);
    if (!times.empty()) {
        const std::size_t mid = times.size() / 2;
        std::nth_element(times.begin(), times.begin() + mid, times.end());
        const qint64 upper = times[mid];
        if (times.size() % 2 == 1) {
            s.medianMs = int(upper);
        } else {
            const qint64 lower = *std::max_element(times.begin(), times.begin() + mid);
            s.medianMs = int((lower + upper + 1) / 2);
        }
    }
    return s;
}

void CharacterStats::countConfusions(const QList<const record::Answer *> &history)
{
    for (const record::Answer *a : Recent(history)) {
        const QString character = a->sent.toUpper();
        const QString heard = HeardAs(*a, character);
        if (heard.isEmpty())
            continue;
        const bool inOrder = character < heard;
        const QString &first = inOrder ? character : heard;
        const QString &second = inOrder ? heard : character;
        Confusion &c = m_confusions[PairKey(first, second)];
        c.first = first;
        c.second = second;
        ++c.count;
    }
}

void CharacterStats::buildDays(const QList<record::Answer> &answers, const QTimeZone &zone)
{
    struct Day
    {
        int answers = 0;
        int right = 0;
        int timed = 0;
        double wpm = 0;
    };
    QMap<QDate, Day> days;
    for (const record::Answer &a : answers) {
        if (a.kind == record::Kind::Sending || a.sent.isEmpty() || !a.when.isValid())
            continue;
        Day &d = days[a.when.toTimeZone(zone).date()];
        ++d.answers;
        d.right += a.right ? 1 : 0;
        if (a.effectiveWpm > 0) {
            ++d.timed;
            d.wpm += a.effectiveWpm;
        }
    }
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        const Day &d = it.value();
        m_days.append({it.key(), d.answers, d.right, d.timed > 0 ? d.wpm / d.timed : 0.0});
    }
}

CharacterSummary CharacterStats::copying(const QString &character) const
{
    return Find(m_copying, character.toUpper());
}

CharacterSummary CharacterStats::sending(const QString &character) const
{
    return Find(m_sending, character.toUpper());
}

QStringList CharacterStats::characters() const
{
    QStringList all = m_copying.keys();
    for (auto it = m_sending.cbegin(); it != m_sending.cend(); ++it)
        if (!m_copying.contains(it.key()))
            all.append(it.key());
    all.sort();
    return all;
}

QList<Confusion> CharacterStats::confusions(int n) const
{
    QList<Confusion> all = m_confusions.values();
    std::sort(all.begin(), all.end(), [](const Confusion &a, const Confusion &b) {
        if (a.count != b.count)
            return a.count > b.count;
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    if (n >= 0 && all.size() > n)
        all.resize(n);
    return all;
}

QString CharacterStats::spokenName(const QString &character)
{
    return character.trimmed().isEmpty() ? tr("space") : character;
}

QString CharacterStats::sentence(const QString &character) const
{
    const CharacterSummary s = copying(character);
    const QString name = spokenName(s.character);
    if (s.answers == 0)
        return tr("%1: no answers yet").arg(name);
    const QString percent = QString::number(s.percent());
    if (s.heardAsCount == 0)
        return tr("%1 %2 %").arg(name, percent);
    //: A character, its accuracy in percent, what it was most often taken for and how often
    return tr("%1 %2 %, heard as %3 x%4")
        .arg(name, percent, spokenName(s.heardAs), QString::number(s.heardAsCount));
}

QString CharacterStats::description(const QString &character) const
{
    const CharacterSummary s = copying(character);
    QStringList parts{sentence(character)};
    if (s.medianMs >= 0)
        parts << tr("median answer time %1 ms").arg(s.medianMs);
    if (s.answers > 0)
        parts << tr("last %n answer(s)", nullptr, s.answers);
    if (s.answers > 0 && s.grade == Grade::Unknown)
        parts << tr("too few to judge");
    const CharacterSummary keyed = sending(character);
    if (keyed.answers > 0)
        parts << tr("sending %1 %").arg(keyed.percent());
    return parts.join(QStringLiteral("; "));
}

} // namespace progress
