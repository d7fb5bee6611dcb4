// What opening "My characters" and starting a drill cost on a large record:
// the statistics of 100 000 answers (years of daily practice over 45
// characters), a weak-character drill built on them, and a 2-minute run of
// 5-character groups drawn from it. Prints Google Benchmark's report.

#include "progress/characterstats.h"
#include "progress/weakdrill.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

const QString Characters = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X:;()ÇÉÃ");

QList<record::Answer> Record(int count)
{
    QRandomGenerator rng(1);
    QList<record::Answer> list;
    list.reserve(count);
    QDateTime when(QDate(2022, 1, 1), QTime(18, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        record::Answer a;
        a.when = when.addSecs(i * 20);
        a.kind = i % 7 == 0 ? record::Kind::Reception : record::Kind::Course;
        a.sent = Characters.at(rng.bounded(int(Characters.size())));
        a.right = rng.bounded(10) < 8;
        a.answered = a.right ? a.sent : Characters.at(rng.bounded(int(Characters.size())));
        a.answerMs = int(rng.bounded(900));
        a.charWpm = 20;
        a.effectiveWpm = 10;
        list.append(a);
    }
    return list;
}

void Statistics(benchmark::State &state)
{
    const QList<record::Answer> answers = Record(int(state.range(0)));
    for (auto _ : state) {
        const progress::CharacterStats stats(answers);
        benchmark::DoNotOptimize(stats.days().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Statistics)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void DrillRun(benchmark::State &state)
{
    const progress::CharacterStats stats(Record(100'000));
    QRandomGenerator rng(2);
    QStringList learned;
    for (const QChar c : Characters)
        learned << QString(c);
    for (auto _ : state) {
        const progress::WeakDrill drill(learned, stats);
        benchmark::DoNotOptimize(drill.run(48, 5, rng)); // 2 minutes at 20 WPM
    }
}
BENCHMARK(DrillRun)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
