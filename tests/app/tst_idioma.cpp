#include "app/escolhaidioma.h"
#include "app/tfidioma.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
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
// item (0, 1, 2) or, with -1, closes the window by its close box.
class Resposta : public QObject
{
public:
    explicit Resposta(int item) : item(item)
    {
        connect(&relogio, &QTimer::timeout, this, [this] {
            auto *janela = qobject_cast<TFIdioma *>(QApplication::activeModalWidget());
            if (!janela || janela == atendida)
                return;
            atendida = janela;
            ++janelas;
            // The window must come up with nothing chosen.
            semEscolha = semEscolha && janela->ItemIndex() == -1;
            if (this->item < 0)
                janela->close();
            else
                janela->RG_IdiomaItens[this->item]->click();
        });
        relogio.start(5);
    }
    int janelas = 0;
    bool semEscolha = true;

private:
    int item;
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

    QString arquivo() const
    {
        return platform::SettingsStore::FileOfKey(EscolhaIdioma::ChaveRegistro);
    }

    // Sets up the settings folder: a null body leaves the key missing;
    // "bloqueio" makes the config folder a plain file, "pasta" puts a
    // directory where the file should be.
    void prepara(const QByteArray &corpo, const QString &preparo)
    {
        if (preparo == QLatin1String("bloqueio")) {
            const QString bloqueio = config->path() + QStringLiteral("/bloqueio");
            QFile f(bloqueio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(bloqueio));
            return;
        }
        if (preparo == QLatin1String("pasta")) {
            QVERIFY(QDir().mkpath(arquivo()));
            return;
        }
        if (corpo.isNull())
            return;
        QVERIFY(QDir().mkpath(QFileInfo(arquivo()).absolutePath()));
        QFile f(arquivo());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(corpo);
    }

    // What the store holds now: "sem chave", "sem valor" or the stored text.
    QString guardado() const
    {
        if (!QFileInfo(arquivo()).isFile())
            return QStringLiteral("sem chave");
        QSettings s(arquivo(), QSettings::IniFormat);
        const QVariant v = s.value(EscolhaIdioma::ValorIdioma);
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
        QTest::addColumn<QString>("preparo");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<int>("janelas");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<QString>("depois");
        QTest::addColumn<int>("janelasNaSegunda"); // windows shown by the next start

        const QByteArray semChave;
        QTest::newRow("first start, Portuguese")
            << semChave << "" << 0 << 1 << 0 << QString() << "0" << 0;
        QTest::newRow("first start, Spanish")
            << semChave << "" << 1 << 1 << 1 << QString() << "1" << 0;
        QTest::newRow("first start, English")
            << semChave << "" << 2 << 1 << 2 << QString() << "2" << 0;
        QTest::newRow("first start, close box")
            << semChave << "" << -1 << 1 << 0 << QString() << "sem valor" << 0;
        QTest::newRow("stored 0") << QByteArray("Idioma=0\n") << "" << -1 << 0 << 0 << QString()
                                  << "0" << 0;
        QTest::newRow("stored 1") << QByteArray("Idioma=1\n") << "" << -1 << 0 << 1 << QString()
                                  << "1" << 0;
        QTest::newRow("stored 2") << QByteArray("Idioma=2\n") << "" << -1 << 0 << 2 << QString()
                                  << "2" << 0;
        QTest::newRow("key without value")
            << QByteArray("") << "" << 2 << 0 << 0 << QString() << "sem valor" << 0;
        QTest::newRow("stored -1")
            << QByteArray("Idioma=-1\n") << "" << 2 << 0 << 0 << QString() << "-1" << 0;
        QTest::newRow("stored 7, left as it is")
            << QByteArray("Idioma=7\n") << "" << 2 << 0 << 0 << QString() << "7" << 0;
        QTest::newRow("corrupt value")
            << QByteArray("Idioma=abc\n") << "" << 2 << 0 << 0 << TipoInvalido << "abc" << 0;
        QTest::newRow("too large") << QByteArray("Idioma=8589934592\n") << "" << 2 << 0 << 0
                                   << FalhaPuxar << "8589934592" << 0;
        // The choice cannot be saved: it still holds for this run, and the
        // next start asks again.
        QTest::newRow("unwritable config, English")
            << semChave << "bloqueio" << 2 << 1 << 2 << FalhaFixar << "sem chave" << 1;
        QTest::newRow("unwritable config, close box")
            << semChave << "bloqueio" << -1 << 1 << 0 << QString() << "sem chave" << 1;
        QTest::newRow("directory in place of the file, Spanish")
            << semChave << "pasta" << 1 << 1 << 1 << FalhaFixar << "sem chave" << 1;
    }

    void startUp()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(QString, preparo);
        QFETCH(int, resposta);
        QFETCH(int, janelas);
        QFETCH(int, idioma);
        QFETCH(QString, erro);
        QFETCH(QString, depois);
        QFETCH(int, janelasNaSegunda);
        prepara(corpo, preparo);

        Resposta r(resposta);
        int NumIdioma = 0;
        QCOMPARE(erroDe([&] { EscolhaIdioma::IdiomaInicial(NumIdioma); }), erro);
        QCOMPARE(r.janelas, janelas);
        QVERIFY(r.semEscolha);
        QCOMPARE(NumIdioma, idioma);
        QCOMPARE(guardado(), depois);

        // The next start: a stored choice or a key without value asks nothing.
        int proxima = 0;
        erroDe([&] { EscolhaIdioma::IdiomaInicial(proxima); });
        QCOMPARE(r.janelas - janelas, janelasNaSegunda);
        if (erro.isEmpty() && janelasNaSegunda == 0)
            QCOMPARE(proxima, idioma);
    }

    void languageButton_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        QTest::addColumn<QString>("preparo");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<QString>("depois");

        const QByteArray ingles("Idioma=2\n");
        QTest::newRow("Spanish over English") << ingles << "" << 1 << 1 << QString() << "1";
        QTest::newRow("Portuguese over English") << ingles << "" << 0 << 0 << QString() << "0";
        QTest::newRow("close box keeps the stored choice")
            << ingles << "" << -1 << 0 << QString() << "2";
        QTest::newRow("close box, no key: key made, nothing stored")
            << QByteArray() << "" << -1 << 0 << QString() << "sem valor";
        QTest::newRow("English, no key") << QByteArray() << "" << 2 << 2 << QString() << "2";
        QTest::newRow("close box leaves 7 alone")
            << QByteArray("Idioma=7\n") << "" << -1 << 0 << QString() << "7";
        QTest::newRow("over a corrupt value")
            << QByteArray("Idioma=abc\n") << "" << 1 << 1 << QString() << "1";
        QTest::newRow("unwritable, English kept for the run")
            << QByteArray() << "bloqueio" << 2 << 2 << FalhaFixar << "sem chave";
        QTest::newRow("directory in place of the file, close box")
            << QByteArray() << "pasta" << -1 << 0 << QString() << "sem chave";
    }

    void languageButton()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(QString, preparo);
        QFETCH(int, resposta);
        QFETCH(int, idioma);
        QFETCH(QString, erro);
        QFETCH(QString, depois);
        prepara(corpo, preparo);

        QWidget principal;
        Resposta r(resposta);
        int NumIdioma = 2;
        QCOMPARE(erroDe([&] { EscolhaIdioma::EscolheIdioma(NumIdioma, &principal); }), erro);
        QCOMPARE(r.janelas, 1);
        QVERIFY(r.semEscolha);
        QCOMPARE(NumIdioma, idioma);
        QCOMPARE(guardado(), depois);
    }

    void designTexts()
    {
        TFIdioma janela;
        QCOMPARE(janela.windowTitle(), QStringLiteral("Zirvano"));
        QCOMPARE(janela.size(), QSize(337, 304));
        QCOMPARE(janela.ItemIndex(), -1);
        QCOMPARE(janela.RG_Idioma->title(), QStringLiteral("Escolha o Idioma"));
        QCOMPARE(janela.RG_IdiomaItens[0]->text(), QStringLiteral("&Português"));
        QCOMPARE(janela.RG_IdiomaItens[1]->text(), QStringLiteral("&Español"));
        QCOMPARE(janela.RG_IdiomaItens[2]->text(), QStringLiteral("E&nglish"));
        QCOMPARE(janela.NomeAplic->text(), QStringLiteral("Zirvano"));
        QCOMPARE(janela.Versao->text(), QStringLiteral("Versão 2.0.0"));
        QCOMPARE(janela.Comentarios->text(),
                 QStringLiteral("Zirvano é distribuído em regime de FreeWare"));
        QCOMPARE(janela.STPagIdioma->text(),
                 QStringLiteral("Página do desenvolvedor Kaltor - Velmiro"));
        QCOMPARE(janela.STEMailIdioma->text(), QStringLiteral("EMail - kaltor@example.org"));
        QCOMPARE(janela.STEMailIdioma->statusTip(),
                 QStringLiteral("  Permite enviar EMail para o Kaltor - Velmiro"));
    }

    // The texts each tick shows, in order. Alone, a window starts with
    // Spanish; beside an older hidden instance that ticks in between, it sees
    // every other value of the shared counter.
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
        // Versao, Comentarios, STPagIdioma and the RG_Idioma caption.
        const QHash<QString, QStringList> textos{
            {"es",
             {"Versión 2.0.1", "Zirvano se distribuido libremente", "Página personal de Kaltor",
              "Opción el Idioma"}},
            {"en",
             {"Version 2.0.1", "Zirvano is distributed in regime of FreeWare",
              "Home Page of Kaltor", "Choice the Language"}},
            {"pt",
             {"Versão 2.0.1", "Zirvano é distribuído em regime de FreeWare",
              "Página Pessoal do Kaltor", "Escolha o Idioma"}},
        };
        const int intervalo = 400; // the real 2000 ms, scaled down

        std::unique_ptr<TFIdioma> oculta;
        if (comOculta) {
            oculta = std::make_unique<TFIdioma>();
            oculta->Timer1->start(intervalo);
            QSignalSpy tique(oculta->Timer1, &QTimer::timeout);
            QVERIFY(tique.wait(5000));
            // Half a period later, out of step with the hidden instance.
            QTimer meio;
            meio.setSingleShot(true);
            QSignalSpy passou(&meio, &QTimer::timeout);
            meio.start(intervalo / 2);
            QVERIFY(passou.wait(5000));
        }

        TFIdioma janela;
        janela.Timer1->start(intervalo);
        janela.show();
        QList<QStringList> vistos;
        connect(janela.Timer1, &QTimer::timeout, this, [&] {
            vistos << QStringList{janela.Versao->text(), janela.Comentarios->text(),
                                  janela.STPagIdioma->text(), janela.RG_Idioma->title()};
        });
        const QStringList esperados = ordem.split(' ');
        QTRY_VERIFY_WITH_TIMEOUT(vistos.size() >= esperados.size(), 10000);
        for (int i = 0; i < esperados.size(); ++i)
            QCOMPARE(vistos[i], textos[esperados[i]]);
    }

    void timerRunsHiddenEvery2Seconds()
    {
        TFIdioma janela;
        QVERIFY(!janela.isVisible());
        QCOMPARE(janela.Timer1->interval(), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(janela.Versao->text(), QStringLiteral("Versión 2.0.1"), 5000);
    }

    void choosing_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<Qt::KeyboardModifiers>("modificadores");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("fecha");
        const Qt::KeyboardModifiers nada = Qt::NoModifier;
        QTest::newRow("P") << int(Qt::Key_P) << nada << 0 << true;
        QTest::newRow("E") << int(Qt::Key_E) << nada << 1 << true;
        QTest::newRow("N") << int(Qt::Key_N) << nada << 2 << true;
        QTest::newRow("Alt+P") << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::AltModifier) << 0
                               << true;
        QTest::newRow("Alt+E") << int(Qt::Key_E) << Qt::KeyboardModifiers(Qt::AltModifier) << 1
                               << true;
        QTest::newRow("Alt+N") << int(Qt::Key_N) << Qt::KeyboardModifiers(Qt::AltModifier) << 2
                               << true;
        QTest::newRow("G is no accelerator") << int(Qt::Key_G) << nada << -1 << false;
        QTest::newRow("Ctrl+E is no accelerator")
            << int(Qt::Key_E) << Qt::KeyboardModifiers(Qt::ControlModifier) << -1 << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << nada << -1 << true;
    }

    void choosing()
    {
        QFETCH(int, tecla);
        QFETCH(Qt::KeyboardModifiers, modificadores);
        QFETCH(int, item);
        QFETCH(bool, fecha);
        TFIdioma janela;
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        QTest::keyClick(&janela, Qt::Key(tecla), modificadores);
        if (fecha)
            QTRY_VERIFY(!janela.isVisible());
        else
            QVERIFY(janela.isVisible());
        QCOMPARE(janela.ItemIndex(), item);
    }

    void mouseChoiceAndCloseBox_data()
    {
        QTest::addColumn<int>("item");
        QTest::newRow("close box") << -1;
        QTest::newRow("click Português") << 0;
        QTest::newRow("click Español") << 1;
        QTest::newRow("click English") << 2;
    }

    void mouseChoiceAndCloseBox()
    {
        QFETCH(int, item);
        TFIdioma janela;
        QTimer::singleShot(0, &janela, [&] {
            if (item < 0)
                janela.close();
            else
                QTest::mouseClick(janela.RG_IdiomaItens[item], Qt::LeftButton);
        });
        janela.exec();
        QCOMPARE(janela.ItemIndex(), item);
    }
};

QTEST_MAIN(TstIdioma)
#include "tst_idioma.moc"
