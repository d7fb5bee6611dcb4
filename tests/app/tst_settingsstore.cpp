#include "platform/settingsstore.h"
#include "tests/errosajustes.h"

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
using errosajustes::FalhaFixar;
using errosajustes::FalhaPuxar;
using errosajustes::TipoInvalido;

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

    // Edge texts of a hand-edited file: spaces around a number, and integers
    // just or far beyond 32 bits.
    void readStoredText_data()
    {
        QTest::addColumn<QByteArray>("linha");
        QTest::addColumn<qint32>("valor");
        QTest::addColumn<QString>("erro");
        QTest::newRow("spaces") << QByteArray("Idioma = 7 ") << 7 << QString();
        QTest::newRow("hex") << QByteArray("Idioma=0x10") << 0 << TipoInvalido;
        QTest::newRow("2^31") << QByteArray("Idioma=2147483648") << 0 << FalhaPuxar;
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
        qint32 lido = 0;
        QCOMPARE(erroDe([&] { lido = s.ReadInteger(QStringLiteral("Idioma")); }), erro);
        QCOMPARE(lido, valor);
    }

    // Out of reach: writing raises the error text, and the key reads as
    // before, in this process too.
    void unwritable_data()
    {
        QTest::addColumn<bool>("ilegivel");
        QTest::newRow("config folder is a file") << false;
        QTest::newRow("unreadable file") << true;
    }

    void unwritable()
    {
        QFETCH(bool, ilegivel);
        if (ilegivel) {
            if (geteuid() == 0)
                QSKIP("permissions do not bind the superuser");
            grava("[General]\nIdioma=1\n");
            QVERIFY(QFile::setPermissions(arquivo(), QFile::WriteOwner));
        } else {
            QVERIFY(QFile(pasta()).open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(pasta()));
        }
        SettingsStore s;
        QVERIFY(!s.OpenKey(Chave, true));
        QCOMPARE(erroDe([&] { s.WriteInteger(QStringLiteral("Idioma"), 2); }), FalhaFixar);
        QVERIFY(!s.OpenKey(Chave, false));
        if (ilegivel) {
            QFile::setPermissions(arquivo(), QFile::ReadOwner | QFile::WriteOwner);
            QVERIFY(s.OpenKey(Chave, false));
            QCOMPARE(s.ReadInteger(QStringLiteral("Idioma")), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
