// The course's choices and progress in the settings file: a round trip,
// missing or damaged values taken as their defaults, and the lesson-opening
// rule.

#include "course/coursesettings.h"
#include "course/groupgenerator.h"
#include "platform/settingsstore.h"
#include "tests/ambiente.h"

#include <QTest>
#include <memory>

using course::CourseSettings;
using course::KochOrder;

namespace {

int Field(const CourseSettings &s, const QString &name)
{
    const QMap<QString, int> fields{{"lesson", s.lesson},
                                    {"lessonOpen", s.lessonOpen},
                                    {"charWpm", s.charWpm},
                                    {"effectiveWpm", s.effectiveWpm},
                                    {"groupSize", s.groupSize},
                                    {"minutes", s.minutes},
                                    {"threshold", s.threshold},
                                    {"runs3", s.runs.value(3)},
                                    {"orderDefault", s.order.isDefault() ? 1 : 0}};
    return fields.value(name, -999);
}

} // namespace

class TstCourseSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;

    void Write(const QByteArray &body)
    {
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, body);
    }

private slots:
    // Everything back as saved, the language beside it untouched.
    void roundTrip()
    {
        Write("[General]\nIdioma=2\n");
        CourseSettings s;
        s.setOrder(KochOrder::parse(QStringLiteral("E T <AR> 5 Ç")));
        s.lesson = 3;
        s.lessonOpen = 4;
        s.charWpm = 32;
        s.effectiveWpm = 32;
        s.groupSize = course::GroupGenerator::Mixed;
        s.minutes = 5;
        s.threshold = 95;
        s.runs = {{1, 4}, {3, 1}};
        s.save();
        const CourseSettings back = CourseSettings::load();
        QCOMPARE(back.order.characters(), s.order.characters());
        QCOMPARE((QList<int>{back.lesson, back.lessonOpen, back.charWpm, back.effectiveWpm,
                             back.groupSize, back.minutes, back.threshold}),
                 (QList<int>{3, 4, 32, 32, 0, 5, 95}));
        QCOMPARE(back.runs, s.runs);
        QVERIFY(ambiente::LeArquivo().contains("Idioma=2"));
        // Back to the standard order.
        s.setOrder(KochOrder());
        s.save();
        QVERIFY(CourseSettings::load().order.isDefault());
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::newRow("nothing stored") << QByteArray() << "charWpm" << 20;
        QTest::newRow("speed a word") << QByteArray("CursoVelocidade=abc") << "charWpm" << 20;
        QTest::newRow("speed 14") << QByteArray("CursoVelocidade=14") << "charWpm" << 20;
        QTest::newRow("effective 3") << QByteArray("CursoEfetiva=3") << "effectiveWpm" << 10;
        QTest::newRow("effective above the characters")
            << QByteArray("CursoVelocidade=18\nCursoEfetiva=19") << "effectiveWpm" << 10;
        QTest::newRow("group 11") << QByteArray("CursoGrupo=11") << "groupSize" << 5;
        QTest::newRow("minutes 3") << QByteArray("CursoMinutos=3") << "minutes" << 2;
        QTest::newRow("pass mark 79") << QByteArray("CursoLimiar=79") << "threshold" << 90;
        QTest::newRow("pass mark 96") << QByteArray("CursoLimiar=96") << "threshold" << 90;
        QTest::newRow("lesson 41") << QByteArray("CursoLicao=41") << "lesson" << 1;
        QTest::newRow("lesson past a short order")
            << QByteArray("CursoOrdem=2\nCursoOrdem1=4\nCursoOrdem2=19\nCursoLicao=5") << "lesson"
            << 1;
        QTest::newRow("order with a repeat")
            << QByteArray("CursoOrdem=3\nCursoOrdem1=0\nCursoOrdem2=0\nCursoOrdem3=1")
            << "orderDefault" << 1;
        QTest::newRow("order of two")
            << QByteArray("CursoOrdem=2\nCursoOrdem1=0\nCursoOrdem2=1") << "orderDefault" << 0;
    }

    void damaged()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QString, field);
        QFETCH(int, value);
        Write("[General]\nIdioma=1\n" + lines + "\n");
        const CourseSettings s = CourseSettings::load();
        QCOMPARE(Field(s, field), value);
    }

    void unsaved()
    {
        Write(QByteArray());
        QDir().mkpath(ambiente::ArquivoIdioma());
        CourseSettings s;
        QVERIFY_THROWS_EXCEPTION(platform::SettingsError, s.save());
    }

    void opening_data()
    {
        QTest::addColumn<int>("open");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("openAfter");
        QTest::newRow("first lesson passed") << 1 << 1 << true << true << 2;
        QTest::newRow("first lesson failed") << 1 << 1 << false << false << 1;
        QTest::newRow("an earlier lesson passed") << 5 << 3 << true << false << 5;
        QTest::newRow("a later lesson passed") << 5 << 7 << true << true << 8;
        QTest::newRow("the last lesson passed") << 40 << 40 << true << false << 40;
    }

    void opening()
    {
        QFETCH(int, open);
        QFETCH(int, lesson);
        QFETCH(bool, passed);
        QFETCH(bool, opened);
        QFETCH(int, openAfter);
        CourseSettings s;
        s.lessonOpen = open;
        QCOMPARE(s.recordRun(lesson, passed), opened);
        QCOMPARE(s.lessonOpen, openAfter);
        QCOMPARE(s.runs.value(lesson), 1);
    }
};

QTEST_GUILESS_MAIN(TstCourseSettings)
#include "tst_coursesettings.moc"
