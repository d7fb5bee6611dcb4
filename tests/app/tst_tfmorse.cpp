// The main window driven as a learner would: its start state, the sliders and
// choices, the language button, the caption, the clock and the hints, and
// what happens when the stored language is unreadable or cannot be saved.

#include "ambiente.h"
#include "app/errorguard.h"
#include "app/tfmorse.h"
#include "app/thintwatcher.h"
#include "app/tradiogroup.h"
#include "controls/tdrlabel.h"
#include "controls/tgauge.h"
#include "platform/playsound.h"
#include "sound/tgerasom.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

const QByteArray Ingles = "[General]\nIdioma=2\n";

QString Versao(int idioma)
{
    const char *textos[] = {"Zirvano por Kaltor Ver. 2.0.1", "Zirvano por el Kaltor Ver. 2.0.1",
                            "Zirvano by Kaltor Ver. 2.0.1"};
    return QString::fromUtf8(textos[idioma]);
}

} // namespace

class TstTfMorse : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<TfMorse> janela;

    // A fresh main window over a settings file holding body, answering the
    // language window with escolha should it come up.
    TfMorse *Abre(const QByteArray &body = Ingles, int escolha = -1, bool mostra = true)
    {
        janela.reset();
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, body);
        LimpaUltimoErro();
        if (body.isNull() || !QFileInfo(ambiente::ArquivoIdioma()).isFile())
            ambiente::ResponderIdioma(escolha);
        janela = std::make_unique<TfMorse>();
        fMorse = janela.get();
        if (mostra) {
            janela->show();
            if (!QTest::qWaitForWindowExposed(janela.get()))
                qWarning("main window not exposed");
        }
        return janela.get();
    }

private slots:
    void cleanup()
    {
        platform::setSoundObserver({});
        janela.reset();
    }

    void estadoInicial()
    {
        TfMorse *f = Abre();
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("50"));
        QCOMPARE(f->Lb_Vol_Dir->text(), QStringLiteral("50"));
        QCOMPARE(f->Lb_PPM->text(), QStringLiteral("5 PpM"));
        QCOMPARE(f->Lb_Hertz->text(), QStringLiteral("800 Hz"));
        QCOMPARE(f->Gauge_Esq->Progress(), 50);
        QCOMPARE(f->Gauge_Dir->Progress(), 50);
        QCOMPARE(f->Gauge_Vel->Progress(), 5);
        QCOMPARE(f->Gauge_Freq->Progress(), 800);
        QCOMPARE(f->Unidade, 25);
        QCOMPARE(f->RdGp_Onda->Count(), 5);
        QCOMPARE(f->RdGp_Onda->ItemIndex(), 0);
        QCOMPARE(f->GeraSom->Waveform(), tgSine);
        QCOMPARE(f->GeraSom->Frequency(), std::int16_t(800));
        QCOMPARE(f->GeraSom->LeftVolume(), std::int16_t(50));
        QCOMPARE(f->GeraSom->RightVolume(), std::int16_t(50));
        QCOMPARE(f->GeraSom->Sustain(), std::int16_t(0));
        QCOMPARE(f->GeraSom->Release(), std::int16_t(0));
        QVERIFY(!f->GeraSom->Async());
        QCOMPARE(Licao, 0);
        QCOMPARE(Vezes, 1);
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Vezes->count(), 5);
        QVERIFY(f->ListBox_Licao->selectedItems().isEmpty());
        QVERIFY(f->ListBox_Vezes->selectedItems().isEmpty());
        QVERIFY(f->CkBox_Carac->isChecked());
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral(" "));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Learn TELEGRAPHY"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Zirvano"));
        // The window cannot be resized.
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QCOMPARE(f->StatusBarMorse->geometry().bottom(), f->height() - 1);
        QCOMPARE(f->StatusBarMorse->height(), 22);
    }

    void extremos_data()
    {
        QTest::addColumn<int>("deslizante"); // 0 speed, 1 frequency
        QTest::addColumn<int>("posicao");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("nivel");
        QTest::addColumn<int>("efeito"); // Unidade, or the generator's frequency
        QTest::newRow("speed top") << 0 << 5 << "25 PpM" << 25 << 5;
        QTest::newRow("speed bottom") << 0 << 25 << "5 PpM" << 5 << 25;
        QTest::newRow("speed middle") << 0 << 10 << "20 PpM" << 20 << 10;
        QTest::newRow("tone bottom is raised to 20 Hz") << 1 << 3000 << "0 Hz" << 0 << 20;
        QTest::newRow("tone top") << 1 << 0 << "3000 Hz" << 3000 << 3000;
        QTest::newRow("tone 1 Hz") << 1 << 2999 << "1 Hz" << 1 << 20;
    }

    void extremos()
    {
        QFETCH(int, deslizante);
        QFETCH(int, posicao);
        QFETCH(QString, texto);
        QFETCH(int, nivel);
        QFETCH(int, efeito);
        TfMorse *f = Abre();
        if (deslizante == 0) {
            f->Control_Vel->setValue(posicao);
            QCOMPARE(f->Lb_PPM->text(), texto);
            QCOMPARE(f->Gauge_Vel->Progress(), nivel);
            QCOMPARE(f->Unidade, efeito);
        } else {
            f->Control_Freq->setValue(posicao);
            QCOMPARE(f->Lb_Hertz->text(), texto);
            QCOMPARE(f->Gauge_Freq->Progress(), nivel);
            QCOMPARE(int(f->GeraSom->Frequency()), efeito);
        }
    }

    void sliderNoTopoEhOMaximo()
    {
        // The top of every slider is the high end of what it controls.
        TfMorse *f = Abre();
        const QPoint topo(f->Control_Freq->width() / 2, 4);
        QTest::mouseClick(f->Control_Freq, Qt::LeftButton, {}, topo);
        QVERIFY(f->Control_Freq->value() < 2200);
        QVERIFY(f->GeraSom->Frequency() > 800);
    }

    void estereo()
    {
        TfMorse *f = Abre();
        QList<std::uint32_t> volumes;
        platform::setSoundObserver([&volumes](const platform::SoundCall &c) {
            if (c.kind == platform::SoundCall::Kind::Volume)
                volumes.append(c.volume);
        });
        f->ContrStereo->setValue(20);
        QCOMPARE(f->ContrVolDir->value(), 20);
        QCOMPARE(f->ContrVolEsq->value(), 20);
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("80"));
        QCOMPARE(f->Lb_Vol_Dir->text(), QStringLiteral("80"));
        QCOMPARE(f->Gauge_Esq->Progress(), 80);
        QCOMPARE(f->Gauge_Dir->Progress(), 80);
        QCOMPARE(f->GeraSom->LeftVolume(), std::int16_t(80));
        QCOMPARE(f->GeraSom->RightVolume(), std::int16_t(80));
        QVERIFY(!volumes.isEmpty());
        const std::uint32_t oitenta = 80u * 65535u / 100u;
        QCOMPARE(volumes.last(), oitenta | (oitenta << 16));

        // A channel slider moves alone and leaves the stereo slider where it is.
        f->ContrVolEsq->setValue(30);
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("70"));
        QCOMPARE(f->Gauge_Esq->Progress(), 70);
        QCOMPARE(f->GeraSom->LeftVolume(), std::int16_t(70));
        QCOMPARE(f->GeraSom->RightVolume(), std::int16_t(80));
        QCOMPARE(f->ContrStereo->value(), 20);
        QCOMPARE(f->ContrVolDir->value(), 20);
    }

    void escolhas_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("onda");
        QTest::newRow("Morse") << 0 << int(tgSine);
        QTest::newRow("Handsaw") << 1 << int(tgSawtooth);
        QTest::newRow("Square") << 2 << int(tgSquare);
        QTest::newRow("Triangular") << 3 << int(tgTriangle);
        QTest::newRow("Noise") << 4 << int(tgNoise);
    }

    void escolhas()
    {
        QFETCH(int, item);
        QFETCH(int, onda);
        TfMorse *f = Abre();
        QRadioButton *botao = f->RdGp_Onda->Button(item);
        QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(6, botao->height() / 2));
        QCOMPARE(f->RdGp_Onda->ItemIndex(), item);
        QCOMPARE(int(f->GeraSom->Waveform()), onda);
        // The lists take the same item index: lesson item, repetitions item + 1.
        f->ListBox_Licao->setCurrentRow(item);
        f->ListBox_Vezes->setCurrentRow(item);
        QCOMPARE(Licao, item);
        QCOMPARE(Vezes, item + 1);
    }

    void trocaDeIdioma_data()
    {
        QTest::addColumn<int>("escolha");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("iniciar");
        QTest::addColumn<QByteArray>("guardado");
        QTest::newRow("Portuguese") << 0 << 0 << "&Iniciar" << QByteArray("Idioma=0");
        QTest::newRow("Spanish") << 1 << 1 << "&Iniciar" << QByteArray("Idioma=1");
        QTest::newRow("English") << 2 << 2 << "&Play" << QByteArray("Idioma=2");
        QTest::newRow("closed without a choice") << -1 << 0 << "&Iniciar" << QByteArray("Idioma=2");
    }

    void trocaDeIdioma()
    {
        QFETCH(int, escolha);
        QFETCH(int, idioma);
        QFETCH(QString, iniciar);
        QFETCH(QByteArray, guardado);
        TfMorse *f = Abre();
        f->Timer1->stop();
        f->Control_Vel->setValue(10);
        f->Control_Freq->setValue(500);
        f->ContrStereo->setValue(30);
        f->RdGp_Onda->SetItemIndex(2);
        f->ListBox_Licao->setCurrentRow(4);
        f->ListBox_Vezes->setCurrentRow(2);
        PosTitulo = 7;

        ambiente::ResponderIdioma(escolha);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);

        QCOMPARE(f->NumIdioma, idioma);
        QCOMPARE(f->Btn_Iniciar->text(), iniciar);
        QCOMPARE(TextoTitulo, Versao(idioma));
        QVERIFY(ambiente::LeArquivo().contains(guardado));
        QVERIFY(UltimoErro().isEmpty());
        // The settings survive and show and change handler agree.
        QCOMPARE(f->Lb_PPM->text(), QStringLiteral("20 PpM"));
        QCOMPARE(f->Gauge_Vel->Progress(), 20);
        QCOMPARE(f->Unidade, 10);
        QCOMPARE(f->Lb_Hertz->text(), QStringLiteral("2500 Hz"));
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("70"));
        QCOMPARE(f->GeraSom->LeftVolume(), std::int16_t(70));
        // The choices start over, and the lists are filled once.
        QCOMPARE(f->RdGp_Onda->Count(), 5);
        QCOMPARE(f->RdGp_Onda->ItemIndex(), 0);
        QCOMPARE(f->GeraSom->Waveform(), tgSine);
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Vezes->count(), 5);
        QCOMPARE(Licao, 0);
        QCOMPARE(Vezes, 1);
        QCOMPARE(PosTitulo, 7);
    }

    void textos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("saudacao");
        QTest::addColumn<QString>("fechar");
        QTest::addColumn<QString>("nona");
        QTest::addColumn<QString>("hora");
        QTest::newRow("Portuguese") << 0 << "Aprenda TELEGRAFIA"
                                    << "&Fechar"
                                    << "  Nona Lição"
                                    << "    Hora  ";
        QTest::newRow("Spanish") << 1 << "Aprenda TELEGRAFIA"
                                 << "&Cerrar"
                                 << "  Novena Lección"
                                 << "    Hora  ";
        QTest::newRow("English") << 2 << "Learn TELEGRAPHY"
                                 << "&Close"
                                 << "  Ninth Lesson"
                                 << "    Hour  ";
    }

    void textos()
    {
        QFETCH(int, idioma);
        QFETCH(QString, saudacao);
        QFETCH(QString, fechar);
        QFETCH(QString, nona);
        QFETCH(QString, hora);
        TfMorse *f = Abre(QByteArray("[General]\nIdioma=") + QByteArray::number(idioma));
        QCOMPARE(f->NumIdioma, idioma);
        QCOMPARE(f->Lb_Info->text(), saudacao);
        QCOMPARE(f->Btn_Fechar->text(), fechar);
        QCOMPARE(f->ListBox_Licao->item(8)->text(), nona);
        QCOMPARE(f->statusTip(), Versao(idioma));
        QCOMPARE(f->STextEMail->text(), QStringLiteral("EMail - kaltor@example.org"));
        QCOMPARE(f->SBtn_Sobre->statusTip(), QStringLiteral("  Sobre o Zirvano"));
        f->Timer1Timer();
        QVERIFY(f->StatusPanel[1]->text().startsWith(hora));
        QVERIFY(f->StatusPanel[1]->text().size() > hora.size());

        // Every control gets a hint of its own: a hint set on the wrong
        // control shows up as a duplicate or a gap.
        const QList<QWidget *> comDica{f->ContrVolEsq,
                                       f->ContrVolDir,
                                       f->ContrStereo,
                                       f->Control_Vel,
                                       f->Control_Freq,
                                       f->RdGp_Onda,
                                       f->STextPagina,
                                       f->STextEMail,
                                       f->Btn_Iniciar,
                                       f->Btn_Parar,
                                       f->Btn_Teclado,
                                       f->Btn_Teste,
                                       f->Btn_Fechar,
                                       f->ListBox_Licao,
                                       f->ListBox_Vezes,
                                       f->CkBox_Carac,
                                       f->Btn_ABC,
                                       f->SBtn_Sobre,
                                       f};
        QSet<QString> dicas;
        for (QWidget *w : comDica) {
            QVERIFY(!w->statusTip().isEmpty());
            dicas.insert(w->statusTip());
        }
        QCOMPARE(dicas.size(), comDica.size());
        const QList<QString> legendas{
            f->Lb_Vol->Caption(),   f->LB_Veloc->Caption(), f->Lb_Freq->Caption(),
            f->Lb_Onda->Caption(),  f->Btn_Iniciar->text(), f->Btn_Parar->text(),
            f->Btn_Teclado->text(), f->Btn_Teste->text(),   f->Btn_Fechar->text(),
            f->Btn_ABC->text(),     f->CkBox_Carac->text(), f->STextPagina->text()};
        QCOMPARE(QSet<QString>(legendas.begin(), legendas.end()).size(), legendas.size());
        for (const QString &l : legendas)
            QVERIFY(!l.isEmpty());
    }

    void relogioForaDosIdiomas()
    {
        TfMorse *f = Abre();
        f->Timer1->stop();
        f->StatusPanel[1]->setText(QStringLiteral("antes"));
        f->NumIdioma = 7;
        f->Timer1Timer();
        QCOMPARE(f->StatusPanel[1]->text(), QStringLiteral("antes"));
    }

    void legendaDigitada()
    {
        TfMorse *f = Abre();
        f->Timer1->stop();
        const QString texto = TextoTitulo;
        QCOMPARE(texto, Versao(2));
        QCOMPARE(PosTitulo, 0);
        // Empty, one more character a tick up to the whole text, the whole text
        // once more, and again from empty.
        QStringList esperado;
        for (int ciclo = 0; ciclo < 2; ++ciclo) {
            for (int n = 0; n <= texto.size(); ++n)
                esperado << texto.left(n);
            esperado << texto;
        }
        QStringList visto;
        for (int tique = 0; tique < esperado.size(); ++tique) {
            f->Timer1Timer();
            visto << f->windowTitle();
        }
        QCOMPARE(visto, esperado);
        // The timer itself drives it.
        f->Timer1->start();
        QTRY_COMPARE(f->windowTitle(), texto.left(3));
    }

    void dicas_data()
    {
        QTest::addColumn<int>("controle");
        QTest::addColumn<QString>("painel");
        const QString versao = QStringLiteral("   ") + Versao(2);
        QTest::newRow("button") << 0
                                << "   It begins the reproduction of the characterses of the "
                                   "chosen lesson";
        QTest::newRow("gauge") << 1 << versao;
        QTest::newRow("number label") << 2 << versao;
        QTest::newRow("about button") << 3 << "     Sobre o Zirvano";
        QTest::newRow("status bar") << 4 << versao;
        QTest::newRow("waveform item") << 5 << "   It allows the choice in the wave ways";
        QTest::newRow("title label") << 6 << versao;
    }

    void dicas()
    {
        QFETCH(int, controle);
        QFETCH(QString, painel);
        TfMorse *f = Abre();
        QWidget *const alvos[] = {f->Btn_Iniciar, f->Gauge_Esq,      f->Lb_Vol_Esq,
                                  f->SBtn_Sobre,  f->StatusBarMorse, f->RdGp_Onda->Button(2),
                                  f->Lb_Onda};
        // Come from another control, so that the hint really changes.
        QTest::mouseMove(f->Btn_Parar);
        QTRY_VERIFY(f->StatusPanel[0]->text().contains(QStringLiteral("Stop the")));
        QTest::mouseMove(alvos[controle]);
        QTRY_COMPARE(f->StatusPanel[0]->text(), painel);
        // Back from a child to its window gives the window's hint.
        QTest::mouseMove(f, QPoint(5, 240));
        QTRY_COMPARE(f->StatusPanel[0]->text(), QStringLiteral("   ") + Versao(2));
    }

    void longoDaDica()
    {
        QCOMPARE(THintWatcher::LongHint(QStringLiteral("curto|longo")), QStringLiteral("longo"));
        QCOMPARE(THintWatcher::LongHint(QStringLiteral("inteiro")), QStringLiteral("inteiro"));
    }

    // A stored language that cannot be read is reported; the window still
    // comes up whole, in Portuguese, and the stored value is left alone.
    void idiomaIlegivel_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("erro");
        QTest::newRow("not a number") << QByteArray("[General]\nIdioma=abc\n")
                                      << QString::fromUtf8("Tipo de dado inválido para 'Idioma'");
        QTest::newRow("too large") << QByteArray("[General]\nIdioma=99999999999\n")
                                   << QString::fromUtf8("Falha ao puxar dados para 'Idioma'");
        QTest::newRow("out of range") << QByteArray("[General]\nIdioma=7\n") << QString();
        QTest::newRow("negative") << QByteArray("[General]\nIdioma=-1\n") << QString();
    }

    void idiomaIlegivel()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, erro);
        TfMorse *f = Abre(body);
        QCOMPARE(UltimoErro(), erro);
        QCOMPARE(f->NumIdioma, 0);
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Aprenda TELEGRAFIA"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral(" "));
        QCOMPARE(f->Btn_Iniciar->text(), QStringLiteral("&Iniciar"));
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(Licao, 0);
        QCOMPARE(Vezes, 1);
        QCOMPARE(ambiente::LeArquivo(), body);
        // The hint handler was installed all the same.
        QTest::mouseMove(f->Btn_Parar);
        QTRY_COMPARE(f->StatusPanel[0]->text(),
                     QStringLiteral("   Para a reprodução dos caracteres"));
    }

    // With a folder where the settings file should be nothing can be saved:
    // the choice is reported as not saved, and still used for this run.
    void escolhaNaoGuardada()
    {
        TfMorse *f = Abre(QByteArray(), 1, false);
        // First start: the key was missing, the Spanish choice could be saved.
        QCOMPARE(f->NumIdioma, 1);
        QVERIFY(UltimoErro().isEmpty());
        f->show();
        QCOMPARE(f->Btn_Parar->text(), QStringLiteral("&Detener"));

        QFile::remove(ambiente::ArquivoIdioma());
        QVERIFY(QDir().mkpath(ambiente::ArquivoIdioma()));
        ambiente::ResponderIdioma(2);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);
        QCOMPARE(UltimoErro(), QString::fromUtf8("Falha ao fixar dados para 'Idioma'"));
        QCOMPARE(f->NumIdioma, 2);
        QCOMPARE(f->Btn_Parar->text(), QStringLiteral("&Stop"));
        QCOMPARE(TextoTitulo, Versao(2));
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Licao->item(0)->text(), QStringLiteral("  First Lesson"));
        QCOMPARE(f->RdGp_Onda->Count(), 5);
    }

    void primeiroInicioSemGravar()
    {
        // The settings file is a folder at start-up: the key counts as missing,
        // the choice is asked, cannot be saved, and is used for this run.
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, QByteArray());
        QVERIFY(QDir().mkpath(ambiente::ArquivoIdioma()));
        LimpaUltimoErro();
        ambiente::ResponderIdioma(2);
        janela = std::make_unique<TfMorse>();
        QCOMPARE(UltimoErro(), QString::fromUtf8("Falha ao fixar dados para 'Idioma'"));
        QCOMPARE(janela->NumIdioma, 2);
        QCOMPARE(janela->Lb_Info->text(), QStringLiteral("Learn TELEGRAPHY"));
        QCOMPARE(PosTitulo, 0);
    }
};

QTEST_MAIN(TstTfMorse)
#include "tst_tfmorse.moc"
