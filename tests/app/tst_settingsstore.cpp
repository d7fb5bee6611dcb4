#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <memory>
#include <unistd.h>

using platform::SettingsError;
using platform::SettingsStore;

namespace {
const QString Chave = QStringLiteral("Brevanto\\Zirvano");
const QString Valor = QStringLiteral("Idioma");
const QString TipoInvalido = QStringLiteral("Tipo de dado inválido para 'Idioma'");
const QString FalhaPuxar = QStringLiteral("Falha ao puxar dados para 'Idioma'");
const QString FalhaFixar = QStringLiteral("Falha ao fixar dados para 'Idioma'");
} // namespace

class TstSettingsStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config;

    QString pasta() const { return config->path() + QStringLiteral("/Brevanto"); }
    QString arquivo() const { return pasta() + QStringLiteral("/Zirvano.ini"); }

    void grava(const QByteArray &conteudo)
    {
        QVERIFY(QDir().mkpath(pasta()));
        QFile f(arquivo());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(conteudo);
    }

    QByteArray conteudo() const
    {
        QFile f(arquivo());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The text of the SettingsError raised by op, or an empty string.
    template <class F> static QString erroDe(F &&op)
    {
        try {
            op();
        } catch (const SettingsError &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    }

private slots:
    void init()
    {
        config = std::make_unique<QTemporaryDir>();
        QVERIFY(config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config->path()));
    }

    void cleanup()
    {
        // Undo any permission change so the folder can be removed.
        QFile::setPermissions(pasta(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
        config.reset();
    }

    void theFileIsTheKey()
    {
        SettingsStore s;
        QVERIFY(!s.OpenKey(Chave, false));
        QVERIFY(!QFile::exists(arquivo()));
        QVERIFY(!s.ValueExists(Valor));

        QVERIFY(s.OpenKey(Chave, true));
        QVERIFY(QFile::exists(arquivo()));
        QVERIFY(!s.ValueExists(Valor));
        s.CloseKey();

        SettingsStore depois;
        QVERIFY(depois.OpenKey(Chave, false));
        QVERIFY(!depois.ValueExists(Valor));
        QCOMPARE(SettingsStore::FileOfKey(Chave), arquivo());
    }

    void writeThenRead_data()
    {
        QTest::addColumn<qint32>("valor");
        QTest::newRow("0") << 0;
        QTest::newRow("2") << 2;
        QTest::newRow("-1") << -1;
        QTest::newRow("max") << std::numeric_limits<qint32>::max();
        QTest::newRow("min") << std::numeric_limits<qint32>::min();
    }

    void writeThenRead()
    {
        QFETCH(qint32, valor);
        {
            SettingsStore s;
            QVERIFY(s.OpenKey(Chave, true));
            s.WriteInteger(Valor, valor);
        }
        // Saved at once: another store sees it, and so does the file.
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, false));
        QVERIFY(s.ValueExists(Valor));
        QCOMPARE(s.ReadInteger(Valor), valor);
        QVERIFY(conteudo().contains("Idioma=" + QByteArray::number(valor)));
    }

    void readStoredText_data()
    {
        QTest::addColumn<QByteArray>("arquivo");
        QTest::addColumn<qint32>("valor");
        QTest::addColumn<QString>("erro");
        QTest::newRow("plain") << QByteArray("Idioma=1\n") << 1 << QString();
        QTest::newRow("section") << QByteArray("[General]\nIdioma=2\n") << 2 << QString();
        QTest::newRow("spaces") << QByteArray("Idioma = 7 \n") << 7 << QString();
        QTest::newRow("negative") << QByteArray("Idioma=-5\n") << -5 << QString();
        QTest::newRow("word") << QByteArray("Idioma=abc\n") << 0 << TipoInvalido;
        QTest::newRow("empty") << QByteArray("Idioma=\n") << 0 << TipoInvalido;
        QTest::newRow("fraction") << QByteArray("Idioma=1.5\n") << 0 << TipoInvalido;
        QTest::newRow("hex") << QByteArray("Idioma=0x10\n") << 0 << TipoInvalido;
        QTest::newRow("list") << QByteArray("Idioma=1, 2\n") << 0 << TipoInvalido;
        QTest::newRow("bytes") << QByteArray("Idioma=@ByteArray(12)\n") << 0 << TipoInvalido;
        QTest::newRow("2^31") << QByteArray("Idioma=2147483648\n") << 0 << FalhaPuxar;
        QTest::newRow("2^32-1") << QByteArray("Idioma=4294967295\n") << 0 << FalhaPuxar;
        QTest::newRow("-2^31-1") << QByteArray("Idioma=-2147483649\n") << 0 << FalhaPuxar;
        QTest::newRow("huge") << QByteArray("Idioma=123456789012345678901234567890\n") << 0
                              << FalhaPuxar;
    }

    void readStoredText()
    {
        QFETCH(QByteArray, arquivo);
        QFETCH(qint32, valor);
        QFETCH(QString, erro);
        grava(arquivo);
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, false));
        QVERIFY(s.ValueExists(Valor));
        qint32 lido = 0;
        QCOMPARE(erroDe([&] { lido = s.ReadInteger(Valor); }), erro);
        QCOMPARE(lido, valor);
        // Reading never rewrites what the user put there.
        s.CloseKey();
        QCOMPARE(conteudo(), arquivo);
    }

    void readingAMissingValueIsAnError()
    {
        grava("Outro=1\n");
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, false));
        QVERIFY(!s.ValueExists(Valor));
        QCOMPARE(erroDe([&] { s.ReadInteger(Valor); }), TipoInvalido);
    }

    void writeKeepsOtherValues()
    {
        grava("[General]\nOutro=abc\nIdioma=1\n");
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, true));
        s.WriteInteger(Valor, 2);
        s.CloseKey();
        QVERIFY(conteudo().contains("Outro=abc"));
        QVERIFY(conteudo().contains("Idioma=2"));
    }

    // Every way the key can be out of reach: the store opens nothing, writing
    // raises the error text, and whatever was stored stays as it was.
    void unwritable_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("precisaPermissoes");
        QTest::newRow("folder is a file") << "pastaArquivo" << false;
        QTest::newRow("config folder is a file") << "configArquivo" << false;
        QTest::newRow("directory in place of the file") << "arquivoPasta" << false;
        QTest::newRow("read-only folder, no file") << "pastaSomenteLeitura" << true;
        QTest::newRow("read-only folder, file") << "pastaSomenteLeituraComArquivo" << true;
        QTest::newRow("read-only file") << "arquivoSomenteLeitura" << true;
        QTest::newRow("unreadable file") << "arquivoIlegivel" << true;
    }

    void unwritable()
    {
        QFETCH(QString, caso);
        QFETCH(bool, precisaPermissoes);
        if (precisaPermissoes && geteuid() == 0)
            QSKIP("permissions do not bind the superuser");

        const QFile::Permissions leitura = QFile::ReadOwner | QFile::ExeOwner;
        QByteArray antes;
        if (caso == QLatin1String("pastaArquivo")) {
            QFile f(pasta());
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (caso == QLatin1String("configArquivo")) {
            const QString bloqueio = config->path() + QStringLiteral("/bloqueio");
            QFile f(bloqueio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(bloqueio));
        } else if (caso == QLatin1String("arquivoPasta")) {
            QVERIFY(QDir().mkpath(arquivo()));
        } else if (caso == QLatin1String("pastaSomenteLeitura")) {
            QVERIFY(QDir().mkpath(pasta()));
            QVERIFY(QFile::setPermissions(pasta(), leitura));
        } else if (caso == QLatin1String("pastaSomenteLeituraComArquivo")) {
            antes = "[General]\nIdioma=1\n";
            grava(antes);
            QVERIFY(QFile::setPermissions(pasta(), leitura));
        } else if (caso == QLatin1String("arquivoSomenteLeitura")) {
            antes = "[General]\nIdioma=1\n";
            grava(antes);
            QVERIFY(QFile::setPermissions(arquivo(), QFile::ReadOwner));
        } else if (caso == QLatin1String("arquivoIlegivel")) {
            antes = "[General]\nIdioma=1\n";
            grava(antes);
            QVERIFY(QFile::setPermissions(arquivo(), QFile::WriteOwner));
        }

        SettingsStore s;
        const bool aberta = s.OpenKey(Chave, true);
        QCOMPARE(erroDe([&] { s.WriteInteger(Valor, 2); }), FalhaFixar);
        if (!aberta)
            QVERIFY(!s.ValueExists(Valor));
        s.CloseKey();
        QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
        if (!antes.isEmpty())
            QCOMPARE(conteudo(), antes);
    }

    void unopenableKeyCountsAsMissing_data()
    {
        QTest::addColumn<QString>("chave");
        QTest::newRow("empty path") << QString();
        QTest::newRow("only separators") << QStringLiteral("\\\\");
    }

    void unopenableKeyCountsAsMissing()
    {
        QFETCH(QString, chave);
        SettingsStore s;
        QVERIFY(!s.OpenKey(chave, true));
        QCOMPARE(erroDe([&] { s.WriteInteger(Valor, 1); }), FalhaFixar);
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
