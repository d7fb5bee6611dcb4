// The program's practice window holds the Send page, and the way in that
// zirvano --send takes shows it.

#include "app/janelas.h"
#include "app/tfmorse.h"
#include "course/practicewindow.h"
#include "sendpage/sendpage.h"
#include "tests/ambiente.h"

#include <QTabWidget>
#include <QTest>

class TstSendEntry : public QObject
{
    Q_OBJECT

private slots:
    void practiceWindowOpensAtSend()
    {
        qputenv("SDL_AUDIODRIVER", "zirvano-none");
        QTemporaryDir folder;
        ambiente::Configura(folder, "[General]\nIdioma=2\n");
        const Janelas janelas;
        auto *window = qobject_cast<course::PracticeWindow *>(fPratica);
        QVERIFY(window);
        QWidget *send = window->page(course::PracticePage::Send);
        QVERIFY(qobject_cast<sending::SendPage *>(send));
        QVERIFY(window->showPage(course::PracticePage::Send));
        QCOMPARE(window->tabs->currentWidget(), send);
        QVERIFY(window->showPage(course::PracticePage::Course));
        QVERIFY(window->tabs->currentWidget() != send);
    }
};

QTEST_MAIN(TstSendEntry)
#include "tst_sendentry.moc"
