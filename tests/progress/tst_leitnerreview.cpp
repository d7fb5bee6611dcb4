#include "answers.h"
#include "progress/leitnerreview.h"

#include <QtTest>

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
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("reviewed");
        QTest::newRow("90 % of 10: up") << 1 << 10 << 9 << 2 << true;
        QTest::newRow("all of 50: up") << 3 << 50 << 50 << 4 << true;
        QTest::newRow("top box stays") << 5 << 10 << 10 << 5 << true;
        QTest::newRow("just below 90 %: stays") << 3 << 49 << 44 << 3 << true;
        QTest::newRow("70 %: stays") << 4 << 10 << 7 << 4 << true;
        QTest::newRow("below 70 %: back to the first") << 4 << 10 << 6 << 1 << true;
        QTest::newRow("from the top back to the first") << 5 << 49 << 34 << 1 << true;
        QTest::newRow("9 answers all right: untouched") << 2 << 9 << 9 << 2 << false;
        QTest::newRow("9 answers all wrong: untouched") << 4 << 9 << 0 << 4 << false;
    }
    void moves()
    {
        QFETCH(int, box);
        QFETCH(int, answers);
        QFETCH(int, right);
        QFETCH(int, after);
        QFETCH(bool, reviewed);
        LeitnerReview review;
        const QDate before = Day.addDays(-20);
        review.setEntry(QStringLiteral("K"), {box, before});
        answers::Maker make;
        QList<record::Answer> run = make.many(QStringLiteral("k"), answers, right);
        make.kind = record::Kind::Sending; // keyed, not copied: no part of the review
        run += make.many(QStringLiteral("K"), 20, 0);
        review.applyRun(run, Day);
        QCOMPARE(review.box(QStringLiteral("K")), after);
        QCOMPARE(review.entry(QStringLiteral("K")).lastReview, reviewed ? Day : before);
    }

    void whatIsDue_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<bool>("due");
        QTest::newRow("box 1, today") << 1 << 0 << false;
        QTest::newRow("box 1, yesterday") << 1 << 1 << true;
        QTest::newRow("box 2, a day ago") << 2 << 1 << false;
        QTest::newRow("box 2, two days ago") << 2 << 2 << true;
        QTest::newRow("box 3, three days ago") << 3 << 3 << false;
        QTest::newRow("box 3, four days ago") << 3 << 4 << true;
        QTest::newRow("box 4, seven days ago") << 4 << 7 << false;
        QTest::newRow("box 4, eight days ago") << 4 << 8 << true;
        QTest::newRow("box 5, fifteen days ago") << 5 << 15 << false;
        QTest::newRow("box 5, sixteen days ago") << 5 << 16 << true;
    }
    void whatIsDue()
    {
        QFETCH(int, box);
        QFETCH(int, daysAgo);
        QFETCH(bool, due);
        LeitnerReview review;
        review.setEntry(QStringLiteral("M"), {box, Day.addDays(-daysAgo)});
        QCOMPARE(review.isDue(QStringLiteral("M"), Day), due);
        QCOMPARE(review.due({QStringLiteral("K"), QStringLiteral("M")}, Day),
                 due ? QStringList({QStringLiteral("K"), QStringLiteral("M")})
                     : QStringList{QStringLiteral("K")}); // K never reviewed: due
    }

    void aReviewDatedAfterTodayIsDue()
    {
        LeitnerReview review;
        review.setEntry(QStringLiteral("K"), {5, Day.addDays(1)});
        review.setEntry(QStringLiteral("M"), {2, QDate(9999, 1, 1)});
        review.setEntry(QStringLiteral("U"), {5, Day});
        QCOMPARE(review.due({QStringLiteral("K"), QStringLiteral("M"), QStringLiteral("U")}, Day),
                 (QStringList{QStringLiteral("K"), QStringLiteral("M")}));
        QCOMPARE(review.dueDate(QStringLiteral("U"), Day), Day.addDays(16));
    }

    void aReviewedCharacterComesBackLater()
    {
        LeitnerReview review;
        answers::Maker make;
        review.applyRun(make.many(QStringLiteral("R"), 10, 10), Day);
        QCOMPARE(review.box(QStringLiteral("R")), 2);
        QCOMPARE(review.dueDate(QStringLiteral("R"), Day), Day.addDays(2));
        QVERIFY(!review.isDue(QStringLiteral("R"), Day.addDays(1)));
        review.applyRun(make.many(QStringLiteral("R"), 10, 10), Day.addDays(2));
        QCOMPARE(review.dueDate(QStringLiteral("R"), Day.addDays(2)), Day.addDays(6));
        review.applyRun(make.many(QStringLiteral("R"), 10, 5), Day.addDays(6));
        QCOMPARE(review.dueDate(QStringLiteral("R"), Day.addDays(6)), Day.addDays(7));
    }

    void roundTrip()
    {
        LeitnerReview review;
        review.setEntry(QStringLiteral("K"), {3, Day});
        review.setEntry(QStringLiteral("<AR>"), {5, Day.addDays(-4)});
        review.setEntry(QStringLiteral(","), {1, QDate()});
        review.setEntry(QStringLiteral("\""), {2, Day});
        QCOMPARE(LeitnerReview::fromString(review.toString()), review);
        QCOMPARE(LeitnerReview::fromVariantMap(review.toVariantMap()), review);
        QCOMPARE(review.toVariantMap().value(QStringLiteral("K")).toString(),
                 QStringLiteral("3 2024-03-09"));
        QVERIFY(!(LeitnerReview::fromString(QStringLiteral("{}")) == review));
    }

    void damagedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("box");
        QTest::addColumn<QDate>("last");
        QTest::newRow("sound") << QStringLiteral("{\"K\":\"4 2024-03-01\"}") << 4
                               << QDate(2024, 3, 1);
        QTest::newRow("box too high")
            << QStringLiteral("{\"K\":\"6 2024-03-01\"}") << 1 << QDate(2024, 3, 1);
        QTest::newRow("box zero") << QStringLiteral("{\"K\":\"0 2024-03-01\"}") << 1
                                  << QDate(2024, 3, 1);
        QTest::newRow("box not a number")
            << QStringLiteral("{\"K\":\"x 2024-03-01\"}") << 1 << QDate(2024, 3, 1);
        QTest::newRow("date damaged") << QStringLiteral("{\"K\":\"3 2024-13-45\"}") << 3 << QDate();
        QTest::newRow("number, not text") << QStringLiteral("{\"K\":2}") << 2 << QDate();
        QTest::newRow("nested") << QStringLiteral("{\"K\":{\"a\":1}}") << 1 << QDate();
        QTest::newRow("not JSON") << QStringLiteral("K=4;M=2") << 1 << QDate();
        QTest::newRow("an array") << QStringLiteral("[\"K\",\"4 2024-03-01\"]") << 1 << QDate();
        QTest::newRow("cut short") << QStringLiteral("{\"K\":\"4 2024-03-01") << 1 << QDate();
    }
    void damagedValues()
    {
        QFETCH(QString, text);
        QFETCH(int, box);
        QFETCH(QDate, last);
        const LeitnerReview review = LeitnerReview::fromString(text);
        QCOMPARE(review.box(QStringLiteral("K")), box);
        QCOMPARE(review.entry(QStringLiteral("K")).lastReview, last);
        if (!last.isValid())
            QVERIFY(review.isDue(QStringLiteral("K"), Day));
    }
};

int RunLeitnerReviewTests(int argc, char **argv)
{
    TstLeitnerReview t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_leitnerreview.moc"
