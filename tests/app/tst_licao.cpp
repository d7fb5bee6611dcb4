// The lesson player heard through the sound observer: which characters sound,
// how often and in which order, and what the window shows meanwhile. The
// lessons run on a virtual clock with no sound device, in no time.

#include "app/tfmorse.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "tests/ambiente.h"
#include "tests/tons.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QtEndian>
#include <functional>
#include <memory>

namespace {

// One character as it sounded: the display while it played, and the
// elements heard ('.' or '-').
struct Toque
{
    QString letra, ritmo, elementos;
};

QString RitmoDe(const QString &padrao)
{
    QString ritmo = padrao;
    return ritmo.replace(u'.', QStringLiteral("Di "))
        .replace(u'-', QStringLiteral("Daaa "))
        .trimmed();
}

// '.' or '-' for the tone of a PCM WAV image: a dot lasts 5 units, a dash 15.
QChar Elemento(const platform::SoundCall &c)
{
    return tons::Ms(c) < 10 * 5 ? u'.' : u'-';
}

} // namespace

class TstLicao : public QObject
{
    Q_OBJECT

    QTemporaryDir pasta;
    std::unique_ptr<platform::VirtualClock> relogio;
    std::unique_ptr<TfMorse> f;
    QList<Toque> toques;
    // Runs as each element starts, with the number of elements heard so far.
    std::function<void(int)> aoTocar;
    int tocados = 0;

    // The characters heard, each checked against the rhythm it showed.
    QString Letras()
    {
        QString s;
        for (const Toque &t : std::as_const(toques)) {
            s += t.letra.trimmed();
            if (RitmoDe(t.elementos) != t.ritmo)
                qWarning() << "heard" << t.elementos << "under" << t.ritmo;
        }
        return s;
    }

    void Inicia(int licao, int vezes = 1)
    {
        f->ListBox_Licao->setCurrentRow(licao);
        f->ListBox_Vezes->setCurrentRow(vezes - 1);
        QTest::mouseClick(f->Btn_Iniciar, Qt::LeftButton);
    }

    // Runs acao at the lesson's next pumping point.
    void Depois(std::function<void()> acao)
    {
        QMetaObject::invokeMethod(f.get(), std::move(acao), Qt::QueuedConnection);
    }

private slots:
    void initTestCase()
    {
        ambiente::Configura(pasta, "[General]\nIdioma=2\n");
        qputenv("SDL_AUDIODRIVER", "zirvano-none");
        relogio = std::make_unique<platform::VirtualClock>();
    }

    void init()
    {
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->Timer1->stop();
        f->Control_Vel->setValue(5);
        toques.clear();
        tocados = 0;
        aoTocar = nullptr;
        // Every repetition blanks the info line first, so a new repetition
        // starts whenever the pattern shown is complete.
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind != platform::SoundCall::Kind::Play || !c.image)
                return;
            if (aoTocar)
                aoTocar(tocados);
            ++tocados;
            const QString ritmo = f->Lb_Info->text();
            if (toques.isEmpty() || toques.last().ritmo != ritmo ||
                RitmoDe(toques.last().elementos) == ritmo)
                toques.append({f->Lb_Letra->text(), ritmo, QString()});
            toques.last().elementos += Elemento(c);
        });
    }

    void cleanup()
    {
        platform::setSoundObserver({});
        f.reset();
    }

    void licoes_data()
    {
        QTest::addColumn<int>("licao");
        QTest::addColumn<int>("vezes");
        QTest::addColumn<QString>("letras");
        QTest::addColumn<QString>("conselho");
        QTest::newRow("first") << 0 << 1 << "INEASO"
                               << "Never think of lines and points";
        QTest::newRow("digits three times") << 5 << 3 << "111000222999333"
                                            << "Always maintain a good rhythm in the transmission";
        QTest::newRow("accents twice") << 8 << 2 << "ÇÇÉÉ??..ÃÃ"
                                       << "General call (CQ)";
        QTest::newRow("punctuation") << 7 << 1 << ":;,()"
                                     << "Sign of having understood (SN)";
        QTest::newRow("third") << 2 << 1 << "VUPFL"
                               << "Only later train the transmission";
        QTest::newRow("fourth") << 3 << 1 << "JQHXZ"
                                << "Learn and use the accentuation";
        QTest::newRow("seventh") << 6 << 1 << "84756"
                                 << "Never transmit faster than it receives";
    }

    void licoes()
    {
        QFETCH(int, licao);
        QFETCH(int, vezes);
        QFETCH(QString, letras);
        QFETCH(QString, conselho);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("heard")));
        Inicia(licao, vezes);
        QCOMPARE(Letras(), letras);
        QCOMPARE(f->Lb_Info->text(), conselho);
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
        QCOMPARE(Licao, licao);
        QCOMPARE(Vezes, vezes);
    }

    void parar()
    {
        aoTocar = [this](int) {
            if (f->Lb_Letra->text() == u"U ")
                Depois([this] { f->Btn_Parar->click(); });
        };
        Inicia(2);
        // The character sounding finishes; nothing more sounds.
        QCOMPARE(Letras(), QStringLiteral("VU"));
        QCOMPARE(toques.last().elementos, QStringLiteral("..-"));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Only later train the transmission"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
    }

    void escolhaDuranteALicao_data()
    {
        QTest::addColumn<int>("licao");
        QTest::addColumn<int>("escolhida");
        QTest::addColumn<QString>("letras");
        QTest::newRow("higher lesson follows") << 0 << 4 << "INEASOYBGKW";
        QTest::newRow("lower lesson does not") << 1 << 0 << "MDTCR";
    }

    void escolhaDuranteALicao()
    {
        QFETCH(int, licao);
        QFETCH(int, escolhida);
        QFETCH(QString, letras);
        aoTocar = [this, escolhida](int n) {
            if (n == 0)
                Depois([this, escolhida] { f->ListBox_Licao->setCurrentRow(escolhida); });
        };
        Inicia(licao);
        QCOMPARE(Letras(), letras);
    }

    // The count is read afresh before every repetition; a change made while
    // a character's last repetition sounds is seen from the next one on.
    void vezesDuranteALicao_data()
    {
        QTest::addColumn<int>("antes");
        QTest::addColumn<QString>("letras");
        QTest::newRow("2 to 5 in the first repetition") << 2 << "MMDDDDDTTTTTCCCCCRRRRR";
        QTest::newRow("1 to 5 in the last repetition") << 1 << "MDTTTTTCCCCCRRRRR";
    }

    void vezesDuranteALicao()
    {
        QFETCH(int, antes);
        QFETCH(QString, letras);
        aoTocar = [this, antes](int) {
            if (f->Lb_Letra->text() == u"D " && Vezes == antes)
                Depois([this] { f->ListBox_Vezes->setCurrentRow(4); });
        };
        Inicia(1, antes);
        QCOMPARE(Letras(), letras);
    }

    void semExibirOCaracter()
    {
        // Cleared during play: the display keeps the last character shown.
        aoTocar = [this](int n) {
            if (n == 0)
                Depois([this] { f->CkBox_Carac->click(); });
        };
        Inicia(0);
        QCOMPARE(Letras(), QStringLiteral("IIIIII"));
        QCOMPARE(toques.last().ritmo, QStringLiteral("Daaa Daaa Daaa"));
        // Started cleared, the display is not touched until the lesson ends.
        toques.clear();
        aoTocar = nullptr;
        f->Lb_Letra->setText(QStringLiteral("Q"));
        Inicia(1);
        QCOMPARE(Letras(), QStringLiteral("QQQQQ"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
    }

    void inicioAninhado_data()
    {
        QTest::addColumn<bool>("pararNoAninhado");
        QTest::addColumn<QString>("letras");
        QTest::newRow("nested plays in full, then the first resumes") << false << "IINEASONEASO";
        QTest::newRow("stop in the nested run stops both") << true << "IIN";
    }

    void inicioAninhado()
    {
        QFETCH(bool, pararNoAninhado);
        QFETCH(QString, letras);
        aoTocar = [this, pararNoAninhado](int n) {
            if (n == 0)
                Depois([this] { f->Btn_Iniciar->click(); });
            if (pararNoAninhado && f->Lb_Letra->text() == u"N ")
                Depois([this] { f->Btn_Parar->click(); });
        };
        Inicia(0);
        QCOMPARE(Letras(), letras);
    }

    void idiomaDuranteALicao()
    {
        aoTocar = [this](int n) {
            if (n == 0) {
                ambiente::ResponderIdioma(1);
                Depois([this] { f->Btn_ABC->click(); });
            }
        };
        Inicia(0, 2);
        // Repetitions fall back to one; the advice comes in Spanish.
        QCOMPARE(Letras(), QStringLiteral("IINEASO"));
        QCOMPARE(f->Lb_Info->text(), QString::fromUtf8("Nunca pensé en líneas y puntos"));
        // Outside the three languages no advice is set.
        f->NumIdioma = 5;
        Inicia(0);
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Daaa Daaa Daaa"));
    }

    void fecharDuranteALicao_data()
    {
        QTest::addColumn<bool>("pelaCaixa");
        QTest::addColumn<QString>("letras");
        QTest::newRow("Close button stops the lesson") << false << "I";
        QTest::newRow("close box lets it play to its end") << true << "INEASO";
    }

    // The program ends once the lesson has unwound, through a window that
    // stays alive under the loop, and nothing sounds after.
    void fecharDuranteALicao()
    {
        QFETCH(bool, pelaCaixa);
        QFETCH(QString, letras);
        aoTocar = [this, pelaCaixa](int n) {
            if (n == 0)
                Depois([this, pelaCaixa] {
                    if (pelaCaixa)
                        f->close();
                    else
                        f->Btn_Fechar->click();
                });
        };
        bool terminou = false;
        QTimer::singleShot(0, f.get(), [this, &terminou] {
            Inicia(0);
            terminou = true;
        });
        QTimer rede; // a safety net only: closing the window must end the loop
        rede.setSingleShot(true);
        connect(&rede, &QTimer::timeout, qApp, &QCoreApplication::quit);
        rede.start(30000);
        QApplication::exec();
        QVERIFY(rede.isActive());
        QVERIFY(terminou);
        QVERIFY(!f->isVisible());
        QCOMPARE(Letras(), letras);
        const int antes = tocados;
        QCoreApplication::processEvents();
        QCOMPARE(tocados, antes);
    }
};

QTEST_MAIN(TstLicao)
#include "tst_licao.moc"
