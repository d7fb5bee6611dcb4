#include "app/janelas.h"
#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "app/tfsobre.h"
#include "data/icone.h"
#include "keyboard/tfteclado.h"
#include "reception/tfteste.h"
#include "tests/ambiente.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

// The icon the program ships, and that every one of its windows shows it
// rather than one of its own.
class TstIcone : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everySizeLoads_data();
    void everySizeLoads();
    void everyWindowShowsIt_data();
    void everyWindowShowsIt();

private:
    QTemporaryDir pasta;
    std::unique_ptr<Janelas> janelas;
};

namespace {

QImage Figura(const QIcon &icone, int tamanho)
{
    return icone.pixmap(QSize(tamanho, tamanho)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void TstIcone::initTestCase()
{
    QVERIFY(pasta.isValid());
    // A stored language, so that no language window waits for an answer.
    ambiente::Configura(pasta, "[General]\nIdioma=2\n");
    QCOMPARE(ambiente::LeArquivo(), QByteArray("[General]\nIdioma=2\n"));

    // No icon set here: the windows must get it from the program itself.
    janelas = std::make_unique<Janelas>();
}

void TstIcone::cleanupTestCase()
{
    janelas.reset();
}

void TstIcone::everySizeLoads_data()
{
    QTest::addColumn<int>("tamanho");
    for (const int tamanho : {48, 128, 256})
        QTest::addRow("%d px", tamanho) << tamanho;
}

// A resource left unregistered gives an empty icon and no error.
void TstIcone::everySizeLoads()
{
    QFETCH(int, tamanho);
    const QIcon icone = IconeZirvano();
    QVERIFY(icone.availableSizes().contains(QSize(tamanho, tamanho)));
    const QImage figura = Figura(icone, tamanho);
    QCOMPARE(figura.size(), QSize(tamanho, tamanho));
    // Opaque in the middle, transparent in the rounded corner.
    QCOMPARE(qAlpha(figura.pixel(tamanho / 2, tamanho / 2)), 255);
    QCOMPARE(qAlpha(figura.pixel(0, 0)), 0);
}

void TstIcone::everyWindowShowsIt_data()
{
    QTest::addColumn<QWidget *>("janela");
    QTest::addRow("main") << static_cast<QWidget *>(fMorse);
    QTest::addRow("about") << static_cast<QWidget *>(fSobre);
    QTest::addRow("keyboard") << static_cast<QWidget *>(fTeclado);
    QTest::addRow("test") << static_cast<QWidget *>(fTeste);
    QTest::addRow("language, hidden") << static_cast<QWidget *>(FIdioma);
    // The language window as the Language button makes it: afresh, owned
    // by the main window.
    QTest::addRow("language, shown") << static_cast<QWidget *>(new TFIdioma(fMorse));
}

void TstIcone::everyWindowShowsIt()
{
    QFETCH(QWidget *, janela);
    janela->show();
    QVERIFY(QTest::qWaitForWindowExposed(janela));
    const QImage esperada = Figura(IconeZirvano(), 48);
    QVERIFY(!esperada.isNull());
    QCOMPARE(Figura(janela->windowIcon(), 48), esperada);
    QVERIFY(janela->windowHandle());
    QCOMPARE(Figura(janela->windowHandle()->icon(), 48), esperada);
    janela->hide();
}

QTEST_MAIN(TstIcone)
#include "tst_icone.moc"
