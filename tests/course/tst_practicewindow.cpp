// The practice window as a keyboard or screen-reader user meets it: every
// control named, labels tied to their fields, one underlined letter per
// control, a tab chain through everything, Escape to close (stopping a run),
// the main window's language, and pages added in one line.

#include "course/coursepage.h"
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

    PracticeWindow *Open(int language = 2, bool show = true)
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
        return window.get();
    }

    // The controls a user can reach: visible widgets that take the focus.
    QList<QWidget *> Controls() const
    {
        QList<QWidget *> controls;
        for (QWidget *w : window->findChildren<QWidget *>())
            if (w->isVisibleTo(window.get()) && w->focusPolicy() != Qt::NoFocus &&
                !w->focusProxy() && !qobject_cast<QTabBar *>(w) && !w->parentWidget()->focusProxy())
                controls << w;
        return controls;
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
        QTest::newRow("Portuguese") << 0 << 0 << "Zirvano: prática";
        QTest::newRow("Spanish") << 1 << 1 << "Zirvano: práctica";
        QTest::newRow("English") << 2 << 2 << "Zirvano: practice";
        QTest::newRow("out of range: Portuguese") << 7 << 0 << "Zirvano: prática";
    }

    // Every control has a name a screen reader reads, in each language; each
    // underlined letter belongs to one control only.
    void languages()
    {
        QFETCH(int, language);
        QFETCH(int, installed);
        QFETCH(QString, title);
        Open(language);
        QCOMPARE(Translations::current(), installed);
        QTRY_COMPARE(window->windowTitle(), title);

        const QList<QWidget *> controls = Controls();
        QVERIFY(controls.size() >= 18);
        for (QWidget *w : controls) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
            QVERIFY(face);
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(),
                     w->metaObject()->className());
        }
        QMap<QString, QString> letters;
        auto letter = [&letters](const QString &text) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (key.isEmpty())
                return;
            const QString name = key.toString();
            QVERIFY2(!letters.contains(name),
                     qPrintable(QStringLiteral("%1: %2 and %3").arg(name, letters[name], text)));
            letters.insert(name, text);
        };
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (!QKeySequence::mnemonic(label->text()).isEmpty()) {
                QVERIFY2(label->buddy(), qPrintable(label->text()));
                letter(label->text());
            }
        }
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
            letter(button->text());
        letter(page->windowTitle());
        QCOMPARE(letters.size(), 18);
    }

    // From the first control, Tab visits every control that can be used and
    // comes back round.
    void tabChain()
    {
        Open();
        page->lessonBox->setFocus();
        const QList<QWidget *> expected{page->lessonBox,        page->orderEdit,
                                        page->orderApply,       page->orderDefault,
                                        page->charSpeed,        page->effectiveSpeed,
                                        page->groupSize,        page->duration,
                                        page->threshold,        page->startButton,
                                        page->results->summary, page->results->alignment,
                                        page->results->errors,  page->results->characters,
                                        window->closeButton,    page->lessonBox};
        QList<QWidget *> visited{QApplication::focusWidget()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, expected);
        for (QWidget *w : Controls())
            QVERIFY2(!w->isEnabled() || expected.contains(w), w->metaObject()->className());
    }

    // Escape closes the window whatever has the focus, and a run playing
    // stops with it.
    void escapeCloses()
    {
        Open(2, false);
        int result = -1;
        QTimer::singleShot(0, window.get(), [this] {
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            page->start();
            QCOMPARE(QApplication::focusWidget(), page->copyEdit);
            QTest::keyClick(page->copyEdit, Qt::Key_Escape);
        });
        result = window->openAt(PracticePage::Course);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!window->isVisible());
        QCOMPARE(player.stops, 1);
        QCOMPARE(page->state(), CoursePage::State::Idle);
    }

    // A page is one call; the tabs show only from two pages on, follow the
    // pages' titles, and leaving the course for another page stops its run.
    void pages()
    {
        Open();
        QVERIFY(!window->tabs->tabBar()->isVisible());
        QCOMPARE(window->page(PracticePage::Course), page);
        QVERIFY(!window->showPage(PracticePage::Send));

        auto *other = new QWidget;
        other->setWindowTitle(QStringLiteral("My &characters"));
        window->addPage(PracticePage::Characters, other);
        QVERIFY(window->tabs->tabBar()->isVisible());
        QCOMPARE(window->tabs->tabText(1), QStringLiteral("My &characters"));
        other->setWindowTitle(QStringLiteral("Other"));
        QCOMPARE(window->tabs->tabText(1), QStringLiteral("Other"));
        QCOMPARE(window->tabs->tabText(0), page->windowTitle());

        page->start();
        QVERIFY(window->showPage(PracticePage::Characters));
        QCOMPARE(window->tabs->currentWidget(), other);
        QCOMPARE(player.stops, 1);
        QCOMPARE(page->state(), CoursePage::State::Idle);
        Translations::apply(0);
        QTRY_COMPARE(window->tabs->tabText(0), QStringLiteral("Curso &Koch"));
    }

    // Resizable, and small enough at its smallest for a screen at 200 %.
    void resizable()
    {
        Open();
        QVERIFY(window->isSizeGripEnabled());
        QVERIFY(window->minimumSize().isEmpty() || window->minimumSize() != window->maximumSize());
        const QSize least = window->minimumSizeHint();
        QVERIFY2(least.width() <= 960 && least.height() <= 540,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        window->resize(least);
        QVERIFY(window->width() >= least.width());
        window->resize(1400, 1000);
        QCOMPARE(window->size(), QSize(1400, 1000));
    }
};

QTEST_MAIN(TstPracticeWindow)
#include "tst_practicewindow.moc"
