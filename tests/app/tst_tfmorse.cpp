// The main window driven as a learner would: its start state, the sliders and
// choices, the language button, the caption, the clock and the hints, and
// what happens when the stored language is unreadable or cannot be saved.

#include "app/errorguard.h"
#include "app/fimporsinal.h"
#include "app/tfmorse.h"
#include "controls/tdrlabel.h"
#include "controls/tgauge.h"
#include "controls/tlinklabel.h"
#include "controls/tradiogroup.h"
#include "sound/tgerasom.h"
#include "tests/ambiente.h"
#include "tests/errosajustes.h"
#include "tests/platform/childprocess.h"

#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <csignal>
#include <memory>

namespace {

QString Versao(int idioma)
{
    const char *textos[] = {"Zirvano por Kaltor Ver. 2.0.1", "Zirvano por el Kaltor Ver. 2.0.1",
                            "Zirvano by Kaltor Ver. 2.0.1"};
    return QString::fromUtf8(textos[idioma]);
}

QByteArray Guardado(int idioma)
{
    return "[General]\nIdioma=" + QByteArray::number(idioma) + "\n";
}

// The line a one-line list shows.
QString Mostrada(const QListWidget *lista)
{
    const QListWidgetItem *item = lista->itemAt(QPoint(3, 3));
    return item ? item->text() : QString();
}

} // namespace

class TstTfMorse : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<TfMorse> f;

    // A fresh, shown main window over a settings file holding body; with
    // pastaNoLugar a folder stands where the file should be. The language
    // window, should it come up, is answered with escolha.
    TfMorse *Abre(const QByteArray &body = Guardado(2), int escolha = -1, bool pastaNoLugar = false)
    {
        f.reset();
        pasta = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*pasta, body);
        if (pastaNoLugar)
            QDir().mkpath(ambiente::ArquivoIdioma());
        if (!QFileInfo(ambiente::ArquivoIdioma()).isFile())
            ambiente::ResponderIdioma(escolha);
        LimpaUltimoErro();
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        // Stopped before the window shows: on a slow machine (an emulator) a
        // tick while it is being exposed would already move the caption on.
        f->Timer1->stop();
        f->show();
        if (!QTest::qWaitForWindowExposed(f.get()))
            qWarning("main window not exposed");
        return f.get();
    }

private slots:
    // Pictures are checked against Fusion's look.
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void cleanup() { f.reset(); }

    void estadoInicial()
    {
        Abre();
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("50"));
        QCOMPARE(f->Lb_Vol_Dir->text(), QStringLiteral("50"));
        QCOMPARE(f->Lb_PPM->text(), QStringLiteral("5 PpM"));
        QCOMPARE(f->Lb_Hertz->text(), QStringLiteral("800 Hz"));
        const QList<int> niveis{f->Gauge_Esq->Progress(), f->Gauge_Dir->Progress(),
                                f->Gauge_Vel->Progress(), f->Gauge_Freq->Progress()};
        QCOMPARE(niveis, QList<int>({50, 50, 5, 800}));
        QCOMPARE(f->Unidade, 25);
        QCOMPARE(f->RdGp_Onda->ItemIndex(), 0);
        QCOMPARE(f->GeraSom->Waveform(), tgSine);
        QCOMPARE(f->GeraSom->Frequency(), 800);
        QCOMPARE(f->GeraSom->LeftVolume(), 50);
        QCOMPARE(f->GeraSom->RightVolume(), 50);
        QVERIFY(!f->GeraSom->Async());
        QCOMPARE(f->GeraSom->Sustain(), 0);
        QCOMPARE(f->GeraSom->Release(), 0);
        QCOMPARE(Licao, 0);
        QCOMPARE(Vezes, 1);
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Vezes->count(), 5);
        QVERIFY(f->ListBox_Licao->selectedItems().isEmpty());
        QVERIFY(f->CkBox_Carac->isChecked());
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral(" "));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Learn TELEGRAPHY"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Zirvano"));
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QCOMPARE(f->StatusBarMorse->geometry().bottom(), f->height() - 1);
    }

    void extremos_data()
    {
        QTest::addColumn<bool>("tom"); // the frequency slider, else the speed one
        QTest::addColumn<int>("posicao");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("nivel");
        QTest::addColumn<int>("efeito"); // Unidade, or the generator's frequency
        QTest::newRow("speed top") << false << 5 << "25 PpM" << 25 << 5;
        QTest::newRow("speed bottom") << false << 25 << "5 PpM" << 5 << 25;
        QTest::newRow("tone bottom, raised to 20 Hz") << true << 3000 << "0 Hz" << 0 << 20;
        QTest::newRow("tone top") << true << 0 << "3000 Hz" << 3000 << 3000;
    }

    void extremos()
    {
        QFETCH(bool, tom);
        QFETCH(int, posicao);
        QFETCH(QString, texto);
        QFETCH(int, nivel);
        QFETCH(int, efeito);
        Abre();
        (tom ? f->Control_Freq : f->Control_Vel)->setValue(posicao);
        QCOMPARE((tom ? f->Lb_Hertz : f->Lb_PPM)->text(), texto);
        QCOMPARE((tom ? f->Gauge_Freq : f->Gauge_Vel)->Progress(), nivel);
        QCOMPARE(tom ? int(f->GeraSom->Frequency()) : f->Unidade, efeito);
    }

    // What the feature windows read is what the sliders stand for, not where
    // they sit: each is inverted, its top the largest value.
    void ajustesParaAsJanelas_data()
    {
        QTest::addColumn<QList<int>>("posicoes"); // freq, right, left, speed
        QTest::addColumn<QList<int>>("valores");  // Hz, right, left, unit
        QTest::newRow("tops") << QList<int>{0, 0, 0, 5} << QList<int>{3000, 100, 100, 5};
        QTest::newRow("bottoms") << QList<int>{3000, 100, 100, 25} << QList<int>{0, 0, 0, 25};
        QTest::newRow("apart") << QList<int>{2200, 30, 10, 7} << QList<int>{800, 70, 90, 7};
    }

    void ajustesParaAsJanelas()
    {
        QFETCH(QList<int>, posicoes);
        QFETCH(QList<int>, valores);
        Abre(Guardado(1));
        f->Control_Freq->setValue(posicoes[0]);
        f->ContrVolDir->setValue(posicoes[1]);
        f->ContrVolEsq->setValue(posicoes[2]);
        f->Control_Vel->setValue(posicoes[3]);
        const AjustesPrincipais &a = *f;
        QCOMPARE(a.Frequencia(), valores[0]);
        QCOMPARE(a.VolumeDireito(), valores[1]);
        QCOMPARE(a.VolumeEsquerdo(), valores[2]);
        QCOMPARE(a.UnidadeVelocidade(), valores[3]);
        QCOMPARE(a.NumeroIdioma(), 1);
        QCOMPARE(a.Gerador(), f->GeraSom);
    }

    // The keyboard and test buttons show their window modally, and it is
    // closed once its showing ends.
    void abreJanelaModal_data()
    {
        QTest::addColumn<bool>("teclado");
        QTest::newRow("keyboard") << true;
        QTest::newRow("test") << false;
    }

    void abreJanelaModal()
    {
        QFETCH(bool, teclado);
        Abre();
        QDialog janela;
        QDialog *&global = teclado ? fTeclado : fTeste;
        global = &janela;
        const auto volta = qScopeGuard([&global] { global = nullptr; });
        bool modal = false;
        QTimer::singleShot(0, &janela, [&] {
            modal = QApplication::activeModalWidget() == &janela;
            janela.reject();
        });
        QTest::mouseClick(teclado ? f->Btn_Teclado : f->Btn_Teste, Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY(!janela.isVisible());
    }

    void topoEhOMaximo()
    {
        Abre();
        QTest::mouseClick(f->Control_Freq, Qt::LeftButton, {},
                          QPoint(f->Control_Freq->width() / 2, 4));
        QVERIFY(f->GeraSom->Frequency() > 800);
    }

    void estereo()
    {
        Abre();
        f->ContrStereo->setValue(20);
        QCOMPARE(f->ContrVolDir->value(), 20);
        QCOMPARE(f->ContrVolEsq->value(), 20);
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("80"));
        QCOMPARE(f->Lb_Vol_Dir->text(), QStringLiteral("80"));
        QCOMPARE(f->Gauge_Esq->Progress(), 80);
        QCOMPARE(f->Gauge_Dir->Progress(), 80);
        QCOMPARE(f->GeraSom->LeftVolume(), 80);
        QCOMPARE(f->GeraSom->RightVolume(), 80);
        // A channel slider moves alone and leaves the stereo slider where it is.
        f->ContrVolEsq->setValue(30);
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("70"));
        QCOMPARE(f->Lb_Vol_Dir->text(), QStringLiteral("80"));
        QCOMPARE(f->GeraSom->LeftVolume(), 70);
        QCOMPARE(f->GeraSom->RightVolume(), 80);
        QCOMPARE(f->ContrStereo->value(), 20);
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
        Abre();
        QWidget *botao = f->RdGp_Onda->Button(item);
        QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(6, botao->height() / 2));
        QCOMPARE(int(f->GeraSom->Waveform()), onda);
        f->ListBox_Licao->setCurrentRow(item);
        f->ListBox_Vezes->setCurrentRow(item);
        QCOMPARE(Licao, item);
        QCOMPARE(Vezes, item + 1);
    }

    void trocaDeIdioma_data()
    {
        QTest::addColumn<int>("escolha");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("parar");
        QTest::newRow("Portuguese") << 0 << 0 << "&Parar";
        QTest::newRow("Spanish") << 1 << 1 << "&Detener";
        QTest::newRow("English") << 2 << 2 << "&Stop";
        QTest::newRow("closed without a choice") << -1 << 0 << "&Parar";
    }

    void trocaDeIdioma()
    {
        QFETCH(int, escolha);
        QFETCH(int, idioma);
        QFETCH(QString, parar);
        Abre();
        f->Control_Vel->setValue(10);
        f->ContrStereo->setValue(30);
        f->RdGp_Onda->SetItemIndex(2);
        f->ListBox_Licao->setCurrentRow(5);
        f->ListBox_Vezes->setCurrentRow(3);
        QCOMPARE(Mostrada(f->ListBox_Licao), f->ListBox_Licao->item(5)->text());
        QCOMPARE(Mostrada(f->ListBox_Vezes), f->ListBox_Vezes->item(3)->text());
        PosTitulo = 7;
        ambiente::ResponderIdioma(escolha);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);

        QCOMPARE(f->NumIdioma, idioma);
        QCOMPARE(f->Btn_Parar->text(), parar);
        QCOMPARE(TextoTitulo, Versao(idioma));
        QCOMPARE(ambiente::LeArquivo(), Guardado(escolha < 0 ? 2 : escolha));
        QVERIFY(UltimoErro().isEmpty());
        // Sliders survive, and show and change handler agree.
        QCOMPARE(f->Lb_PPM->text(), QStringLiteral("20 PpM"));
        QCOMPARE(f->Gauge_Vel->Progress(), 20);
        QCOMPARE(f->Lb_Vol_Esq->text(), QStringLiteral("70"));
        // Choices start over, lists are filled once, the caption goes on.
        QCOMPARE(f->RdGp_Onda->Count(), 5);
        QCOMPARE(f->GeraSom->Waveform(), tgSine);
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Vezes->count(), 5);
        QCOMPARE(Licao, 0);
        QCOMPARE(Vezes, 1);
        // ... and the lists show the lesson and count that Play then uses.
        QCOMPARE(Mostrada(f->ListBox_Licao), f->ListBox_Licao->item(0)->text());
        QCOMPARE(Mostrada(f->ListBox_Vezes), f->ListBox_Vezes->item(0)->text());
        QCOMPARE(PosTitulo, 7);
    }

    // Each column's title reads whole on one line inside its frame, in every
    // language.
    void titulos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::newRow("Portuguese") << 0;
        QTest::newRow("Spanish") << 1;
        QTest::newRow("English") << 2;
    }

    void titulos()
    {
        QFETCH(int, idioma);
        Abre(Guardado(idioma));
        const std::pair<TDRLabel *, QFrame *> titulos[] = {{f->Lb_Vol, f->Bevel_Vol},
                                                           {f->LB_Veloc, f->Bevel_Veloc},
                                                           {f->Lb_Freq, f->Bevel_Freq},
                                                           {f->Lb_Onda, f->Bevel_Onda}};
        for (const auto &[titulo, moldura] : titulos) {
            const QString texto = titulo->Caption();
            const QFontMetrics fm(titulo->font());
            const QRect ocupado =
                fm.boundingRect(QRect(0, 0, titulo->width(), 0),
                                Qt::AlignHCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, texto);
            QVERIFY2(ocupado.height() <= fm.height(), qPrintable(texto + " breaks"));
            QVERIFY2(ocupado.width() <= titulo->width(), qPrintable(texto + " is cut"));
            const QRect dentro = moldura->contentsRect().translated(moldura->pos());
            QVERIFY2(dentro.contains(titulo->geometry()), qPrintable(texto + " covers its frame"));
        }
    }

    // The sliders stand upside down, their minimum at the top; the blue fill
    // of the groove grows from the bottom with the value shown beside it.
    void preenchimento_data()
    {
        QTest::addColumn<int>("deslizante"); // left volume, speed, tone
        QTest::addColumn<int>("posicao");
        QTest::addColumn<int>("parte"); // of the groove filled: 0 none, 1 the lower half, 2 most
        QTest::newRow("volume 0") << 0 << 100 << 0;
        QTest::newRow("volume 50") << 0 << 50 << 1;
        QTest::newRow("volume 100") << 0 << 0 << 2;
        QTest::newRow("5 PpM") << 1 << 25 << 0;
        QTest::newRow("25 PpM") << 1 << 5 << 2;
        QTest::newRow("0 Hz") << 2 << 3000 << 0;
        QTest::newRow("3000 Hz") << 2 << 0 << 2;
    }

    void preenchimento()
    {
        QFETCH(int, deslizante);
        QFETCH(int, posicao);
        QFETCH(int, parte);
        Abre();
        QSlider *const deslizantes[] = {f->ContrVolEsq, f->Control_Vel, f->Control_Freq};
        QSlider *s = deslizantes[deslizante];
        s->setValue(posicao);
        const QImage imagem = s->grab().toImage();
        // Rows of the groove's middle column in the style's highlight, a blue.
        QList<int> azuis;
        for (int y = 0; y < imagem.height(); ++y) {
            const QRgb p = imagem.pixel(imagem.width() / 2, y);
            if (qBlue(p) > qRed(p) + 50)
                azuis << y;
        }
        const int meio = imagem.height() / 2;
        switch (parte) {
        case 0:
            QCOMPARE(azuis.size(), 0);
            break;
        case 1:
            QVERIFY(!azuis.isEmpty());
            QVERIFY2(azuis.first() > meio, qPrintable(QString::number(azuis.first())));
            break;
        default:
            QVERIFY2(azuis.size() > meio, qPrintable(QString::number(azuis.size())));
            QVERIFY(azuis.last() > imagem.height() - 10);
            break;
        }
    }

    void textos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("saudacao");
        QTest::addColumn<QString>("nona");
        QTest::addColumn<QString>("hora");
        QTest::newRow("Portuguese") << 0 << "Aprenda TELEGRAFIA"
                                    << "  Nona Lição"
                                    << "    Hora  ";
        QTest::newRow("Spanish") << 1 << "Aprenda TELEGRAFIA"
                                 << "  Novena Lección"
                                 << "    Hora  ";
        QTest::newRow("English") << 2 << "Learn TELEGRAPHY"
                                 << "  Ninth Lesson"
                                 << "    Hour  ";
    }

    void textos()
    {
        QFETCH(int, idioma);
        QFETCH(QString, saudacao);
        QFETCH(QString, nona);
        QFETCH(QString, hora);
        Abre(Guardado(idioma));
        QCOMPARE(f->Lb_Info->text(), saudacao);
        QCOMPARE(f->ListBox_Licao->item(8)->text(), nona);
        QCOMPARE(f->statusTip(), Versao(idioma));
        QCOMPARE(f->STextEMail->text(), QStringLiteral("EMail - kaltor@example.org"));
        QCOMPARE(f->SBtn_Sobre->statusTip(), QStringLiteral("  Sobre o Zirvano"));
        f->Timer1Timer();
        QVERIFY(f->StatusPanel[1]->text().startsWith(hora));
        // Every control has a hint of its own: one set on the wrong control
        // shows up as a gap or a duplicate.
        const QList<QWidget *> comDica{
            f->ContrVolEsq, f->ContrVolDir, f->ContrStereo, f->Control_Vel,   f->Control_Freq,
            f->RdGp_Onda,   f->STextPagina, f->STextEMail,  f->Btn_Iniciar,   f->Btn_Parar,
            f->Btn_Teclado, f->Btn_Teste,   f->Btn_Fechar,  f->ListBox_Licao, f->ListBox_Vezes,
            f->CkBox_Carac, f->Btn_ABC,     f->SBtn_Sobre,  f->SBtn_Pratica,  f.get()};
        QSet<QString> dicas;
        for (QWidget *w : comDica)
            dicas.insert(w->statusTip());
        dicas.remove(QString());
        QCOMPARE(dicas.size(), comDica.size());
        // Outside the three languages the clock keeps what it showed.
        f->NumIdioma = 7;
        f->StatusPanel[1]->setText(QStringLiteral("x"));
        f->Timer1Timer();
        QCOMPARE(f->StatusPanel[1]->text(), QStringLiteral("x"));
    }

    void legendaDigitada()
    {
        Abre();
        const QString texto = TextoTitulo;
        QCOMPARE(PosTitulo, 0);
        // Empty, one more character a tick up to the whole text, the whole
        // text once more, and again from empty.
        QStringList esperado, visto;
        for (int ciclo = 0; ciclo < 2; ++ciclo) {
            for (int n = 0; n <= texto.size(); ++n)
                esperado << texto.left(n);
            esperado << texto;
        }
        QStringList noSistema;
        while (visto.size() < esperado.size()) {
            f->Timer1Timer();
            visto << f->windowTitle();
            noSistema << f->windowHandle()->title();
        }
        QCOMPARE(visto, esperado);
        // Given an empty title the window system would show the application's
        // name: it gets a blank one.
        for (QString &titulo : esperado)
            if (titulo.isEmpty())
                titulo = QStringLiteral(" ");
        QCOMPARE(noSistema, esperado);
        f->Timer1->start();
        QTRY_COMPARE(f->windowTitle(), texto.left(3));
    }

    void dicas_data()
    {
        QTest::addColumn<int>("controle");
        QTest::addColumn<QString>("painel");
        const QString versao = QStringLiteral("   ") + Versao(2);
        QTest::newRow("button")
            << 0 << "   It begins the reproduction of the characterses of the chosen lesson";
        QTest::newRow("gauge") << 1 << versao;
        QTest::newRow("number label") << 2 << versao;
        QTest::newRow("about button") << 3 << "     Sobre o Zirvano";
        QTest::newRow("status bar") << 4 << versao;
        QTest::newRow("item of the waveform group")
            << 5 << "   It allows the choice in the wave ways";
    }

    void dicas()
    {
        QFETCH(int, controle);
        QFETCH(QString, painel);
        Abre();
        QWidget *const alvos[] = {f->Btn_Iniciar, f->Gauge_Esq,      f->Lb_Vol_Esq,
                                  f->SBtn_Sobre,  f->StatusBarMorse, f->RdGp_Onda->Button(2)};
        QTest::mouseMove(f->Btn_Parar);
        QTRY_VERIFY(f->StatusPanel[0]->text().contains(QStringLiteral("Stop the")));
        QTest::mouseMove(alvos[controle]);
        QTRY_COMPARE(f->StatusPanel[0]->text(), painel);
        // Back from a control onto the bare window.
        QTest::mouseMove(f.get(), QPoint(5, 240));
        QTRY_COMPARE(f->StatusPanel[0]->text(), QStringLiteral("   ") + Versao(2));
    }

    // A stored language that cannot be read or saved is reported; the window
    // still comes up whole, and the stored value is left alone.
    void inicioComFalha_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("pastaNoLugar");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<int>("idioma");
        QTest::newRow("not a number")
            << QByteArray("[General]\nIdioma=abc\n") << false << errosajustes::TipoInvalido << 0;
        QTest::newRow("too large") << QByteArray("[General]\nIdioma=99999999999\n") << false
                                   << errosajustes::FalhaPuxar << 0;
        QTest::newRow("out of range") << Guardado(7) << false << QString() << 0;
        QTest::newRow("negative") << Guardado(-1) << false << QString() << 0;
        // The key counts as missing: the choice is asked, and used unsaved.
        QTest::newRow("folder in the file's place")
            << QByteArray() << true << errosajustes::FalhaFixar << 1;
    }

    void inicioComFalha()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, pastaNoLugar);
        QFETCH(QString, erro);
        QFETCH(int, idioma);
        Abre(body, 1, pastaNoLugar);
        QCOMPARE(UltimoErro(), erro);
        QCOMPARE(f->NumIdioma, idioma);
        // Portuguese and Spanish share the greeting.
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Aprenda TELEGRAFIA"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral(" "));
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->statusTip(), Versao(idioma));
        QCOMPARE(ambiente::LeArquivo(), body);
        // The hint handler was installed all the same.
        const char *fechar[] = {"   Finaliza o Zirvano", "   Finaliza el Zirvano"};
        QTest::mouseMove(f->Btn_Fechar);
        QTRY_COMPARE(f->StatusPanel[0]->text(), QString::fromLatin1(fechar[idioma]));
    }

    // A choice that cannot be saved is reported and still used for this run.
    void escolhaNaoGuardada()
    {
        Abre();
        QFile::remove(ambiente::ArquivoIdioma());
        QVERIFY(QDir().mkpath(ambiente::ArquivoIdioma()));
        ambiente::ResponderIdioma(1);
        QTest::mouseClick(f->Btn_ABC, Qt::LeftButton);
        QCOMPARE(UltimoErro(), errosajustes::FalhaFixar);
        QCOMPARE(f->NumIdioma, 1);
        QCOMPARE(f->Btn_Parar->text(), QStringLiteral("&Detener"));
        QCOMPARE(f->ListBox_Licao->count(), 9);
        QCOMPARE(f->ListBox_Licao->item(0)->text(), QString::fromUtf8("  Primera Lección"));
        QCOMPARE(f->RdGp_Onda->Count(), 5);
    }

    // SIGINT (Ctrl+C) and SIGTERM (kill, a desktop's logout) sent to the
    // program entry once a tone has played: it ends by the signal, as the
    // shell that sent it expects, stores nothing, and first unwinds (nothing
    // waits for a character to sound out). Whatever holds it, it has ended
    // within the tolerance of the signal.
    void sinais_data()
    {
        QTest::addColumn<QString>("momento");
        QTest::addColumn<int>("sinal");
        QTest::addColumn<bool>("desfeito"); // the windows unwound before the end
        QTest::newRow("Ctrl+C after a lesson") << "parado" << SIGINT << true;
        QTest::newRow("kill after a lesson") << "parado" << SIGTERM << true;
        QTest::newRow("Ctrl+C during a lesson") << "licao" << SIGINT << true;
        QTest::newRow("kill during a lesson") << "licao" << SIGTERM << true;
        QTest::newRow("kill during a sentence") << "frase" << SIGTERM << true;
        QTest::newRow("kill during a lesson at 25 PpM") << "licaorapida" << SIGTERM << true;
        QTest::newRow("Ctrl+C at the first start's question") << "idioma" << SIGINT << true;
        // Taken up at once, but the program is held as it unwinds: the
        // signal's default action ends it.
        QTest::newRow("kill while held unwinding") << "preso" << SIGTERM << false;
    }

    void sinais()
    {
        if (const QString porque = WhyNoChildProcess(); !porque.isEmpty())
            QSKIP(qPrintable(porque));
        QFETCH(QString, momento);
        QFETCH(int, sinal);
        QFETCH(bool, desfeito);
        QTemporaryDir pastaPrograma;
        const bool primeiraVez = momento == QLatin1String("idioma");
        ambiente::Configura(pastaPrograma, primeiraVez ? QByteArray() : Guardado(2));
        QProcess programa;
        // As from a terminal: a run started in the background of a script
        // would inherit SIGINT ignored, and keep it so.
        programa.setChildProcessModifier([] {
            std::signal(SIGINT, SIG_DFL);
            std::signal(SIGTERM, SIG_DFL);
        });
        programa.start(QStringLiteral(ZIRVANO_ENTRADA), {momento});
        QVERIFY(programa.waitForStarted());
        QByteArray saida;
        while (!saida.contains("pronto\n")) {
            QVERIFY2(programa.waitForReadyRead(30000), "the program never came to the moment");
            saida += programa.readAllStandardOutput();
        }
        QElapsedTimer relogio;
        relogio.start();
        QCOMPARE(::kill(pid_t(programa.processId()), sinal), 0);
        QVERIFY2(programa.waitForFinished(20000), "still running 20 s after the signal");
        const qint64 ms = relogio.elapsed();
        saida += programa.readAllStandardOutput();
        QCOMPARE(programa.exitStatus(), QProcess::CrashExit);
        QCOMPARE(programa.exitCode(), sinal);
        const bool unwound = saida.contains("desfeito");
        QCOMPARE(unwound, desfeito);
        // Within the tolerance of the signal, with room for a loaded machine
        // to end a process.
        QVERIFY2(ms <= FimPorSinal::Tolerancia.count() + 500,
                 qPrintable(QStringLiteral("ended %1 ms after the signal").arg(ms)));
        // Once unwound, nothing sounded beyond the character under way.
        const qsizetype tonsDepois = saida.mid(saida.indexOf("pronto\n")).count("tom\n");
        if (unwound)
            QVERIFY2(tonsDepois <= 4, qPrintable(QString::number(tonsDepois)));
        QCOMPARE(ambiente::LeArquivo(), primeiraVez ? QByteArray() : Guardado(2));
        QCOMPARE(QFileInfo::exists(ambiente::ArquivoIdioma()), !primeiraVez);
        qInfo("%s: ended %lld ms after the signal, %s, %lld tones after it",
              QTest::currentDataTag(), ms, unwound ? "windows unwound" : "by the default action",
              qlonglong(tonsDepois));
    }
};

QTEST_MAIN(TstTfMorse)
#include "tst_tfmorse.moc"
