#include "answers.h"
#include "progress/leitnerreview.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using progress::LeitnerReview;

namespace {

const QDate Day(2024, 3, 9);

} // namespace

class TstLeitnerReview : public QObject
{
    Q_OBJECT

private slots:
    void moves_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("after"); // 0: not reviewed, left as it was
        QTest::newRow("90 % of 10: up") << 1 << 10 << 9 << 2;
        QTest::newRow("top box stays") << 5 << 10 << 10 << 5;
        QTest::newRow("44 of 49: stays") << 3 << 49 << 44 << 3;
        QTest::newRow("70 %: stays") << 4 << 10 << 7 << 4;
        QTest::newRow("below 70 %: back to the first") << 5 << 10 << 6 << 1;
        QTest::newRow("9 answers all right") << 2 << 9 << 9 << 0;
        QTest::newRow("9 answers all wrong") << 4 << 9 << 0 << 0;
    }
    void moves()
    {
        QFETCH(int, box);
        QFETCH(int, answers);
        QFETCH(int, right);
        QFETCH(int, after);
        LeitnerReview review;
        const QDate before = Day.addDays(-20);
        review.setEntry(u"K"_s, {box, before});
        answers::Maker make;
        QList<record::Answer> run = make.many(u"k"_s, answers, right);
        make.kind = record::Kind::Sending; // keyed, not copied: no part of it
        run += make.many(u"K"_s, 20, 0);
        review.applyRun(run, Day);
        QCOMPARE(review.box(u"K"_s), after ? after : box);
        QCOMPARE(review.entry(u"K"_s).lastReview, after ? Day : before);
    }

    void whatIsDue()
    {
        // Due once the box's 1, 2, 4, 8 or 16 days have passed.
        for (int box = 1; box <= LeitnerReview::Boxes; ++box) {
            const int interval = 1 << (box - 1);
            for (const int daysAgo : {interval - 1, interval}) {
                LeitnerReview review;
                review.setEntry(u"M"_s, {box, Day.addDays(-daysAgo)});
                const bool due = daysAgo == interval;
                QCOMPARE(review.due({u"K"_s, u"M"_s}, Day),
                         due ? QStringList({u"K"_s, u"M"_s}) : QStringList{u"K"_s});
            }
        }
        // Reviewed "after today" (damage, or a clock set back) is due, not held back.
        LeitnerReview review;
        review.setEntry(u"K"_s, {5, Day.addDays(1)});
        review.setEntry(u"M"_s, {2, QDate(9999, 1, 1)});
        QCOMPARE(review.due({u"K"_s, u"M"_s}, Day), QStringList({u"K"_s, u"M"_s}));
        answers::Maker make;
        review.applyRun(make.many(u"K"_s, 10, 10), Day);
        QCOMPARE(review.dueDate(u"K"_s, Day), Day.addDays(16));
    }

    void roundTrip()
    {
        LeitnerReview review;
        review.setEntry(u"K"_s, {3, Day});
        review.setEntry(u"<AR>"_s, {5, Day.addDays(-4)});
        review.setEntry(u","_s, {1, QDate()});
        review.setEntry(u"\""_s, {2, Day});
        QCOMPARE(LeitnerReview::fromString(review.toString()), review);
        QCOMPARE(LeitnerReview::fromVariantMap(review.toVariantMap()), review);
        QCOMPARE(review.toVariantMap().value(u"K"_s).toString(), u"3 2024-03-09"_s);
    }

    void damagedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("box");
        QTest::addColumn<QDate>("last");
        QTest::newRow("sound") << u"{\"K\":\"4 2024-03-01\"}"_s << 4 << QDate(2024, 3, 1);
        QTest::newRow("box too high") << u"{\"K\":\"6 2024-03-01\"}"_s << 1 << QDate(2024, 3, 1);
        QTest::newRow("box no number") << u"{\"K\":\"x 2024-03-01\"}"_s << 1 << QDate(2024, 3, 1);
        QTest::newRow("date damaged") << u"{\"K\":\"3 2024-13-45\"}"_s << 3 << QDate();
        QTest::newRow("nested") << u"{\"K\":{\"a\":1}}"_s << 1 << QDate();
        QTest::newRow("not JSON") << u"K=4;M=2"_s << 1 << QDate();
        QTest::newRow("cut short") << u"{\"K\":\"4 2024-03-01"_s << 1 << QDate();
    }
    void damagedValues()
    {
        QFETCH(QString, text);
        QFETCH(int, box);
        QFETCH(QDate, last);
        const LeitnerReview review = LeitnerReview::fromString(text);
        QCOMPARE(review.box(u"K"_s), box);
        QCOMPARE(review.entry(u"K"_s).lastReview, last);
        if (!last.isValid())
            QVERIFY(review.isDue(u"K"_s, Day));
    }
};

int RunLeitnerReviewTests(int argc, char **argv)
{
    TstLeitnerReview t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_leitnerreview.moc"
