// The course's player on a virtual clock with no sound device: groups placed
// back to back a word space apart, pulled only as they are needed, the run as
// long as asked, finished() once with every group, stop() taking back what
// waits, silently; and its blocks, laid where it places them, the very
// samples the WAV export writes.

#include "course/keyedrunplayer.h"
#include "course/keyerexporter.h"
#include "course/runkeyer.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using course::RunKeyer;
using course::RunSpec;

namespace {

constexpr std::int64_t PerMs = platform::KeyingSequence::Rate / 1000;

RunSpec Spec(double c, double s, std::int64_t ms = 10'000)
{
    RunSpec spec;
    spec.charWpm = c;
    spec.effectiveWpm = s;
    spec.durationMs = ms;
    return spec;
}

struct Placed
{
    std::int64_t frame;
    std::int64_t frames;
};

} // namespace

Q_DECLARE_METATYPE(course::RunSpec)

class TstKeyedRunPlayer : public QObject
{
    Q_OBJECT

    std::unique_ptr<platform::VirtualClock> clock;
    std::vector<Placed> placed;
    int withdrawn = 0;

    // Groups of one to four characters, in turn.
    static course::RunPlayer::NextGroup Source(QStringList *pulled, int dryAfter = -1)
    {
        return [pulled, dryAfter] {
            static const QString Letters = QStringLiteral("KMURES5/?=");
            if (pulled->size() == dryAfter)
                return QString();
            const int n = int(pulled->size());
            const QString g = n % 4 == 3 ? QStringLiteral("<AR>") : Letters.mid(n % 7, n % 4 + 1);
            *pulled << g;
            return g;
        };
    }

private slots:
    void initTestCase() { qputenv("SDL_AUDIODRIVER", "zirvano-none"); }
    void init()
    {
        clock = std::make_unique<platform::VirtualClock>();
        placed.clear();
        withdrawn = 0;
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind == platform::SoundCall::Kind::Play)
                placed.push_back({c.frame, c.frames});
            else if (c.kind == platform::SoundCall::Kind::Withdraw)
                ++withdrawn;
        });
    }
    void cleanup()
    {
        platform::setSoundObserver({});
        clock.reset();
    }

    void blocksAreTheExportsSamples_data()
    {
        QTest::addColumn<RunSpec>("spec");
        QTest::addColumn<QString>("text");
        RunSpec raw = Spec(25, 4);
        raw.softEdges = false;
        raw.waveform = tgSquare;
        RunSpec extra = Spec(30, 30);
        extra.extraWordGapSeconds = 0.7;
        extra.hertz = 523;
        QTest::newRow("20/5 soft sine") << Spec(20, 5) << "KMUR EE5 <AR> ?/KM";
        QTest::newRow("25/4 raw square") << raw << "PARIS PARIS M";
        QTest::newRow("30/30 extra gap") << extra << "K M U R E S";
        QTest::newRow("40/15") << Spec(40, 15) << "0123456789 .,?/=+-";
        // Enough groups for the Farnsworth gaps' fractions of a frame to
        // round every way.
        QString many;
        for (int i = 0; i < 60; ++i)
            many += QStringLiteral("KMURESNAPTLWI").mid(i % 9, 1 + i % 5) + QLatin1Char(' ');
        QTest::newRow("60 groups at 20/5") << Spec(20, 5) << many.trimmed();
    }
    void blocksAreTheExportsSamples()
    {
        QFETCH(RunSpec, spec);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("run.wav"));
        QString error;
        QVERIFY(course::KeyerExporter().exportWav(file, text, spec, error));
        QFile wav(file);
        QVERIFY(wav.open(QIODevice::ReadOnly));
        const QByteArray bytes = wav.readAll().mid(44);
        const auto *exported = reinterpret_cast<const std::int16_t *>(bytes.constData());

        RunKeyer keyer(spec);
        const double wordGap = RunKeyer::renderer(spec).timing().wordGapSeconds() * 96000;
        std::int64_t end = -1; // the previous group's nominal end, in the file
        for (const QString &group : text.split(QLatin1Char(' '))) {
            const std::optional<RunKeyer::Group> g = keyer.add(group);
            QVERIFY(g);
            QVERIFY2(std::abs(double(g->gap) - wordGap) <= 1, qPrintable(group));
            const std::int64_t start = end < 0 ? g->block.start : end + g->gap;
            const std::int64_t first = start - g->block.start;
            QVERIFY(first + qsizetype(g->block.samples.size()) <= bytes.size() / 2);
            const auto *from = exported + first;
            QVERIFY2(std::equal(g->block.samples.begin(), g->block.samples.end(), from,
                                [](float a, std::int16_t b) { return a * 32768.0f == float(b); }),
                     qPrintable(group));
            end = start + g->block.length;
        }
        QCOMPARE(end + keyer.tail(), bytes.size() / 2);
        QVERIFY(!keyer.add(QStringLiteral("K#")));
        QVERIFY(!keyer.add(QStringLiteral("  ")));
    }

    void playsTheRunBackToBack_data()
    {
        QTest::addColumn<RunSpec>("spec");
        QTest::addColumn<int>("dryAfter");
        QTest::newRow("20/10, 20 s") << Spec(20, 10, 20'000) << -1;
        QTest::newRow("40/40, 5 s") << Spec(40, 40, 5'000) << -1;
        QTest::newRow("15/4, one group fills it") << Spec(15, 4, 500) << -1;
        QTest::newRow("source dry after 3") << Spec(25, 12) << 3;
        QTest::newRow("source dry at once") << Spec(25, 12) << 0;
        QTest::newRow("no time") << Spec(25, 12, 0) << -1;
    }
    void playsTheRunBackToBack()
    {
        QFETCH(RunSpec, spec);
        QFETCH(int, dryAfter);
        course::KeyedRunPlayer player;
        platform::KeyingSequence &s = player.sequence();
        QSignalSpy done(&player, &course::RunPlayer::finished);
        std::int64_t heardAt = -1;
        connect(&player, &course::RunPlayer::finished, this, [&] { heardAt = s.position(); });
        QStringList pulled;
        QList<int> begunAtPull; // groups begun when each was pulled
        const auto source = Source(&pulled, dryAfter);
        player.start(spec, [&] {
            begunAtPull << int(std::count_if(placed.begin(), placed.end(), [&](const Placed &p) {
                return p.frame <= s.position();
            }));
            return source();
        });
        while (done.isEmpty() && s.waitUntil(s.position() + 500 * PerMs)) {
        }
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0][0].toStringList(), pulled);
        QCOMPARE(placed.size(), std::size_t(pulled.size()));

        // Where the keyer puts each group, one after another.
        RunKeyer keyer(spec);
        std::int64_t before = 0;
        for (int k = 0; k < pulled.size(); ++k) {
            before = keyer.length();
            const std::optional<RunKeyer::Group> g = keyer.add(pulled[k]);
            QVERIFY(g);
            QCOMPARE(placed[std::size_t(k)].frames, g->block.length);
            if (k > 0)
                QCOMPARE(placed[std::size_t(k)].frame, placed[std::size_t(k) - 1].frame +
                                                           placed[std::size_t(k) - 1].frames +
                                                           g->gap);
            QCOMPARE(begunAtPull[k], std::max(0, k - 1));
        }
        if (dryAfter < 0 && !pulled.isEmpty()) {
            QVERIFY(before < spec.durationMs * PerMs);
            QVERIFY(keyer.length() >= spec.durationMs * PerMs);
        }
        if (!placed.empty())
            QCOMPARE(heardAt, placed.back().frame + placed.back().frames + keyer.tail());
        QVERIFY(!player.playing());
        QCOMPARE(begunAtPull.size(), pulled.size() + (dryAfter >= 0 ? 1 : 0));
    }

    void stopTakesBackWhatWaits()
    {
        course::KeyedRunPlayer player;
        platform::KeyingSequence &s = player.sequence();
        QSignalSpy done(&player, &course::RunPlayer::finished);
        QStringList pulled;
        player.start(Spec(20, 8, 60'000), Source(&pulled));
        QVERIFY(s.waitUntil(placed.at(1).frame + 10));
        const int pulledThen = int(pulled.size());
        const std::size_t placedThen = placed.size();
        player.stop();
        QVERIFY(!player.playing());
        QCOMPARE(withdrawn, int(placedThen) - 2);
        // The group sounding plays out, and nothing after it.
        QCOMPARE(s.end(), placed[1].frame + placed[1].frames);
        QVERIFY(s.waitUntil(s.position() + 60'000 * PerMs));
        QCOMPARE(pulled.size(), pulledThen);
        QCOMPARE(placed.size(), placedThen);
        QCOMPARE(done.size(), 0);
        // A new run starts a word space after what sounded.
        player.start(Spec(20, 8, 1'000), Source(&pulled));
        while (done.isEmpty() && s.waitUntil(s.position() + 500 * PerMs)) {
        }
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0][0].toStringList(), pulled.mid(pulledThen));
    }
};

QTEST_GUILESS_MAIN(TstKeyedRunPlayer)
#include "tst_keyedrunplayer.moc"
