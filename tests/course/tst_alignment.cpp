// The sent and the typed text lined up and scored: single faults cost only
// themselves, spaces between groups keep the groups in line, long texts line
// up as well in linear memory, and the pass rule is exact at its edges.

#include "course/alignment.h"
#include "course/resultview.h"
#include "course/runscore.h"

#include <QRandomGenerator>
#include <QTest>

using course::Alignment;
using course::ResultView;
using course::RunScore;
using Kind = Alignment::Kind;

namespace {

// The sent and the typed tokens read back from an alignment.
QStringList Side(const QList<Alignment::Step> &steps, bool sent)
{
    QStringList side;
    for (const Alignment::Step &s : steps)
        if (const QString &t = sent ? s.sent : s.typed; !t.isEmpty())
            side << t;
    return side;
}

QList<Alignment::Step> Steps(int right, int wrong, int skipped, int extra)
{
    QList<Alignment::Step> steps;
    for (int i = 0; i < right; ++i)
        steps << Alignment::Step{"K", "K", Kind::Right};
    for (int i = 0; i < wrong; ++i)
        steps << Alignment::Step{"K", "M", Kind::Wrong};
    for (int i = 0; i < skipped; ++i)
        steps << Alignment::Step{"K", "", Kind::Skipped};
    for (int i = 0; i < extra; ++i)
        steps << Alignment::Step{"", "M", Kind::Extra};
    return steps;
}

} // namespace

class TstAlignment : public QObject
{
    Q_OBJECT

private slots:
    // Rows as shown (sent, typed, marks; no marks without an error) and the
    // counts right, wrong, skipped, extra.
    void faults_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("all right, lower case")
            << "KMURE SNAPT"
            << " kmure \t snapt\n"
            << QStringList{"KMURE SNAPT", "KMURE SNAPT", ""} << QList<int>{10, 0, 0, 0};
        QTest::newRow("a skipped character")
            << "KMURE SNAPT"
            << "KMRE SNAPT" << QStringList{"KMURE SNAPT", "KM_RE SNAPT", "  ^        "}
            << QList<int>{9, 0, 1, 0};
        QTest::newRow("the last of a group skipped")
            << "ABCDE FGHIJ"
            << "ABCD FGHIJ" << QStringList{"ABCDE FGHIJ", "ABCD_ FGHIJ", "    ^      "}
            << QList<int>{9, 0, 1, 0};
        QTest::newRow("an extra character")
            << "KMURE"
            << "KMUXRE" << QStringList{"KMU_RE", "KMUXRE", "   ^  "} << QList<int>{5, 0, 0, 1};
        QTest::newRow("a substituted character")
            << "KMURE"
            << "KMARE" << QStringList{"KMURE", "KMARE", "  ^  "} << QList<int>{4, 1, 0, 0};
        QTest::newRow("nothing typed")
            << "KM UR"
            << "" << QStringList{"KM UR", "__ __", "^^ ^^"} << QList<int>{0, 0, 4, 0};
        QTest::newRow("space between groups missed")
            << "KMURE SNAPT"
            << "KMURESNAPT" << QStringList{"KMURE SNAPT", "KMURE SNAPT", ""}
            << QList<int>{10, 0, 0, 0};
        QTest::newRow("a group typed twice")
            << "KMU RES"
            << "KMU KMU RES" << QStringList{"___ KMU RES", "KMU KMU RES", "^^^        "}
            << QList<int>{6, 0, 0, 3};
        QTest::newRow("prosign taken for two letters")
            << "E<AR>T"
            << "EART" << QStringList{"E_<AR>T", "EAR   T", " ^^^^^ "} << QList<int>{2, 1, 0, 1};
        QTest::newRow("nothing sent")
            << ""
            << "KM" << QStringList{"__", "KM", "^^"} << QList<int>{0, 0, 0, 2};
    }

    void faults()
    {
        QFETCH(QString, sent);
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, counts);
        const QList<Alignment::Step> steps = Alignment::align(sent, typed);
        QCOMPARE(ResultView::rows(steps), QList<QStringList>{rows});
        const RunScore score(steps);
        QCOMPARE((QList<int>{score.right(), score.wrong(), score.skipped(), score.extra()}),
                 counts);
        QCOMPARE(score.sent(), score.right() + score.wrong() + score.skipped());
        QCOMPARE(Side(steps, true), Alignment::tokens(sent));
        QCOMPARE(Side(steps, false), Alignment::tokens(typed));
    }

    // Shown rows break after a group once the row is wide enough.
    void rowsWrap()
    {
        const QString sent = QStringLiteral("AAAAA BBBBB CCCCC DDDDD");
        const QList<QStringList> rows = ResultView::rows(Alignment::align(sent, sent), 11);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).at(0), QStringLiteral("AAAAA BBBBB"));
        QCOMPARE(rows.at(1).at(0), QStringLiteral("CCCCC DDDDD"));
    }

    // Random groups with faults put in at random: the split (Hirschberg)
    // finds an alignment as cheap as the full matrix, never dearer than the
    // faults put in, and both texts read back from it whole.
    void longTexts_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("faultPermille");
        QTest::addColumn<qint64>("cells");
        QTest::newRow("300 groups, few faults, split") << 300 << 20 << qint64(5000);
        QTest::newRow("300 groups, many faults, split") << 300 << 250 << qint64(5000);
        QTest::newRow("700 groups, past the default limit") << 700 << 30 << qint64(-1);
    }

    void longTexts()
    {
        QFETCH(int, groups);
        QFETCH(int, faultPermille);
        QFETCH(qint64, cells);
        QRandomGenerator random(2024);
        const QString letters = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X");
        QStringList sent, typed;
        int faultCost = 0;
        for (int g = 0; g < groups; ++g) {
            if (g > 0) {
                sent << QStringLiteral(" ");
                typed << QStringLiteral(" ");
            }
            for (int i = 0; i < 5; ++i) {
                const QString c = letters.at(random.bounded(int(letters.size())));
                sent << c;
                if (random.bounded(1000) >= faultPermille) {
                    typed << c;
                    continue;
                }
                faultCost += 2;
                switch (random.bounded(3)) {
                case 0:
                    break; // skipped
                case 1:
                    typed << c << QStringLiteral("Q"); // an extra after it
                    break;
                default:
                    typed << (c == QLatin1String("E") ? QStringLiteral("T") : QStringLiteral("E"));
                }
            }
        }
        const QList<Alignment::Step> steps =
            cells > 0 ? Alignment::align(sent, typed, cells) : Alignment::align(sent, typed);
        QCOMPARE(Side(steps, true), sent);
        QCOMPARE(Side(steps, false), typed);
        QVERIFY(Alignment::cost(steps) <= faultCost);
        for (const Alignment::Step &s : steps)
            QCOMPARE(s.kind == Kind::Right, s.sent == s.typed);
        if (cells > 0 && qint64(sent.size() + 1) * (typed.size() + 1) < 4'000'000)
            QCOMPARE(Alignment::cost(steps), Alignment::cost(Alignment::align(sent, typed)));
    }

    void perCharacter()
    {
        const RunScore score(Alignment::align(QStringLiteral("KMKM KU"), QStringLiteral("KMXM U")));
        const auto &chars = score.perCharacter();
        QCOMPARE(chars.keys(), (QStringList{"K", "M", "U"}));
        QCOMPARE(
            (QList<int>{chars["K"].sent, chars["K"].right, chars["M"].right, chars["U"].right}),
            (QList<int>{3, 1, 2, 1}));
        QCOMPARE(chars["K"].takenFor, (QMap<QString, int>{{"X", 1}, {"", 1}}));
        QCOMPARE(score.accuracy(), 4.0 / 6);

        const QDateTime when = QDateTime(QDate(2026, 1, 2), QTime(3, 4), Qt::UTC);
        QStringList got;
        for (const record::Answer &a : score.answers(when, 25, 12)) {
            QVERIFY(a.kind == record::Kind::Course && a.when == when && a.charWpm == 25 &&
                    a.effectiveWpm == 12 && a.answerMs == -1 && a.right == (a.sent == a.answered));
            got << a.sent + QLatin1Char('>') + a.answered;
        }
        QCOMPARE(got, (QStringList{"K>K", "M>M", "K>X", "M>M", "K>", "U>U"}));
    }

    // accuracy = right / (sent + extra), compared with the pass mark exactly.
    void passMark_data()
    {
        QTest::addColumn<QList<int>>("faults"); // right, wrong, skipped, extra
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("passes");
        QTest::newRow("79 % at 80") << QList<int>{79, 21, 0, 0} << 80 << false;
        QTest::newRow("80 % at 80") << QList<int>{80, 10, 10, 0} << 80 << true;
        QTest::newRow("89.9 % at 90") << QList<int>{899, 101, 0, 0} << 90 << false;
        QTest::newRow("90 % at 90") << QList<int>{9, 0, 1, 0} << 90 << true;
        QTest::newRow("95 % at 95") << QList<int>{95, 5, 0, 0} << 95 << true;
        QTest::newRow("an extra pulls below") << QList<int>{90, 10, 0, 1} << 90 << false;
        QTest::newRow("nothing sent") << QList<int>{0, 0, 0, 3} << 80 << false;
    }

    void passMark()
    {
        QFETCH(QList<int>, faults);
        QFETCH(int, threshold);
        QFETCH(bool, passes);
        const RunScore score(Steps(faults[0], faults[1], faults[2], faults[3]));
        QCOMPARE(score.reaches(threshold), passes);
    }
};

QTEST_GUILESS_MAIN(TstAlignment)
#include "tst_alignment.moc"
