#include "course/reviewsettings.h"

#include "app/escolhaidioma.h"
#include "course/kochorder.h"
#include "platform/settingsstore.h"
#include "record/record.h"

#include <QCoreApplication>
#include <QTimeZone>
#include <algorithm>
#include <limits>

namespace course {
namespace {

// Review + the character's position in KochOrder::Known(), which never
// changes for a character (new ones go at the end).
const QString Review = QStringLiteral("Revisao");
const QString LastRun = QStringLiteral("RevisaoCorrida");
// Minutes since 1970 (UTC), which a 32-bit integer holds for millennia.
const QString LastRunStart = QStringLiteral("RevisaoDesde");

constexpr int RecentDays = 7;
// No run lasts this long, so one stored after the newest run applied began
// no earlier than that run's start less this.
constexpr qint64 LongestRunSecs = 3600;

int Read(const platform::SettingsStore &store, const QString &name, int fallback)
{
    try {
        return store.ValueExists(name) ? store.ReadInteger(name) : fallback;
    } catch (const platform::SettingsError &) {
        return fallback;
    }
}

int Encode(const progress::LeitnerReview::Entry &e)
{
    const qint64 day = e.lastReview.isValid() ? e.lastReview.toJulianDay() : 0;
    return day > 0 && day < 200'000'000 ? int(day * 10 + e.box) : e.box;
}

progress::LeitnerReview::Entry Decode(int value)
{
    progress::LeitnerReview::Entry e;
    e.box = value % 10;
    if (value / 10 > 0)
        e.lastReview = QDate::fromJulianDay(value / 10);
    return e;
}

} // namespace

ReviewSettings ReviewSettings::load()
{
    ReviewSettings s;
    platform::SettingsStore store;
    if (!store.OpenKey(EscolhaIdioma::ChaveRegistro, false))
        return s;
    const QStringList &known = KochOrder::Known();
    for (int i = 0; i < known.size(); ++i) {
        const int value = Read(store, Review + QString::number(i), -1);
        if (value > 0)
            s.review.setEntry(known.at(i), Decode(value));
    }
    s.lastRun = std::max(0, Read(store, LastRun, 0));
    if (const int minutes = Read(store, LastRunStart, 0); minutes > 0 && s.lastRun > 0)
        s.lastRunStart = QDateTime::fromSecsSinceEpoch(qint64(minutes) * 60, QTimeZone::utc());
    return s;
}

void ReviewSettings::save() const
{
    platform::SettingsStore store;
    store.OpenKey(EscolhaIdioma::ChaveRegistro, true);
    // Each write saves the file: only what changed is written.
    auto write = [&store](const QString &name, int value) {
        if (Read(store, name, value + 1) != value)
            store.WriteInteger(name, value);
    };
    const QStringList &known = KochOrder::Known();
    for (int i = 0; i < known.size(); ++i) {
        const progress::LeitnerReview::Entry e = review.entry(known.at(i));
        const QString name = Review + QString::number(i);
        if (e.lastReview.isValid() || e.box != 1 || store.ValueExists(name))
            write(name, Encode(e));
    }
    write(LastRun, lastRun);
    if (lastRunStart.isValid())
        write(LastRunStart, int(lastRunStart.toSecsSinceEpoch() / 60));
    store.CloseKey();
}

bool ReviewSettings::applyNewRuns(const record::Record &record)
{
    // Runs are applied as they are stored, so only those begun since the
    // newest one applied need reading; without its start, the last week's.
    // The first time, every run is.
    QDateTime since;
    if (lastRunStart.isValid())
        since = lastRunStart.addSecs(-LongestRunSecs);
    else if (lastRun > 0)
        since = QDateTime::currentDateTimeUtc().addDays(-RecentDays);
    QList<record::Run> fresh;
    for (const record::Kind kind : {record::Kind::Course, record::Kind::Drill,
                                    record::Kind::Reception, record::Kind::Recognition})
        for (const record::Run &run : record.runs(kind, since))
            if (run.id > lastRun)
                fresh.append(run);
    std::sort(fresh.begin(), fresh.end(),
              [](const record::Run &a, const record::Run &b) { return a.id < b.id; });
    for (const record::Run &run : fresh) {
        review.applyRun(run.answers, run.when.toLocalTime().date());
        lastRun = int(std::min<qint64>(run.id, std::numeric_limits<int>::max()));
        // A run from another clock may be dated later than the next one.
        if (!lastRunStart.isValid() || run.when > lastRunStart)
            lastRunStart = run.when;
    }
    return !fresh.isEmpty();
}

QString ReviewSettings::dueLine(const QStringList &due)
{
    if (due.isEmpty())
        return QCoreApplication::translate("course::ReviewSettings",
                                           "Nothing is due for review today.");
    return QCoreApplication::translate("course::ReviewSettings", "Due for review today: %1")
        .arg(due.join(QStringLiteral(", ")));
}

} // namespace course
