// The practice window as a keyboard or screen-reader user meets it: every
// control named, labels tied to their fields, one underlined letter per
// control, a tab chain through everything, Escape to close (stopping a run),
// the main window's language, and pages added in one line.

#include "course/coursepage.h"
#include "course/coursesetup.h"
#include "course/practicewindow.h"
#include "course/resultview.h"
#include "fakes.h"
#include "tests/ajustesfalsos.h"
#include "tests/ambiente.h"
#include "translations/translations.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

using course::CoursePage;
using course::PracticePage;
using course::PracticeWindow;

class TstPracticeWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    AjustesFalsos main;
    FakePlayer player;
    FakeStore store;
    FakeExporter exporter;
    std::unique_ptr<PracticeWindow> window;
    CoursePage *page = nullptr;

    void Open(int language = 2, bool show = true)
    {
        window.reset();
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, "[General]\nIdioma=2\n");
        main.idioma = language;
        player.stops = 0;
        window = std::make_unique<PracticeWindow>(&main);
        page = new CoursePage(&main, &player, &store, &exporter);
        window->addPage(PracticePage::Course, page);
        if (show) {
            window->show();
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window.get()))
                qWarning("the window never became active");
        }
    }

private slots:
    void cleanup()
    {
        window.reset();
        Translations::apply(2);
    }

    void languages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("installed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lesson");
        QTest::newRow("Portuguese") << 0 << 0 << "Zirvano: prática"
                                    << "&Lição:";
        QTest::newRow("Spanish") << 1 << 1 << "Zirvano: práctica"
                                 << "&Lección:";
        QTest::newRow("English") << 2 << 2 << "Zirvano: practice"
                                 << "&Lesson:";
        QTest::newRow("out of range: Portuguese") << 7 << 0 << "Zirvano: prática"
                                                  << "&Lição:";
    }

    // In the main window's language, every control a user can reach has a
    // name a screen reader reads, and each underlined letter belongs to one
    // control only, a label's to its field.
    void languages()
    {
        QFETCH(int, language);
        QFETCH(int, installed);
        QFETCH(QString, title);
        QFETCH(QString, lesson);
        Open(language);
        QCOMPARE(Translations::current(), installed);
        QTRY_COMPARE(window->windowTitle(), title);
        QCOMPARE(page->setup->lessonLabel->text(), lesson);

        int controls = 0;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(window.get()) || w->focusPolicy() == Qt::NoFocus ||
                w->focusProxy() || w->parentWidget()->focusProxy() || qobject_cast<QTabBar *>(w))
                continue;
            ++controls;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(face && !face->text(QAccessible::Name).trimmed().isEmpty(),
                     w->metaObject()->className());
        }
        QVERIFY(controls >= 18);
        QMap<QString, QString> letters;
        QStringList texts{page->windowTitle()};
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (QKeySequence::mnemonic(label->text()).isEmpty())
                continue;
            QVERIFY2(label->buddy(), qPrintable(label->text()));
            texts << label->text();
        }
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QString &text : std::as_const(texts)) {
            const QString key = QKeySequence::mnemonic(text).toString();
            if (key.isEmpty())
                continue;
            QVERIFY2(!letters.contains(key), qPrintable(letters[key] + QLatin1String(", ") + text));
            letters.insert(key, text);
        }
        QCOMPARE(letters.size(), 18);
    }

    // From the first control, Tab visits every control that can be used and
    // comes back round.
    void tabChain()
    {
        Open();
        const course::CourseSetup *s = page->setup;
        const QList<QWidget *> expected{s->lessonBox,           s->orderEdit,
                                        s->orderApply,          s->orderDefault,
                                        s->charSpeed,           s->effectiveSpeed,
                                        s->groupSize,           s->duration,
                                        s->threshold,           page->startButton,
                                        page->results->summary, page->results->alignment,
                                        page->results->errors,  page->results->characters,
                                        window->closeButton,    s->lessonBox};
        s->lessonBox->setFocus();
        QList<QWidget *> visited{QApplication::focusWidget()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, expected);
    }

    // Escape closes the window whatever has the focus; a run playing stops.
    void escapeCloses()
    {
        Open(2, false);
        QTimer::singleShot(0, window.get(), [this] {
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            page->start();
            QTest::keyClick(page->copyEdit, Qt::Key_Escape);
        });
        QCOMPARE(window->openAt(PracticePage::Course), int(QDialog::Rejected));
        QVERIFY(!window->isVisible());
        QCOMPARE(player.stops, 1);
    }

    // A page is one call; the tabs show from two pages on and follow the
    // pages' titles; leaving the course for another page stops its run.
    void pages()
    {
        Open();
        QVERIFY(!window->tabs->tabBar()->isVisible());
        QVERIFY(!window->showPage(PracticePage::Send));
        auto *other = new QWidget;
        other->setWindowTitle(QStringLiteral("My &characters"));
        window->addPage(PracticePage::Characters, other);
        QVERIFY(window->tabs->tabBar()->isVisible());
        other->setWindowTitle(QStringLiteral("Other"));
        QCOMPARE(window->tabs->tabText(1), QStringLiteral("Other"));
        page->start();
        QVERIFY(window->showPage(PracticePage::Characters));
        QCOMPARE(player.stops, 1);
        Translations::apply(0);
        QTRY_COMPARE(window->tabs->tabText(0), QStringLiteral("Curso &Koch"));
    }

    // Resizable, and at its smallest small enough for a screen at 200 %.
    void resizable()
    {
        Open();
        QVERIFY(window->isSizeGripEnabled());
        const QSize least = window->minimumSizeHint();
        QVERIFY2(least.width() <= 960 && least.height() <= 540,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        window->resize(1400, 1000);
        QCOMPARE(window->size(), QSize(1400, 1000));
    }
};

QTEST_MAIN(TstPracticeWindow)
#include "tst_practicewindow.moc"
