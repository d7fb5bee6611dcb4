// The lesson player heard through the sound observer: which characters sound,
// how often and in which order, and what the window shows meanwhile (what it
// painted by the moment each tone is heard: characters are keyed ahead and
// shown as they begin). The lessons run on a virtual clock with no sound
// device, in no time.

#include "app/tfmorse.h"
#include "morse/letras.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "tests/ambiente.h"
#include "tests/escuta.h"

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

// '.' or '-' for a tone: a dot lasts 5 units, a dash 15.
QChar Elemento(const escuta::Tom &t)
{
    return t.ms < 10 * 5 ? u'.' : u'-';
}

} // namespace

class TstLicao : public QObject
{
    Q_OBJECT

    QTemporaryDir pasta;
    std::unique_ptr<platform::VirtualClock> relogio;
    std::unique_ptr<TfMorse> f;
    std::unique_ptr<escuta::Tons> tons;
    std::unique_ptr<escuta::Quadros> quadros;
    // Runs as each character is shown, with the number shown before it.
    std::function<void(int)> aoTocar;
    int mostrados = 0;

    // Each character as it sounded: the display while it played and the
    // elements heard. Every repetition blanks the info line first, so a new
    // repetition starts whenever the pattern shown is complete.
    QList<Toque> Toques() const
    {
        QList<Toque> toques;
        for (const escuta::Tom &tom : tons->ouvidos()) {
            const QStringList visto = quadros->em(tom.ouvido);
            const QString letra = visto.value(0);
            const QString ritmo = visto.value(1);
            if (toques.isEmpty() || toques.last().ritmo != ritmo ||
                RitmoDe(toques.last().elementos) == ritmo)
                toques.append({letra, ritmo, QString()});
            toques.last().elementos += Elemento(tom);
        }
        return toques;
    }

    // The characters heard, each checked against the rhythm it showed.
    QString Letras()
    {
        QString s;
        for (const Toque &t : Toques()) {
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
        mostrados = 0;
        aoTocar = nullptr;
        tons = std::make_unique<escuta::Tons>();
        quadros = std::make_unique<escuta::Quadros>([this] {
            return QStringList{f->Lb_Letra->text(), f->Lb_Info->text()};
        });
        quadros->vigia(f->Lb_Letra);
        quadros->vigia(f->Lb_Info);
        // A character is shown when its rhythm is: the info line's last paint.
        quadros->aoPintar = [this] {
            const QString ritmo = f->Lb_Info->text().trimmed();
            if (!ritmo.startsWith(u'D'))
                return;
            if (aoTocar)
                aoTocar(mostrados);
            ++mostrados;
        };
    }

    void cleanup()
    {
        quadros.reset();
        tons.reset();
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
        QCOMPARE(Toques().last().elementos, QStringLiteral("..-"));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Only later train the transmission"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
    }

    // The window answers while a character sounds: a speed chosen then
    // shows at once, and applies from the next character, which was keyed
    // ahead at the old speed and is keyed again.
    void velocidadeDuranteOCaracter()
    {
        platform::SteadyTime mostrado{};
        platform::SteadyTime mudou{};
        aoTocar = [this, &mostrado, &mudou](int n) {
            if (n != 0)
                return;
            mostrado = relogio->now();
            Depois([this, &mudou] {
                mudou = relogio->now();
                f->Control_Vel->setValue(6);
                QCOMPARE(f->Lb_PPM->text(), QStringLiteral("24 PpM"));
            });
        };
        Inicia(0);
        QCOMPARE(Letras(), QStringLiteral("INEASO"));
        QCOMPARE(mudou, mostrado); // while I sounded, not after it
        const QList<escuta::Tom> t = tons->ouvidos();
        QCOMPARE(t[0].ms, 25); // I at 5 ms a unit
        QCOMPARE(t[2].ms, 90); // N's dash at 6
        QCOMPARE(t[3].ms, 30);
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
        QCOMPARE(Toques().last().ritmo, QStringLiteral("Daaa Daaa Daaa"));
        // Started cleared, the display is not touched until the lesson ends.
        tons.reset();
        tons = std::make_unique<escuta::Tons>();
        quadros->limpa();
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
        // A hidden window paints nothing: what was heard, element by element.
        QString ouvido;
        QString esperado;
        for (const escuta::Tom &tom : tons->ouvidos())
            ouvido += Elemento(tom);
        for (QChar c : letras)
            esperado += QLatin1String(::Letras::Padrao(uchar(c.toLatin1())));
        QCOMPARE(ouvido, esperado);
        const int antes = tons->colocados();
        QCoreApplication::processEvents();
        QCOMPARE(tons->colocados(), antes);
    }
};

QTEST_MAIN(TstLicao)
#include "tst_licao.moc"
