// The Send page keyed by real key presses on a real X server: xdotool holds
// the Space bar down and up at the times of a generated text, the page must
// decode that text, and the sidetone it recorded (SDL's disk driver) must
// start and end with the presses.
//
//   xvfb-run -a bench_sendkeys [--wpm W] [--seed S] [--dir DIR] [--shot PNG]
//
// Prints what was prompted and decoded, and how far each edge of the
// recorded sidetone lies from the frame its key event asked for; exits 0
// when the text came back whole, every press sounded, and the edges lie
// within 1 ms of their frames at the median, 2 ms for 95 % of them.

#include "bench/marktiming.h"
#include "bench/stream.h"
#include "platform/sidetone.h"
#include "platform/sounddevice.h"
#include "record/record.h"
#include "sending/synthetickeying.h"
#include "sendpage/keyarea.h"
#include "sendpage/sendpage.h"
#include "sound/tonewave.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

using namespace sending;
using platform::SoundDevice;

void waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The xdotool commands that key edges, from now on.
QStringList script(const std::vector<KeyEdge> &edges)
{
    QStringList args;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        args << QString::fromLatin1(edges[i].down ? "keydown" : "keyup") << QStringLiteral("space");
        if (i + 1 < edges.size())
            args << QStringLiteral("sleep")
                 << QString::number(
                        std::chrono::duration<double>(edges[i + 1].at - edges[i].at).count(), 'f',
                        4);
    }
    return args;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir temporary;
    double wpm = 15;
    quint32 seed = 1;
    QString dir = temporary.path();
    QString shot;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray a = argv[i];
        if (a == "--wpm")
            wpm = QByteArray(argv[i + 1]).toDouble();
        else if (a == "--seed")
            seed = QByteArray(argv[i + 1]).toUInt();
        else if (a == "--dir")
            dir = QString::fromLocal8Bit(argv[i + 1]);
        else if (a == "--shot")
            shot = QString::fromLocal8Bit(argv[i + 1]);
    }
    // Settings and record of its own, never the user's.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(temporary.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(temporary.filePath(QStringLiteral("data"))));
    const QString path = QDir(dir).filePath(QStringLiteral("sendkeys.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", path.toLocal8Bit());
    QApplication app(argc, argv);
    SoundDevice::instance().setSoftEdges(true);

    record::Record record;
    record.open(temporary.filePath(QStringLiteral("record.sqlite")));
    SendPage page(nullptr, &record);
    page.setSeed(seed);
    page.show();
    page.activateWindow();
    waitFor([&page] { return page.keyArea->hasFocus(); }, 5000);
    if (!page.keyArea->hasFocus()) {
        std::fprintf(stderr, "the key area never had the focus (is there an X server?)\n");
        return 2;
    }
    // --shot PATH: the page as shown, to look at, and nothing keyed.
    if (!shot.isEmpty()) {
        waitFor([] { return false; }, 500);
        return page.grab().save(shot) ? 0 : 2;
    }
    // The sidetone's stream settles before the first press.
    waitFor([] { return SoundDevice::instance().sidetoneStats().callbacks > 100; }, 3000);

    // Where each edge the page got should sound: the frame its time maps to.
    platform::Sidetone probe;
    std::vector<std::int64_t> asked;
    QObject::connect(&page.session().key(), &KeyInput::keyed, &page,
                     [&](const KeyEdge &e) { asked.push_back(probe.frameOf(e.at)); });

    const QString prompt = page.prompt->text();
    SyntheticKeying::Options o;
    o.startWpm = o.endWpm = wpm;
    const std::vector<KeyEdge> edges = SyntheticKeying(seed).key(prompt, o, KeyTime{});
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), script(edges));
    if (!xdotool.waitForStarted()) {
        std::fprintf(stderr, "xdotool did not start\n");
        return 2;
    }
    waitFor([&xdotool] { return xdotool.state() == QProcess::NotRunning; }, 600000);
    waitFor([] { return false; }, 1500); // the last word's silence
    const QString decoded = page.decoded->text().simplified();
    const SoundDevice::Stats stats = SoundDevice::instance().sidetoneStats();
    SoundDevice::instance().shutdown();

    std::printf("prompted: %s\ndecoded:  %s\n", qPrintable(prompt), qPrintable(decoded));
    const std::vector<float> samples = stream::read(path);
    const marktiming::Channel left{samples.data(), std::int64_t(samples.size() / 2), 2};
    const std::vector<marktiming::Mark> marks =
        marktiming::measure(left, ToneWave::Samples(tgSine, 800, SoundDevice::Rate), 1 / 32768.0);
    std::printf("key edges: %zu, marks recorded: %zu\n", asked.size(), marks.size());
    const bool counted = 2 * marks.size() == asked.size() && !marks.empty();
    std::vector<double> off; // ms, each edge's recorded frame after the one asked for
    const double first = double(stats.firstFrame);
    for (std::size_t i = 0; counted && i < marks.size(); ++i) {
        off.push_back(std::abs(marks[i].start + first - double(asked[2 * i])));
        off.push_back(std::abs(marks[i].end + first - double(asked[2 * i + 1])));
    }
    for (double &v : off)
        v *= 1000.0 / SoundDevice::Rate;
    std::sort(off.begin(), off.end());
    const double median = off.empty() ? 0 : off[off.size() / 2];
    const double p95 = off.empty() ? 0 : off[off.size() * 95 / 100];
    const double worst = off.empty() ? 0 : off.back();
    if (counted)
        std::printf("sidetone edges off their key events' frames: median %.2f ms, 95 %% %.2f ms, "
                    "worst %.2f ms\n",
                    median, p95, worst);
    // An event a loaded machine delivers late sounds late: the worst is
    // reported, not judged.
    const bool ok = decoded == prompt && counted && median <= 1 && p95 <= 2;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
