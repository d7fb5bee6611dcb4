// Writes the README's screenshots: starts the trainer's windows as the
// program entry does and drives them from the main window's buttons as a user
// would, grabbing each window at a telling moment. Run by
// scripts/screenshots.sh under Xvfb; not a test.
//
//   screenshots <folder>

#include "app/janelas.h"
#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "app/tfsobre.h"
#include "course/practicewindow.h"
#include "data/icone.h"
#include "keyboard/tfteclado.h"
#include "progress/charactermap.h"
#include "progress/characterspage.h"
#include "reception/tfteste.h"
#include "record/record.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

QDir Pasta;
bool Falhou = false;

void Falha(const QString &motivo)
{
    QTextStream(stderr) << "screenshots: " << motivo << '\n';
    Falhou = true;
}

void Grava(QWidget *janela, const QString &nome)
{
    // Let every pending repaint and layout land first.
    QCoreApplication::processEvents();
    const QString arquivo = Pasta.filePath(nome);
    if (janela->grab().save(arquivo))
        QTextStream(stdout) << arquivo << '\n';
    else
        Falha(QStringLiteral("cannot write %1").arg(arquivo));
}

// Presses a button of the main window whose handler opens a modal Janela;
// `dentro` runs inside that window's event loop and must close it.
template <class Janela> void AbreModal(QAbstractButton *botao, std::function<void(Janela *)> dentro)
{
    QTimer::singleShot(0, botao, [botao, dentro] {
        QWidget *modal = nullptr;
        if (!QTest::qWaitFor([&modal] { return (modal = QApplication::activeModalWidget()); },
                             5000)) {
            Falha(QStringLiteral("no modal window came up"));
            return;
        }
        auto *janela = qobject_cast<Janela *>(modal);
        if (!janela) {
            Falha(
                QStringLiteral("%1 opened no %2")
                    .arg(botao->objectName(), QLatin1String(Janela::staticMetaObject.className())));
            modal->close();
            return;
        }
        // With no window manager under Xvfb nothing activates a new window,
        // and the test window hears keys only while it is the active one.
        janela->activateWindow();
        if (!QTest::qWaitForWindowActive(janela))
            Falha(QStringLiteral("%1 never became active").arg(janela->windowTitle()));
        dentro(janela);
    });
    botao->click();
}

// The main window during the second lesson, just after C has sounded, with
// the pointer resting on Play so that the status bar shows its hint.
void JanelaPrincipal()
{
    fMorse->Control_Vel->setValue(15); // 15 PpM
    fMorse->ListBox_Licao->setCurrentRow(1);
    QCursor::setPos(fMorse->Btn_Iniciar->mapToGlobal(fMorse->Btn_Iniciar->rect().center()));
    QTest::qWait(200);

    // Guarded: the lesson's own event loop may carry out the deleteLater
    // before click() returns.
    const QPointer<QTimer> vigia = new QTimer(fMorse);
    vigia->setInterval(10);
    QObject::connect(vigia, &QTimer::timeout, vigia, [vigia] {
        // Runs at the lesson player's pause between two characters.
        if (!fMorse->Lb_Letra->text().startsWith(QLatin1Char('C')))
            return;
        vigia->stop();
        vigia->deleteLater();
        Grava(fMorse, QStringLiteral("main-window.png"));
        fMorse->Btn_Parar->click();
    });
    vigia->start();
    fMorse->Btn_Iniciar->click();
    if (vigia && vigia->isActive()) {
        delete vigia.data();
        Falha(QStringLiteral("the lesson never showed C"));
    }
}

// The Language button's window once its rotating texts have come round to
// English; choosing English keeps the trainer in English for the rest.
void JanelaIdioma()
{
    AbreModal<TFIdioma>(fMorse->Btn_ABC, [](TFIdioma *idioma) {
        if (!QTest::qWaitFor(
                [idioma] { return idioma->Versao->text() == QLatin1String("Version 2.0.1"); },
                15000))
            Falha(QStringLiteral("the language window never showed its English texts"));
        Grava(idioma, QStringLiteral("language-window.png"));
        idioma->RG_IdiomaItens[2]->click();
    });
    if (fMorse->NumIdioma != 2)
        Falha(QStringLiteral("choosing English left language %1").arg(fMorse->NumIdioma));
}

void JanelaSobre()
{
    AbreModal<TfSobre>(fMorse->SBtn_Sobre, [](TfSobre *janela) {
        Grava(janela, QStringLiteral("about-window.png"));
        janela->BtnSobre->click();
    });
}

// Keys clicked one by one into the display line, and a sentence written for
// the phrase player (not played).
void Teclado()
{
    AbreModal<TfTeclado>(fMorse->Btn_Teclado, [](TfTeclado *teclado) {
        QTest::keyClicks(teclado->Edit_Frase, QStringLiteral("paris paris"));
        const QList<QPushButton *> teclas = teclado->findChildren<QPushButton *>();
        for (const QChar c : QStringLiteral("CQ CQ DE ZIRVANO")) {
            QPushButton *tecla = c == QLatin1Char(' ') ? teclado->BitBtn_Espaco : nullptr;
            for (QPushButton *b : teclas)
                if (!tecla && b->text() == QString(c))
                    tecla = b;
            if (!tecla) {
                Falha(QStringLiteral("no key for %1").arg(c));
                continue;
            }
            QTest::mouseClick(tecla, Qt::LeftButton);
        }
        Grava(teclado, QStringLiteral("keyboard-window.png"));
        teclado->SBtn_Fechar->click();
    });
}

// Five characters answered from the computer keyboard, the third one wrongly.
void Teste()
{
    AbreModal<TfTeste>(fMorse->Btn_Teste, [](TfTeste *teste) {
        for (int rodada = 0; rodada < 5; ++rodada) {
            QTest::mouseClick(teste->Btn_Teste, Qt::LeftButton); // returns once it has sounded
            int tecla = Tecla_Esperada;
            if (rodada == 2)
                tecla = tecla == 'E' ? 'T' : 'E';
            QWidget *alvo = teste->focusWidget() ? teste->focusWidget() : teste;
            QTest::keyClick(alvo, static_cast<Qt::Key>(tecla));
        }
        if (Acertos != 4 || Testes != 5)
            Falha(QStringLiteral("the test counted %1 right of %2").arg(Acertos).arg(Testes));
        Grava(teste, QStringLiteral("test-window.png"));
        teste->Btn_Fechar->click();
    });
}

// A month of a made-up learner's course runs, most characters improving and
// two of them taken for others, in a file as the record exports it.
QString Mes(const QTemporaryDir &pasta)
{
    const QString aprendidos = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q9");
    QRandomGenerator sorte(2024);
    record::Record registro;
    if (!registro.open(pasta.filePath(QStringLiteral("month.sqlite"))))
        return {};
    const QDateTime inicio = QDateTime::currentDateTimeUtc().addDays(-30);
    for (int dia = 0; dia < 30; dia += 1 + int(sorte.bounded(3))) {
        record::Run corrida;
        corrida.when = inicio.addDays(dia);
        corrida.effectiveWpm = 6 + dia / 4.0;
        corrida.charWpm = 20;
        const double habilidade = 0.6 + 0.013 * dia;
        for (int i = 0; i < 120; ++i) {
            const QString c = aprendidos.at(sorte.bounded(int(aprendidos.size())));
            const bool dificil = c == QLatin1String("5") || c == QLatin1String("U");
            QString ouvido = c;
            if (sorte.generateDouble() > (dificil ? habilidade - 0.25 : habilidade))
                ouvido = c == QLatin1String("5")   ? QStringLiteral("H")
                         : c == QLatin1String("U") ? QStringLiteral("V")
                                                   : QString();
            record::Answer a;
            a.when = corrida.when.addSecs(i);
            a.sent = c;
            a.answered = ouvido;
            a.right = c == ouvido;
            corrida.answers.append(a);
        }
        registro.store(corrida);
    }
    const QString arquivo = pasta.filePath(QStringLiteral("month.csv"));
    QString erro;
    return registro.exportCsv(arquivo, &erro) ? arquivo : QString();
}

// "My characters" after a month imported through the page, 5 selected.
void MeusCaracteres()
{
    AbreModal<course::PracticeWindow>(fMorse->SBtn_Pratica, [](course::PracticeWindow *janela) {
        janela->showPage(course::PracticePage::Characters);
        auto *pagina = qobject_cast<progress::CharactersPage *>(
            janela->page(course::PracticePage::Characters));
        QTemporaryDir pasta;
        const QString arquivo = Mes(pasta);
        if (!pagina || arquivo.isEmpty()) {
            Falha(QStringLiteral("no page of characters or no month to import"));
        } else {
            pagina->chooseImportFile = [arquivo] { return arquivo; };
            pagina->importRecord();
            pagina->map->setFocus();
            pagina->map->selectCharacter(QStringLiteral("5"));
            Grava(janela, QStringLiteral("characters-page.png"));
        }
        janela->close();
    });
}

// A page of the practice window as it opens, before anything is played.
void PaginaDaPratica(course::PracticePage pagina, const QString &nome)
{
    AbreModal<course::PracticeWindow>(fMorse->SBtn_Pratica,
                                      [pagina, nome](course::PracticeWindow *janela) {
                                          if (!janela->showPage(pagina))
                                              Falha(QStringLiteral("no page for %1").arg(nome));
                                          else
                                              Grava(janela, nome);
                                          janela->close();
                                      });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zirvano"));
    QApplication::setWindowIcon(IconeZirvano());
    if (argc != 2) {
        QTextStream(stderr) << "usage: screenshots <folder>\n";
        return 2;
    }
    Pasta = QDir(QString::fromLocal8Bit(argv[1]));
    if (!Pasta.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "screenshots: cannot create " << Pasta.path() << '\n';
        return 1;
    }

    const Janelas janelas;

    QTimer::singleShot(0, fMorse, [] {
        if (!QTest::qWaitForWindowExposed(fMorse))
            Falha(QStringLiteral("the main window was never exposed"));
        JanelaIdioma();
        JanelaPrincipal();
        JanelaSobre();
        Teclado();
        Teste();
        MeusCaracteres();
        PaginaDaPratica(course::PracticePage::Course, QStringLiteral("course-page.png"));
        PaginaDaPratica(course::PracticePage::Recognition, QStringLiteral("recognition-page.png"));
        PaginaDaPratica(course::PracticePage::Send, QStringLiteral("send-page.png"));
        fMorse->Btn_Fechar->click();
        QCoreApplication::exit(Falhou ? 1 : 0);
    });
    return QApplication::exec();
}
