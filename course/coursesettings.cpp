#include "course/coursesettings.h"

#include "app/escolhaidioma.h"
#include "course/groupgenerator.h"
#include "platform/settingsstore.h"

#include <functional>

namespace course {
namespace {

const QString Lesson = QStringLiteral("CursoLicao");
const QString LessonOpen = QStringLiteral("CursoLicaoAberta");
const QString CharWpm = QStringLiteral("CursoVelocidade");
const QString EffectiveWpm = QStringLiteral("CursoEfetiva");
const QString GroupSize = QStringLiteral("CursoGrupo");
const QString Minutes = QStringLiteral("CursoMinutos");
const QString Threshold = QStringLiteral("CursoLimiar");
// The number of characters of a learner's own order (0 for the default one),
// then each character's position in KochOrder::Known() under Order + its
// place from 1.
const QString Order = QStringLiteral("CursoOrdem");
// Runs + lesson number.
const QString Runs = QStringLiteral("CursoCorridas");

// The stored value when it is readable and passes ok, otherwise fallback.
int Read(const platform::SettingsStore &store, const QString &name, int fallback,
         const std::function<bool(int)> &ok)
{
    try {
        if (!store.ValueExists(name))
            return fallback;
        const int value = store.ReadInteger(name);
        return ok(value) ? value : fallback;
    } catch (const platform::SettingsError &) {
        return fallback;
    }
}

std::function<bool(int)> Between(int low, int high)
{
    return [low, high](int v) { return v >= low && v <= high; };
}

} // namespace

CourseSettings CourseSettings::load()
{
    CourseSettings s;
    const CourseSettings d;
    platform::SettingsStore store;
    if (!store.OpenKey(EscolhaIdioma::ChaveRegistro, false))
        return s;
    const int length = Read(store, Order, 0, Between(2, int(KochOrder::Known().size())));
    if (length > 0) {
        QList<int> indexes;
        for (int i = 1; i <= length; ++i)
            indexes << Read(store, Order + QString::number(i), -1, Between(0, 1000));
        KochOrder order;
        if (KochOrder::fromKnownIndexes(indexes, order))
            s.order = order;
    }
    const int last = s.order.lastLesson();
    s.lesson = Read(store, Lesson, d.lesson, Between(1, last));
    s.lessonOpen = Read(store, LessonOpen, d.lessonOpen, Between(1, last));
    s.charWpm = Read(store, CharWpm, d.charWpm, Between(MinCharWpm, MaxCharWpm));
    s.effectiveWpm = Read(store, EffectiveWpm, d.effectiveWpm, Between(MinEffectiveWpm, s.charWpm));
    s.groupSize = Read(store, GroupSize, d.groupSize, Between(0, GroupGenerator::MaxSize));
    s.minutes = Read(store, Minutes, d.minutes, &CourseSettings::validMinutes);
    s.threshold = Read(store, Threshold, d.threshold, Between(MinThreshold, MaxThreshold));
    for (int n = 1; n <= last; ++n) {
        if (const int runs = Read(store, Runs + QString::number(n), 0, Between(1, 1 << 30)))
            s.runs.insert(n, runs);
    }
    s.normalise();
    return s;
}

void CourseSettings::save() const
{
    platform::SettingsStore store;
    store.OpenKey(EscolhaIdioma::ChaveRegistro, true);
    // Each write saves the file: only what changed is written.
    auto write = [&store](const QString &name, int value) {
        if (Read(store, name, value + 1, [](int) { return true; }) != value)
            store.WriteInteger(name, value);
    };
    if (order.isDefault()) {
        write(Order, 0);
    } else {
        const QList<int> indexes = order.knownIndexes();
        for (int i = 0; i < indexes.size(); ++i)
            write(Order + QString::number(i + 1), indexes.at(i));
        write(Order, int(indexes.size()));
    }
    write(Lesson, lesson);
    write(LessonOpen, lessonOpen);
    write(CharWpm, charWpm);
    write(EffectiveWpm, effectiveWpm);
    write(GroupSize, groupSize);
    write(Minutes, minutes);
    write(Threshold, threshold);
    for (auto it = runs.cbegin(); it != runs.cend(); ++it)
        write(Runs + QString::number(it.key()), it.value());
    store.CloseKey();
}

bool CourseSettings::recordRun(int lessonNumber, bool passed)
{
    ++runs[lessonNumber];
    const int next = order.clampLesson(lessonNumber + 1);
    if (!passed || next <= lessonOpen)
        return false;
    lessonOpen = next;
    return true;
}

void CourseSettings::setOrder(const KochOrder &newOrder)
{
    order = newOrder;
    normalise();
}

void CourseSettings::normalise()
{
    const CourseSettings d;
    lesson = order.clampLesson(lesson);
    lessonOpen = order.clampLesson(lessonOpen);
    charWpm = qBound(MinCharWpm, charWpm, MaxCharWpm);
    effectiveWpm = qBound(MinEffectiveWpm, effectiveWpm, charWpm);
    if (groupSize < 0 || groupSize > GroupGenerator::MaxSize)
        groupSize = d.groupSize;
    if (!validMinutes(minutes))
        minutes = d.minutes;
    threshold = qBound(MinThreshold, threshold, MaxThreshold);
}

} // namespace course
