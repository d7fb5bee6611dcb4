// Cost of lining up and scoring a run: random five-letter groups of the full
// Koch set with 5 % of the characters skipped, added or changed, aligned by
// course::Alignment and scored by course::RunScore. 1 500 characters are a
// five-minute run at 40 WPM; 10 000 go past the full matrix into the
// linear-memory split.
//
//   bench_alignment [Google Benchmark options]

#include "course/alignment.h"
#include "course/runscore.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

struct Texts
{
    QStringList sent;
    QStringList typed;
};

Texts Make(int characters)
{
    const QString set = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X");
    QRandomGenerator random(1);
    Texts t;
    for (int n = 0; n < characters; ++n) {
        if (n > 0 && n % 5 == 0) {
            t.sent << QStringLiteral(" ");
            t.typed << QStringLiteral(" ");
        }
        const QString c = set.at(random.bounded(int(set.size())));
        t.sent << c;
        switch (random.bounded(60)) {
        case 0:
            break;
        case 1:
            t.typed << c << QStringLiteral("E");
            break;
        case 2:
            t.typed << QStringLiteral("T");
            break;
        default:
            t.typed << c;
        }
    }
    return t;
}

void AlignAndScore(benchmark::State &state)
{
    const Texts t = Make(int(state.range(0)));
    for (auto _ : state) {
        const course::RunScore score(course::Alignment::align(t.sent, t.typed));
        benchmark::DoNotOptimize(score.right());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AlignAndScore)
    ->Arg(100)
    ->Arg(1500)
    ->Arg(10000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
