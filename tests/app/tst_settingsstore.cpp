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
const QString TipoInvalido = QStringLiteral("Tipo de dado inválido para 'Idioma'");
const QString FalhaPuxar = QStringLiteral("Falha ao puxar dados para 'Idioma'");
const QString FalhaFixar = QStringLiteral("Falha ao fixar dados para 'Idioma'");

// The text of the SettingsError raised by op, or an empty string.
template <class F> QString erroDe(F &&op)
{
    try {
        op();
    } catch (const SettingsError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}
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

private slots:
    void init()
    {
        config = std::make_unique<QTemporaryDir>();
        QVERIFY(config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config->path()));
    }

    void cleanup()
    {
        // Undo permission changes so the folder can be removed.
        QFile::setPermissions(pasta(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
        config.reset();
    }

    void writeThenRead_data()
    {
        QTest::addColumn<qint32>("valor");
        QTest::newRow("2") << 2;
        QTest::newRow("max") << std::numeric_limits<qint32>::max();
        QTest::newRow("min") << std::numeric_limits<qint32>::min();
    }

    void writeThenRead()
    {
        QFETCH(qint32, valor);
        grava("[General]\nOutro=abc\n");
        {
            SettingsStore s;
            QVERIFY(s.OpenKey(Chave, true));
            s.WriteInteger(QStringLiteral("Idioma"), valor);
        }
        // Saved at once, beside what the file held already.
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, false));
        QCOMPARE(s.ReadInteger(QStringLiteral("Idioma")), valor);
        QVERIFY(conteudo().contains("Outro=abc"));
    }

    void readStoredText_data()
    {
        QTest::addColumn<QByteArray>("linha");
        QTest::addColumn<qint32>("valor");
        QTest::addColumn<QString>("erro");
        QTest::newRow("plain") << QByteArray("Idioma=1") << 1 << QString();
        QTest::newRow("spaces") << QByteArray("Idioma = 7 ") << 7 << QString();
        QTest::newRow("negative") << QByteArray("Idioma=-5") << -5 << QString();
        QTest::newRow("word") << QByteArray("Idioma=abc") << 0 << TipoInvalido;
        QTest::newRow("empty") << QByteArray("Idioma=") << 0 << TipoInvalido;
        QTest::newRow("fraction") << QByteArray("Idioma=1.5") << 0 << TipoInvalido;
        QTest::newRow("list") << QByteArray("Idioma=1, 2") << 0 << TipoInvalido;
        QTest::newRow("2^31") << QByteArray("Idioma=2147483648") << 0 << FalhaPuxar;
        QTest::newRow("-2^31-1") << QByteArray("Idioma=-2147483649") << 0 << FalhaPuxar;
        QTest::newRow("beyond 64 bits")
            << QByteArray("Idioma=123456789012345678901234") << 0 << FalhaPuxar;
    }

    void readStoredText()
    {
        QFETCH(QByteArray, linha);
        QFETCH(qint32, valor);
        QFETCH(QString, erro);
        grava("[General]\n" + linha + "\n");
        SettingsStore s;
        QVERIFY(s.OpenKey(Chave, false));
        QVERIFY(s.ValueExists(QStringLiteral("Idioma")));
        qint32 lido = 0;
        QCOMPARE(erroDe([&] { lido = s.ReadInteger(QStringLiteral("Idioma")); }), erro);
        QCOMPARE(lido, valor);
        s.CloseKey();
        QCOMPARE(conteudo(), "[General]\n" + linha + "\n"); // reading rewrites nothing
    }

    // The key out of reach: writing raises the error text and whatever was
    // stored stays as it was.
    void unwritable_data()
    {
        QTest::addColumn<int>("caso");
        QTest::newRow("config folder is a file") << 0;
        QTest::newRow("directory in place of the file") << 1;
        QTest::newRow("read-only folder") << 2;
        QTest::newRow("read-only file") << 3;
        QTest::newRow("unreadable file") << 4;
    }

    void unwritable()
    {
        QFETCH(int, caso);
        if (caso >= 2 && geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        const QByteArray antes = caso >= 2 ? "[General]\nIdioma=1\n" : "";
        switch (caso) {
        case 0:
            QVERIFY(QFile(pasta()).open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(pasta()));
            break;
        case 1:
            QVERIFY(QDir().mkpath(arquivo()));
            break;
        default:
            grava(antes);
            QVERIFY(caso == 2 ? QFile::setPermissions(pasta(), QFile::ReadOwner | QFile::ExeOwner)
                              : QFile::setPermissions(arquivo(), caso == 3 ? QFile::ReadOwner
                                                                           : QFile::WriteOwner));
        }
        SettingsStore s;
        s.OpenKey(Chave, true);
        QCOMPARE(erroDe([&] { s.WriteInteger(QStringLiteral("Idioma"), 2); }), FalhaFixar);
        s.CloseKey();
        QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
        if (caso >= 2)
            QCOMPARE(conteudo(), antes);
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
