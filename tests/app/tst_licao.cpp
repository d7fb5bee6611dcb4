// The lesson player heard through the sound observer: which characters sound,
// how often, in which order, and what the window shows meanwhile. A unit of
// 5 ms keeps the lessons short.

#include "ambiente.h"
#include "app/licoes.h"
#include "app/tfmorse.h"
#include "morse/letras.h"
#include "platform/playsound.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// One character as it sounded: what the window showed while it played and the
// elements heard ('.' or '-').
struct Toque
{
    QString letra;
    QString ritmo;
    QString elementos;
};

// The rhythm text of a pattern: "Di" for a dot, "Daaa" for a dash.
QString RitmoDe(const char *padrao)
{
    QStringList silabas;
    for (const char *p = padrao; *p; ++p)
        silabas << (*p == '.' ? QStringLiteral("Di") : QStringLiteral("Daaa"));
    return silabas.join(QLatin1Char(' '));
}

// Length of the tone in a PCM WAV image, in ms.
int DuracaoMs(const void *imagem, std::size_t tamanho)
{
    if (tamanho < 44)
        return 0;
    const auto *b = static_cast<const unsigned char *>(imagem);
    auto le32 = [b](int i) {
        return std::uint32_t(b[i]) | std::uint32_t(b[i + 1]) << 8 | std::uint32_t(b[i + 2]) << 16 |
               std::uint32_t(b[i + 3]) << 24;
    };
    const std::uint32_t porSegundo = le32(28);
    return porSegundo ? int(std::uint64_t(le32(40)) * 1000 / porSegundo) : 0;
}

} // namespace

class TstLicao : public QObject
{
    Q_OBJECT

    QTemporaryDir pasta;
    std::unique_ptr<TfMorse> f;
    // Every element played, in order, with the display at that moment.
    QList<Toque> elementos;
    // Runs before each element is played, with the number of elements so far.
    std::function<void(int)> aoTocar;

    // Elements grouped into characters: consecutive elements under the same
    // display belong to one run of repetitions; split the run by the pattern.
    QList<Toque> Caracteres() const
    {
        QList<Toque> caracteres;
        for (const Toque &e : elementos) {
            const qsizetype tamanho = e.ritmo.count(QLatin1Char(' ')) + 1;
            if (caracteres.isEmpty() || caracteres.last().ritmo != e.ritmo ||
                caracteres.last().letra != e.letra || caracteres.last().elementos.size() == tamanho)
                caracteres.append({e.letra, e.ritmo, QString()});
            caracteres.last().elementos += e.elementos;
        }
        return caracteres;
    }

    QString Letras() const
    {
        QString s;
        for (const Toque &c : Caracteres())
            s += c.letra.trimmed();
        return s;
    }

    void Inicia(int licao, int vezes = 1)
    {
        f->ListBox_Licao->setCurrentRow(licao);
        f->ListBox_Vezes->setCurrentRow(vezes - 1);
        QTest::mouseClick(f->Btn_Iniciar, Qt::LeftButton);
    }

    // Queues a click for the lesson's next pumping point.
    static void CliqueDepois(QAbstractButton *botao)
    {
        QMetaObject::invokeMethod(botao, &QAbstractButton::click, Qt::QueuedConnection);
    }

private slots:
    void initTestCase() { ambiente::Configura(pasta, "[General]\nIdioma=2\n"); }

    void init()
    {
        f = std::make_unique<TfMorse>();
        fMorse = f.get();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->Timer1->stop();
        f->Control_Vel->setValue(5);
        elementos.clear();
        aoTocar = nullptr;
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind != platform::SoundCall::Kind::Play || !c.image)
                return;
            if (aoTocar)
                aoTocar(int(elementos.size()));
            const QString elemento =
                DuracaoMs(c.image, c.size) < 50 ? QStringLiteral(".") : QStringLiteral("-");
            elementos.append({f->Lb_Letra->text(), f->Lb_Info->text(), elemento});
        });
    }

    void cleanup()
    {
        platform::setSoundObserver({});
        f.reset();
    }

    // The lesson table itself: every rhythm text matches the pattern its
    // keyer plays, and the lessons key each character of the alphabet once.
    void tabela()
    {
        QSet<QString> vistas;
        int total = 0;
        for (int licao = 0; licao < Licoes::NumLicoes; ++licao) {
            const auto caracteres = Licoes::Caracteres(licao);
            QVERIFY(caracteres.size() == 5 || caracteres.size() == 6);
            for (const Licoes::Caracter &c : caracteres) {
                const QString letra = QString::fromUtf8(c.Letra);
                const QByteArray latin1 = letra.left(1).toLatin1();
                const char *padrao = Letras::Padrao(static_cast<unsigned char>(latin1[0]));
                QVERIFY2(padrao, c.Letra);
                QCOMPARE(QString::fromLatin1(c.Ritmo), RitmoDe(padrao));
                QCOMPARE(letra.size(), (letra[0] == u'M' || letra[0] == u'W') ? 1 : 2);
                vistas.insert(letra);
                ++total;
            }
        }
        QCOMPARE(total, 46);
        QCOMPARE(vistas.size(), 46);
        QVERIFY(Licoes::Caracteres(-1).empty());
        QVERIFY(Licoes::Caracteres(9).empty());
    }

    void primeiraLicao()
    {
        Inicia(0);
        const QList<Toque> caracteres = Caracteres();
        const char *letras[] = {"I ", "N ", "E ", "A ", "S ", "O "};
        const char *ritmos[] = {"Di Di", "Daaa Di", "Di", "Di Daaa", "Di Di Di", "Daaa Daaa Daaa"};
        QCOMPARE(caracteres.size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(caracteres[i].letra, QString::fromLatin1(letras[i]));
            QCOMPARE(caracteres[i].ritmo, QString::fromLatin1(ritmos[i]));
            // What sounds is what the display says.
            QCOMPARE(RitmoDe(caracteres[i].elementos.toLatin1().constData()), caracteres[i].ritmo);
        }
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Never think of lines and points"));
        QCOMPARE(Parar, 0);
    }

    void repeticoes_data()
    {
        QTest::addColumn<int>("licao");
        QTest::addColumn<int>("vezes");
        QTest::addColumn<QString>("letras");
        QTest::addColumn<QString>("conselho");
        QTest::newRow("digits three times") << 5 << 3 << "111000222999333"
                                            << "Always maintain a good rhythm in the transmission";
        QTest::newRow("accents twice")
            << 8 << 2 << QString::fromUtf8("ÇÇÉÉ??..ÃÃ") << "General call (CQ)";
        QTest::newRow("punctuation once") << 7 << 1 << ":;,()"
                                          << "Sign of having understood (SN)";
    }

    void repeticoes()
    {
        QFETCH(int, licao);
        QFETCH(int, vezes);
        QFETCH(QString, letras);
        QFETCH(QString, conselho);
        Inicia(licao, vezes);
        QCOMPARE(Letras(), letras);
        QCOMPARE(f->Lb_Info->text(), conselho);
        QCOMPARE(Licao, licao);
        QCOMPARE(Vezes, vezes);
    }

    void pararNoSegundoCaracter()
    {
        aoTocar = [this](int) {
            if (f->Lb_Letra->text() == QStringLiteral("U "))
                CliqueDepois(f->Btn_Parar);
        };
        Inicia(2);
        // The second character finishes; nothing more sounds.
        QCOMPARE(Letras(), QStringLiteral("VU"));
        QCOMPARE(Caracteres().last().elementos, QStringLiteral("..-"));
        QCOMPARE(Parar, 1);
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Only later train the transmission"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
    }

    void licaoMaiorEncadeia()
    {
        aoTocar = [this](int n) {
            if (n == 0)
                QMetaObject::invokeMethod(
                    f->ListBox_Licao, [this] { f->ListBox_Licao->setCurrentRow(4); },
                    Qt::QueuedConnection);
        };
        Inicia(0);
        QCOMPARE(Letras(), QStringLiteral("INEASOYBGKW"));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Obey the rules of spaces"));
    }

    void licaoMenorNaoEncadeia()
    {
        aoTocar = [this](int n) {
            if (n == 0)
                QMetaObject::invokeMethod(
                    f->ListBox_Licao, [this] { f->ListBox_Licao->setCurrentRow(0); },
                    Qt::QueuedConnection);
        };
        Inicia(1);
        QCOMPARE(Letras(), QStringLiteral("MDTCR"));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("You should learn all the characterses"));
    }

    // The count is read afresh before every repetition, in the current
    // character's loop too; a change made while a character's last repetition
    // sounds is seen from the next character on.
    void vezesMudaDuranteALicao_data()
    {
        QTest::addColumn<int>("antes");
        QTest::addColumn<QString>("letras");
        QTest::newRow("2 to 5 in the first repetition") << 2 << "MMDDDDDTTTTTCCCCCRRRRR";
        QTest::newRow("1 to 5 in the last repetition") << 1 << "MDTTTTTCCCCCRRRRR";
    }

    void vezesMudaDuranteALicao()
    {
        QFETCH(int, antes);
        QFETCH(QString, letras);
        aoTocar = [this, antes](int) {
            if (f->Lb_Letra->text() == QStringLiteral("D ") && Vezes == antes)
                QMetaObject::invokeMethod(
                    f->ListBox_Vezes, [this] { f->ListBox_Vezes->setCurrentRow(4); },
                    Qt::QueuedConnection);
        };
        Inicia(1, antes);
        QCOMPARE(Letras(), letras);
    }

    void semExibirOCaracter()
    {
        f->Lb_Letra->setText(QStringLiteral("Q"));
        aoTocar = [this](int n) {
            // Cleared during play: the display keeps the last character.
            if (n == 0)
                CliqueDepois(f->CkBox_Carac);
        };
        Inicia(0);
        const QList<Toque> caracteres = Caracteres();
        QCOMPARE(caracteres.size(), 6);
        QCOMPARE(caracteres[0].letra, QStringLiteral("I "));
        for (int i = 1; i < 6; ++i)
            QCOMPARE(caracteres[i].letra, QStringLiteral("I "));
        QCOMPARE(caracteres[5].ritmo, QStringLiteral("Daaa Daaa Daaa"));

        // Started with the box cleared, the display is never touched.
        elementos.clear();
        f->Lb_Letra->setText(QStringLiteral("Q"));
        aoTocar = nullptr;
        Inicia(1);
        QCOMPARE(Caracteres().size(), 5);
        for (const Toque &c : Caracteres())
            QCOMPARE(c.letra, QStringLiteral("Q"));
        QCOMPARE(f->Lb_Letra->text(), QStringLiteral("  "));
    }

    void inicioAninhado()
    {
        aoTocar = [this](int n) {
            if (n == 0)
                CliqueDepois(f->Btn_Iniciar);
        };
        Inicia(0);
        // The nested run plays the whole lesson, then the first one resumes.
        QCOMPARE(Letras(), QStringLiteral("IINEASONEASO"));
        QCOMPARE(f->Lb_Info->text(), QStringLiteral("Never think of lines and points"));
    }

    void pararDentroDoAninhado()
    {
        aoTocar = [this](int n) {
            if (n == 0)
                CliqueDepois(f->Btn_Iniciar);
            if (f->Lb_Letra->text() == QStringLiteral("N ") && Parar == 0)
                CliqueDepois(f->Btn_Parar);
        };
        Inicia(0);
        QCOMPARE(Letras(), QStringLiteral("IIN"));
    }

    void trocaDeIdiomaDuranteALicao()
    {
        aoTocar = [this](int n) {
            if (n == 0) {
                ambiente::ResponderIdioma(1);
                CliqueDepois(f->Btn_ABC);
            }
        };
        Inicia(0, 2);
        // Repetitions fall back to one, and the advice comes in Spanish.
        QCOMPARE(Letras(), QStringLiteral("IINEASO"));
        QCOMPARE(f->Lb_Info->text(), QString::fromUtf8("Nunca pensé en líneas y puntos"));
    }

    void idiomaForaDoIntervaloNaoDaConselho()
    {
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

    // The program ends once the lesson has unwound, with the window alive
    // under the loop until then and nothing sounding after.
    void fecharDuranteALicao()
    {
        QFETCH(bool, pelaCaixa);
        QFETCH(QString, letras);
        bool terminou = false;
        aoTocar = [this, pelaCaixa](int n) {
            if (n != 0)
                return;
            if (pelaCaixa)
                QMetaObject::invokeMethod(f.get(), &QWidget::close, Qt::QueuedConnection);
            else
                CliqueDepois(f->Btn_Fechar);
        };
        QTimer::singleShot(0, f.get(), [this, &terminou] {
            Inicia(0);
            terminou = true;
        });
        // A safety net only: the window's closing must end the loop.
        QTimer rede;
        rede.setSingleShot(true);
        bool pelaRede = false;
        connect(&rede, &QTimer::timeout, qApp, [&pelaRede] {
            pelaRede = true;
            QCoreApplication::quit();
        });
        rede.start(30000);
        QApplication::exec();
        QVERIFY(!pelaRede);
        QVERIFY(terminou);
        QVERIFY(!f->isVisible());
        QCOMPARE(Letras(), letras);
        const qsizetype tocados = elementos.size();
        QCoreApplication::processEvents();
        QCOMPARE(elementos.size(), tocados);
    }
};

QTEST_MAIN(TstLicao)
#include "tst_licao.moc"
