#pragma once

#include "record/answer.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

namespace progress {

// How well a character is known, from its recent answers.
enum class Grade
{
    Unknown, // fewer than CharacterStats::MinAnswers answers: grey
    Red,     // below 70 %
    Amber,   // 70 % up to 90 %
    Green    // 90 % or more
};

// One character's recent answers, copying or sending.
struct CharacterSummary
{
    QString character;
    int answers = 0; // in the window, at most CharacterStats::Window
    int right = 0;
    Grade grade = Grade::Unknown;
    int medianMs = -1; // median answer time of the recent timed answers; -1 without any
    QString heardAs;   // the wrong answer given most often in the window, if any
    int heardAsCount = 0;

    // 0 .. 1; 0 without answers.
    double accuracy() const { return answers > 0 ? double(right) / answers : 0.0; }
    // Whole percent, as shown.
    int percent() const;
};

// Two characters taken for each other, counted both ways.
struct Confusion
{
    QString first; // the two in code-point order
    QString second;
    int count = 0;
};

// The copying answers of one local day.
struct DayPoint
{
    QDate day;
    int answers = 0;
    int right = 0;
    double effectiveWpm = 0; // mean over the day's answers that carry a speed; 0 without any

    double accuracy() const { return answers > 0 ? double(right) / answers : 0.0; }
};

// What the record says about each character. Copying answers (course,
// reception test, drills, recognition) and sending answers are kept apart.
//
// A character's accuracy, grade and most frequent mistake come from its last
// Window answers by time; its median answer time from its last Window answers
// that carry a time (right or wrong), so untimed copying does not hide it.
// Characters compare in capitals. An answer that is empty (nothing came back)
// is wrong but no confusion. The confusion pairs are counted over the same
// windows, so a mistake the learner has outgrown drops out of them.
//
// The per-day series counts every copying answer, not only recent ones, on
// the learner's local calendar day: an answer stored at 23:30 UTC belongs to
// the next day in Lisbon's summer and to the same day in São Paulo. Answers
// without a valid time count in the windows (as the oldest) but on no day.
class CharacterStats
{
    Q_DECLARE_TR_FUNCTIONS(CharacterStats)

public:
    static constexpr int Window = 50;
    static constexpr int MinAnswers = 10;

    CharacterStats() = default;
    // zone: where the learner's days begin and end.
    explicit CharacterStats(QList<record::Answer> answers,
                            const QTimeZone &zone = QTimeZone::systemTimeZone());

    // Green from 90 %, amber from 70 %, red below; Unknown with fewer than
    // MinAnswers answers. Exact in whole numbers, so 629 of 700 is amber.
    static Grade gradeOf(int right, int answers);

    // A zero summary (Unknown) for a character without answers.
    CharacterSummary copying(const QString &character) const;
    CharacterSummary sending(const QString &character) const;

    // Every character with a copying or sending answer, sorted.
    QStringList characters() const;

    // Pairs by count, then by their characters; at most n (all with n < 0).
    QList<Confusion> confusions(int n = -1) const;
    QList<Confusion> topConfusions() const { return confusions(5); }

    // Oldest day first; only days with copying answers.
    QList<DayPoint> days() const { return m_days; }

    // "R 81 %, heard as U x7", "R 95 %", or "R: no answers yet".
    QString sentence(const QString &character) const;
    // The sentence with the median answer time, the number of answers and the
    // sending accuracy, for a tooltip or a screen reader.
    QString description(const QString &character) const;
    // A screen reader's name for a character: the space bar's is "space".
    static QString spokenName(const QString &character);

private:
    static CharacterSummary summarise(const QString &character,
                                      const QList<const record::Answer *> &history);
    void countConfusions(const QList<const record::Answer *> &history);
    void buildDays(const QList<record::Answer> &answers, const QTimeZone &zone);

    QHash<QString, CharacterSummary> m_copying;
    QHash<QString, CharacterSummary> m_sending;
    QHash<QString, Confusion> m_confusions; // keyed by first + '\n' + second
    QList<DayPoint> m_days;
};

} // namespace progress
