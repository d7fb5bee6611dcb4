#include "app/escolhaidioma.h"
#include "app/tfidioma.h"
#include "controls/tlinklabel.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString TipoInvalido = QStringLiteral("Tipo de dado inválido para 'Idioma'");
const QString FalhaPuxar = QStringLiteral("Falha ao puxar dados para 'Idioma'");
const QString FalhaFixar = QStringLiteral("Falha ao fixar dados para 'Idioma'");

// Answers every language window that comes up modally while it lives: picks
// item (0, 1, 2) or, with -1, closes it by its close box.
class Resposta : public QObject
{
public:
    explicit Resposta(int item)
    {
        connect(&relogio, &QTimer::timeout, this, [this, item] {
            auto *janela = qobject_cast<TFIdioma *>(QApplication::activeModalWidget());
            if (!janela || janela == atendida)
                return;
            atendida = janela;
            ++janelas;
            semEscolha = semEscolha && janela->ItemIndex() == -1;
            if (item < 0)
                janela->close();
            else
                janela->RG_IdiomaItens[item]->click();
        });
        relogio.start(5);
    }
    int janelas = 0;
    bool semEscolha = true; // every window came up with nothing chosen

private:
    QTimer relogio;
    QPointer<TFIdioma> atendida;
};

template <class F> QString erroDe(F &&op)
{
    try {
        op();
    } catch (const platform::SettingsError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

class TstIdioma : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config;

    static QString arquivo()
    {
        return platform::SettingsStore::FileOfKey(EscolhaIdioma::ChaveRegistro);
    }

    // A null body leaves the key missing; "bloqueio" makes the config folder
    // a plain file; "pasta" puts a directory where the file should be.
    void prepara(const QByteArray &corpo)
    {
        if (corpo == "bloqueio") {
            const QString bloqueio = config->path() + QStringLiteral("/bloqueio");
            QVERIFY(QFile(bloqueio).open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(bloqueio));
        } else if (corpo == "pasta") {
            QVERIFY(QDir().mkpath(arquivo()));
        } else if (!corpo.isNull()) {
            QVERIFY(QDir().mkpath(QFileInfo(arquivo()).absolutePath()));
            QFile f(arquivo());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(corpo);
        }
    }

    // What the store holds: "sem chave", "sem valor" or the stored text.
    static QString guardado()
    {
        if (!QFileInfo(arquivo()).isFile())
            return QStringLiteral("sem chave");
        const QVariant v = QSettings(arquivo(), QSettings::IniFormat).value("Idioma");
        return v.isValid() ? v.toString() : QStringLiteral("sem valor");
    }

private slots:
    void init()
    {
        config = std::make_unique<QTemporaryDir>();
        QVERIFY(config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config->path()));
    }

    void cleanup() { config.reset(); }

    void startUp_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<int>("janelas");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<QString>("depois");
        QTest::addColumn<int>("janelasDepois"); // windows shown by the next start

        const QByteArray novo; // first start: no key
        const QString ok;
        QTest::newRow("first, Portuguese") << novo << 0 << 1 << 0 << ok << "0" << 0;
        QTest::newRow("first, Spanish") << novo << 1 << 1 << 1 << ok << "1" << 0;
        QTest::newRow("first, English") << novo << 2 << 1 << 2 << ok << "2" << 0;
        QTest::newRow("first, close box") << novo << -1 << 1 << 0 << ok << "sem valor" << 0;
        QTest::newRow("stored 1") << QByteArray("Idioma=1") << 2 << 0 << 1 << ok << "1" << 0;
        QTest::newRow("stored 2") << QByteArray("Idioma=2") << 0 << 0 << 2 << ok << "2" << 0;
        QTest::newRow("key without value")
            << QByteArray("") << 2 << 0 << 0 << ok << "sem valor" << 0;
        QTest::newRow("stored -1") << QByteArray("Idioma=-1") << 2 << 0 << 0 << ok << "-1" << 0;
        QTest::newRow("stored 7") << QByteArray("Idioma=7") << 2 << 0 << 0 << ok << "7" << 0;
        QTest::newRow("corrupt") << QByteArray("Idioma=abc") << 2 << 0 << 0 << TipoInvalido << "abc"
                                 << 0;
        QTest::newRow("too large")
            << QByteArray("Idioma=8589934592") << 2 << 0 << 0 << FalhaPuxar << "8589934592" << 0;
        // A choice that cannot be saved holds for this run; the next start asks again.
        QTest::newRow("unwritable, English")
            << QByteArray("bloqueio") << 2 << 1 << 2 << FalhaFixar << "sem chave" << 1;
        QTest::newRow("unwritable, close box")
            << QByteArray("bloqueio") << -1 << 1 << 0 << ok << "sem chave" << 1;
        QTest::newRow("directory for file, Spanish")
            << QByteArray("pasta") << 1 << 1 << 1 << FalhaFixar << "sem chave" << 1;
    }

    void startUp()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(int, resposta);
        QFETCH(int, janelas);
        QFETCH(int, idioma);
        QFETCH(QString, erro);
        QFETCH(QString, depois);
        QFETCH(int, janelasDepois);
        prepara(corpo);

        Resposta r(resposta);
        int NumIdioma = 0;
        QCOMPARE(erroDe([&] { EscolhaIdioma::IdiomaInicial(NumIdioma); }), erro);
        QCOMPARE(r.janelas, janelas);
        QVERIFY(r.semEscolha);
        QCOMPARE(NumIdioma, idioma);
        QCOMPARE(guardado(), depois);

        int proxima = 0;
        const QString erroProxima = erroDe([&] { EscolhaIdioma::IdiomaInicial(proxima); });
        QCOMPARE(r.janelas - janelas, janelasDepois);
        if (janelasDepois == 0)
            QCOMPARE(proxima, idioma);
        QCOMPARE(erroProxima, erro);
    }

    void languageButton_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<QString>("depois");

        const QByteArray ingles("Idioma=2");
        QTest::newRow("Spanish") << ingles << 1 << 1 << QString() << "1";
        QTest::newRow("close box keeps the stored value") << ingles << -1 << 0 << QString() << "2";
        QTest::newRow("close box, no key") << QByteArray() << -1 << 0 << QString() << "sem valor";
        QTest::newRow("close box leaves 7")
            << QByteArray("Idioma=7") << -1 << 0 << QString() << "7";
        QTest::newRow("over a corrupt value")
            << QByteArray("Idioma=x") << 1 << 1 << QString() << "1";
        QTest::newRow("unwritable, English kept")
            << QByteArray("bloqueio") << 2 << 2 << FalhaFixar << "sem chave";
    }

    void languageButton()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(int, resposta);
        QFETCH(int, idioma);
        QFETCH(QString, erro);
        QFETCH(QString, depois);
        prepara(corpo);

        QWidget principal;
        Resposta r(resposta);
        int NumIdioma = 2;
        QCOMPARE(erroDe([&] { EscolhaIdioma::EscolheIdioma(NumIdioma, &principal); }), erro);
        QCOMPARE(r.janelas, 1);
        QCOMPARE(NumIdioma, idioma);
        QCOMPARE(guardado(), depois);
    }

    // The texts each tick shows. Alone, a window starts with Spanish; beside
    // an older hidden instance that ticks in between, it sees every other
    // value of the shared counter.
    void rotation_data()
    {
        QTest::addColumn<bool>("comOculta");
        QTest::addColumn<QString>("ordem");
        QTest::newRow("first start, alone") << false << "es en pt es";
        QTest::newRow("language button, hidden instance ticking") << true << "en es pt en";
    }

    void rotation()
    {
        QFETCH(bool, comOculta);
        QFETCH(QString, ordem);
        // Versao, Comentarios, STPagIdioma, RG_Idioma caption.
        const QHash<QString, QString> textos{
            {"es", "Versión 2.0.1|Zirvano se distribuido libremente|Página personal de "
                   "Kaltor|Opción el Idioma"},
            {"en", "Version 2.0.1|Zirvano is distributed in regime of FreeWare|Home Page of "
                   "Kaltor|Choice the Language"},
            {"pt", "Versão 2.0.1|Zirvano é distribuído em regime de FreeWare|Página Pessoal do "
                   "Kaltor|Escolha o Idioma"},
        };
        const int intervalo = 400; // the real 2000 ms, scaled down

        std::unique_ptr<TFIdioma> oculta;
        if (comOculta) {
            oculta = std::make_unique<TFIdioma>();
            oculta->Timer1->start(intervalo);
            QVERIFY(QSignalSpy(oculta->Timer1, &QTimer::timeout).wait(5000));
            // Half a period later, out of step with the hidden instance.
            QTimer meio;
            meio.setSingleShot(true);
            QSignalSpy passou(&meio, &QTimer::timeout);
            meio.start(intervalo / 2);
            QVERIFY(passou.wait(5000));
        }

        TFIdioma janela;
        // The design texts show until the first tick.
        QCOMPARE(janela.Versao->text(), QStringLiteral("Versão 2.0.0"));
        QCOMPARE(janela.STPagIdioma->text(),
                 QStringLiteral("Página do desenvolvedor Kaltor - Velmiro"));
        janela.Timer1->start(intervalo);
        janela.show();
        QStringList vistos;
        connect(janela.Timer1, &QTimer::timeout, this, [&] {
            vistos << QStringList{janela.Versao->text(), janela.Comentarios->text(),
                                  janela.STPagIdioma->text(), janela.RG_Idioma->title()}
                          .join('|');
        });
        const QStringList esperados = ordem.split(' ');
        QTRY_VERIFY_WITH_TIMEOUT(vistos.size() >= esperados.size(), 10000);
        for (int i = 0; i < esperados.size(); ++i)
            QCOMPARE(vistos[i], textos[esperados[i]]);
    }

    void timerRunsHiddenEvery2Seconds()
    {
        TFIdioma janela;
        QCOMPARE(janela.Timer1->interval(), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(janela.Versao->text(), QStringLiteral("Versión 2.0.1"), 5000);
    }

    void choosing_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("fecha");
        for (int alt : {0, int(Qt::AltModifier)}) {
            const char *com = alt ? "Alt+" : "";
            QTest::addRow("%sP", com) << int(Qt::Key_P) << alt << 0 << true;
            QTest::addRow("%sE", com) << int(Qt::Key_E) << alt << 1 << true;
            QTest::addRow("%sN", com) << int(Qt::Key_N) << alt << 2 << true;
        }
        QTest::newRow("G") << int(Qt::Key_G) << 0 << -1 << false;
        QTest::newRow("Ctrl+E") << int(Qt::Key_E) << int(Qt::ControlModifier) << -1 << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << -1 << true;
    }

    void choosing()
    {
        QFETCH(int, tecla);
        QFETCH(int, modificadores);
        QFETCH(int, item);
        QFETCH(bool, fecha);
        TFIdioma janela;
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        QTest::keyClick(&janela, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
        if (fecha)
            QTRY_VERIFY(!janela.isVisible());
        QCOMPARE(janela.isVisible(), !fecha);
        QCOMPARE(janela.ItemIndex(), item);
    }
};

QTEST_MAIN(TstIdioma)
#include "tst_idioma.moc"
