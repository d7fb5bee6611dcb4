// The way from the main window to the practice window: a small button in the
// strip beside the about button, a context-menu item and Ctrl+K, each in the
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
    std::unique_ptr<QDialog> pratica;
    int aberturas = 0;

    TfMorse *Abre(int idioma)
    {
        f.reset();
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, "[General]\nIdioma=" + QByteArray::number(idioma) + "\n");
        LimpaUltimoErro();
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        f->Timer1->stop();
        f->show();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f.get()))
            qWarning("main window not active");
        return f.get();
    }

    // A stand-in for the practice window that closes itself once it is up,
    // modally, and counts how often it came.
    void Espera()
    {
        pratica = std::make_unique<QDialog>(f.get());
        fPratica = pratica.get();
        aberturas = 0;
        connect(pratica.get(), &QDialog::finished, this, [this] { ++aberturas; });
        QTimer::singleShot(0, pratica.get(), [this] {
            QTRY_VERIFY(pratica->isVisible());
            QVERIFY(pratica->isModal() || QApplication::activeModalWidget() == pratica.get());
            pratica->reject();
        });
    }

private slots:
    void cleanup()
    {
        fPratica = nullptr;
        pratica.reset();
        fMorse = nullptr;
        f.reset();
    }

    void botao_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("dica");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Portuguese") << 0 << "Janela de prática: o curso Koch (Ctrl+K)"
                                    << "Janela de prática"
                                    << "&Janela de prática…";
        QTest::newRow("Spanish") << 1 << "Ventana de práctica: el curso Koch (Ctrl+K)"
                                 << "Ventana de práctica"
                                 << "&Ventana de práctica…";
        QTest::newRow("English") << 2 << "Practice window: the Koch course (Ctrl+K)"
                                 << "Practice window"
                                 << "&Practice window…";
    }

    void botao()
    {
        QFETCH(int, idioma);
        QFETCH(QString, dica);
        QFETCH(QString, nome);
        QFETCH(QString, menu);
        Abre(idioma);
        // In the strip, left of the about button, drawn like it.
        QCOMPARE(f->SBtn_Pratica->geometry(), QRect(477, 2, 25, 25));
        QVERIFY(!f->SBtn_Pratica->geometry().intersects(f->SBtn_Sobre->geometry()));
        QVERIFY(!f->SBtn_Pratica->geometry().intersects(f->STextEMail->geometry()));
        QVERIFY(f->SBtn_Pratica->autoRaise());
        QVERIFY(!f->SBtn_Pratica->icon().isNull());
        QCOMPARE(f->SBtn_Pratica->statusTip(), dica);
        QCOMPARE(f->SBtn_Pratica->accessibleName(), nome);
        QCOMPARE(f->Acao_Pratica->text(), menu);
        QVERIFY(f->Menu_Contexto->actions().contains(f->Acao_Pratica));
        QCOMPARE(f->Menu_Contexto->actions().value(0), f->Acao_Bordas);
        QTest::mouseMove(f->SBtn_Pratica);
        QTRY_COMPARE(f->StatusPanel[0]->text(), QStringLiteral("   ") + dica);
    }

    // The language button turns the new texts too.
    void trocaDeIdioma()
    {
        Abre(2);
        ambiente::ResponderIdioma(0);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);
        QCOMPARE(f->NumIdioma, 0);
        QCOMPARE(Translations::current(), 0);
        QCOMPARE(f->SBtn_Pratica->accessibleName(), QStringLiteral("Janela de prática"));
    }

    // Ctrl+K belongs to this action alone.
    void atalhoUnico()
    {
        Abre(2);
        QCOMPARE(f->Acao_Pratica->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QVERIFY(f->actions().contains(f->Acao_Pratica));
        int donos = 0;
        for (const QAction *a : f->findChildren<QAction *>())
            donos += a->shortcut() == f->Acao_Pratica->shortcut() ? 1 : 0;
        QCOMPARE(donos, 1);
        for (const QAbstractButton *b : f->findChildren<QAbstractButton *>())
            QVERIFY(b->shortcut() != f->Acao_Pratica->shortcut());
    }

    void abre_data()
    {
        QTest::addColumn<int>("caminho");
        QTest::newRow("button") << 0;
        QTest::newRow("Ctrl+K") << 1;
        QTest::newRow("context menu item") << 2;
    }

    void abre()
    {
        QFETCH(int, caminho);
        Abre(2);
        Espera();
        Parar = 0;
        switch (caminho) {
        case 0:
            QTest::mouseClick(f->SBtn_Pratica, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(f.get(), Qt::Key_K, Qt::ControlModifier);
            break;
        default:
            f->Acao_Pratica->trigger();
        }
        QCOMPARE(aberturas, 1);
        // A lesson that was playing stops: one thing plays at a time.
        QCOMPARE(Parar, 1);
        QVERIFY(!pratica->isVisible());
    }

    void semJanela()
    {
        Abre(2);
        fPratica = nullptr;
        QTest::mouseClick(f->SBtn_Pratica, Qt::LeftButton);
        QTest::keyClick(f.get(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(UltimoErro().isEmpty());
    }
};

QTEST_MAIN(TstPratica)
#include "tst_pratica.moc"
