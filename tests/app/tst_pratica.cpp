// The way from the main window to the practice window: a small button in the
// strip beside the about button, a context-menu item and Ctrl+K, in the
// window's language and named for a screen reader; opening it stops a lesson.

#include "app/errorguard.h"
#include "app/tfmorse.h"
#include "controls/tlinklabel.h"
#include "tests/ambiente.h"
#include "translations/translations.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

class TstPratica : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<TfMorse> f;

    void Abre(int idioma)
    {
        f.reset();
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, "[General]\nIdioma=" + QByteArray::number(idioma) + "\n");
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        f->Timer1->stop();
        f->show();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f.get()))
            qWarning("main window not active");
    }

private slots:
    void cleanup()
    {
        fPratica = nullptr;
        fMorse = nullptr;
        f.reset();
    }

    void textos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("dica");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Portuguese") << 0 << "Janela de prática: o curso Koch (Ctrl+K)"
                                    << "&Janela de prática…";
        QTest::newRow("Spanish") << 1 << "Ventana de práctica: el curso Koch (Ctrl+K)"
                                 << "&Ventana de práctica…";
        QTest::newRow("English") << 2 << "Practice window: the Koch course (Ctrl+K)"
                                 << "&Practice window…";
    }

    void textos()
    {
        QFETCH(int, idioma);
        QFETCH(QString, dica);
        QFETCH(QString, menu);
        Abre(idioma);
        // In the empty strip, left of the about button and drawn like it.
        QCOMPARE(f->SBtn_Pratica->geometry(), QRect(477, 2, 25, 25));
        QVERIFY(!f->SBtn_Pratica->geometry().intersects(f->STextEMail->geometry()));
        QVERIFY(f->SBtn_Pratica->autoRaise() && !f->SBtn_Pratica->icon().isNull());
        QCOMPARE(f->SBtn_Pratica->statusTip(), dica);
        QVERIFY(dica.startsWith(f->SBtn_Pratica->accessibleName()));
        QCOMPARE(f->Acao_Pratica->text(), menu);
        QCOMPARE(f->Menu_Contexto->actions().value(0), f->Acao_Bordas);
        QVERIFY(f->Menu_Contexto->actions().contains(f->Acao_Pratica));
        QTest::mouseMove(f->SBtn_Pratica);
        QTRY_COMPARE(f->StatusPanel[0]->text(), QStringLiteral("   ") + dica);
        // The language button turns these texts too.
        ambiente::ResponderIdioma((idioma + 1) % 3);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);
        QCOMPARE(Translations::current(), (idioma + 1) % 3);
        QVERIFY(f->SBtn_Pratica->statusTip() != dica);
    }

    void abre_data()
    {
        QTest::addColumn<int>("caminho");
        QTest::newRow("button") << 0;
        QTest::newRow("Ctrl+K") << 1;
        QTest::newRow("context menu item") << 2;
    }

    // Each way opens the practice window modally, a stand-in here that
    // closes itself; a lesson playing stops first. Ctrl+K is this action's
    // alone. Without a practice window nothing happens.
    void abre()
    {
        QFETCH(int, caminho);
        Abre(2);
        for (const QAction *a : f->findChildren<QAction *>())
            QVERIFY(a == f->Acao_Pratica || a->shortcut() != f->Acao_Pratica->shortcut());
        QDialog pratica(f.get());
        int aberturas = 0;
        connect(&pratica, &QDialog::finished, this, [&aberturas] { ++aberturas; });
        for (QDialog *janela : {static_cast<QDialog *>(nullptr), &pratica}) {
            fPratica = janela;
            if (janela)
                QTimer::singleShot(0, &pratica, [&pratica] {
                    QTRY_VERIFY(QApplication::activeModalWidget() == &pratica);
                    pratica.reject();
                });
            Parar = 0;
            if (caminho == 0)
                QTest::mouseClick(f->SBtn_Pratica, Qt::LeftButton);
            else if (caminho == 1)
                QTest::keyClick(f.get(), Qt::Key_K, Qt::ControlModifier);
            else
                f->Acao_Pratica->trigger();
            QCOMPARE(aberturas, janela ? 1 : 0);
            QCOMPARE(Parar, janela ? 1 : 0);
        }
    }
};

QTEST_MAIN(TstPratica)
#include "tst_pratica.moc"
