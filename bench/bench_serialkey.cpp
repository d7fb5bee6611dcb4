// What reading a serial key costs: the key's timer reads the port's modem
// lines every millisecond, since Qt signals no change of them.
//
//   bench_serialkey [--seconds N] [--port NAME]
//
// Runs the key for N seconds (default 10) on lines that cost nothing to read,
// so what is measured is the timer and the key's own work, and prints the
// process's CPU time against the wall clock, and how regularly the lines were
// read. With --port it reads a real port instead (a key interface plugged
// in), adding what the system's call for the lines costs.

#include "sending/serialkey.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace sending;
using Clock = std::chrono::steady_clock;

// Lines that are read in no time, noting when.
struct FreeLines final : SerialLines
{
    std::vector<Clock::time_point> *reads;
    explicit FreeLines(std::vector<Clock::time_point> *r) : reads(r) {}
    bool open(const QString &) override { return true; }
    void close() override {}
    std::optional<unsigned> read() override
    {
        reads->push_back(Clock::now());
        return 0u;
    }
    Fault fault() const override { return Fault::None; }
    QString faultText() const override { return {}; }
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU share of the process while the event loop runs for seconds.
double run(QCoreApplication &app, double seconds)
{
    const double cpu = cpuSeconds();
    const auto start = Clock::now();
    QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
    app.exec();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return (cpuSeconds() - cpu) / wall;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Cost of polling a serial key"));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("How long each run lasts (default 10)."),
                                           QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Read this real port instead."),
                                        QStringLiteral("NAME"));
    parser.addOptions({secondsOption, portOption});
    parser.process(app);
    const double seconds = std::max(1.0, parser.value(secondsOption).toDouble());

    const double idle = run(app, seconds);

    std::vector<Clock::time_point> reads;
    reads.reserve(size_t(seconds * 2000));
    const bool real = parser.isSet(portOption);
    auto key = real ? std::make_unique<SerialKey>()
                    : std::make_unique<SerialKey>(std::make_unique<FreeLines>(&reads));
    if (!key->startStraight(real ? parser.value(portOption) : QStringLiteral("free"),
                            SerialLines::Cts)) {
        std::fprintf(stderr, "%s\n", qPrintable(key->errorText()));
        return 1;
    }
    QObject::connect(key.get(), &SerialKey::failed, &app, [&](const QString &m) {
        std::fprintf(stderr, "%s\n", qPrintable(m));
        app.quit();
    });
    const double polling = run(app, seconds);
    key->stop();

    std::printf("%.0f s each, %s\n", seconds,
                real ? qPrintable(parser.value(portOption)) : "lines free to read");
    std::printf("CPU, event loop idle:        %.3f %%\n", 100 * idle);
    std::printf("CPU, key read every 1 ms:    %.3f %%\n", 100 * polling);
    if (!reads.empty()) {
        std::vector<double> gaps;
        for (size_t i = 1; i < reads.size(); ++i)
            gaps.push_back(
                std::chrono::duration<double, std::milli>(reads[i] - reads[i - 1]).count());
        std::sort(gaps.begin(), gaps.end());
        std::printf("reads: %zu (%.0f per second); interval median %.3f ms, 99th percentile %.3f "
                    "ms, worst %.3f ms\n",
                    reads.size(), double(reads.size()) / seconds, gaps[gaps.size() / 2],
                    gaps[gaps.size() * 99 / 100], gaps.back());
    }
    return 0;
}
