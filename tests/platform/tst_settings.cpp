// Faults of the per-user settings store: whatever happens to the file or its
// folder, the stored language is afterwards the old valid value or the new
// one, never lost or half-written, and a failed save is reported.
#include "childprocess.h"
#include "platform/settingsstore.h"
#include "tests/errosajustes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <optional>
#include <unistd.h>

namespace {

const QString Key = QStringLiteral("Brevanto\\Zirvano");
const QString Name = QStringLiteral("Idioma");

QString file()
{
    return platform::SettingsStore::FileOfKey(Key);
}

void writeRaw(const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(file()).absolutePath());
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The stored value as a fresh store reads it; nothing when unreadable.
std::optional<qint32> stored()
{
    platform::SettingsStore s;
    if (!s.OpenKey(Key, false) || !s.ValueExists(Name))
        return std::nullopt;
    try {
        return s.ReadInteger(Name);
    } catch (const platform::SettingsError &) {
        return std::nullopt;
    }
}

// Writes value; returns the error text, empty on success.
QString write(qint32 value)
{
    platform::SettingsStore s;
    try {
        s.OpenKey(Key, true);
        s.WriteInteger(Name, value);
    } catch (const platform::SettingsError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

// Child mode: write 0, 1, 2, 0, ... until killed.
int writeForever()
{
    for (qint32 i = 0;; i = (i + 1) % 3) {
        platform::SettingsStore s;
        s.OpenKey(Key, true);
        s.WriteInteger(Name, i);
    }
}

// Permissions do not bind the superuser, so as root the write under test is
// made by a child that has become this user, over a tree it owns.
constexpr uid_t Nobody = 65534;

bool chownTree(const QString &root)
{
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    bool ok = ::chown(QFile::encodeName(root).constData(), Nobody, Nobody) == 0;
    while (it.hasNext())
        ok = ::chown(QFile::encodeName(it.next()).constData(), Nobody, Nobody) == 0 && ok;
    return ok;
}

// Child mode: drop to nobody, write the value, print the error text.
int writeAsNobody(qint32 value)
{
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
        return 2;
    std::fputs(write(value).toUtf8().constData(), stdout);
    return 0;
}

QString writeAsNobodyChild(const QString &home, qint32 value)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--write-as-nobody"), QString::number(value)});
    if (!child.waitForFinished() || child.exitCode() != 0)
        return QStringLiteral("child failed");
    return QString::fromUtf8(child.readAllStandardOutput());
}

} // namespace

class TstSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void damagedFiles_data();
    void damagedFiles();
    void storedValues_data();
    void storedValues();
    void readOnlyPlaces_data();
    void readOnlyPlaces();
    void directoryInPlaceOfFile();
    void killedDuringWrite();

private:
    std::unique_ptr<QTemporaryDir> home;
};

void TstSettings::init()
{
    home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", home->path().toLocal8Bit());
}

void TstSettings::cleanup()
{
    // Give the folders back their write bits so the temporary folder can go.
    QDir dir(home->path());
    QFile::setPermissions(QFileInfo(file()).absolutePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
    home.reset();
}

void TstSettings::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("contents");

    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QByteArray noise(4096, '\0');
    QRandomGenerator rng(7);
    for (char &c : noise)
        c = static_cast<char>(rng.generate());
    QTest::newRow("random bytes") << noise;
    QTest::newRow("10 MB") << QByteArray("[General]\nIdioma=1\n") + QByteArray(10 << 20, 'x');
    QTest::newRow("value without section") << QByteArray("Idioma=2");
}

void TstSettings::damagedFiles()
{
    QFETCH(QByteArray, contents);
    if (QTest::currentDataTag() != QLatin1String("missing"))
        writeRaw(contents);

    // Reading never crashes; a new choice is then stored and read back.
    (void)stored();
    QCOMPARE(write(2), QString());
    QCOMPARE(stored(), std::optional<qint32>(2));
    QCOMPARE(write(0), QString());
    QCOMPARE(stored(), std::optional<qint32>(0));
}

void TstSettings::storedValues_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("error");

    const QString &type = errosajustes::TipoInvalido;
    const QString &size = errosajustes::FalhaPuxar;
    QTest::newRow("word") << QByteArray("abc") << 0 << type;
    QTest::newRow("real") << QByteArray("1.5") << 0 << type;
    QTest::newRow("empty") << QByteArray("") << 0 << type;
    QTest::newRow("list") << QByteArray("1, 2") << 0 << type;
    QTest::newRow("too large") << QByteArray("4294967296") << 0 << size;
    QTest::newRow("too small") << QByteArray("-2147483649") << 0 << size;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647 << QString();
    QTest::newRow("negative") << QByteArray("-1") << -1 << QString();
    QTest::newRow("three") << QByteArray("3") << 3 << QString();
}

void TstSettings::storedValues()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QFETCH(QString, error);

    writeRaw("[General]\nIdioma=" + text + "\n");
    platform::SettingsStore s;
    QVERIFY(s.OpenKey(Key, false));
    QVERIFY(s.ValueExists(Name));
    QString raised;
    qint32 read = 0;
    try {
        read = s.ReadInteger(Name);
    } catch (const platform::SettingsError &e) {
        raised = QString::fromUtf8(e.what());
    }
    QCOMPARE(raised, error);
    QCOMPARE(read, value);
    // A bad value is never rewritten by reading it.
    QFile f(file());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("Idioma=" + text));
}

void TstSettings::readOnlyPlaces_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("folder read-only") << true;
    QTest::newRow("file read-only") << false;
}

void TstSettings::readOnlyPlaces()
{
    QFETCH(bool, folder);
    QCOMPARE(write(1), QString());
    const bool root = ::geteuid() == 0;
    if (root) {
        // Root writes as nobody, in a child.
        if (const QString why = WhyNoChildProcess(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(chownTree(home->path()));
    }
    const QString target = folder ? QFileInfo(file()).absolutePath() : file();
    QVERIFY(QFile::setPermissions(target,
                                  folder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
    const QString error = root ? writeAsNobodyChild(home->path(), 2) : write(2);
    QCOMPARE(error, errosajustes::FalhaFixar);
    QCOMPARE(stored(), std::optional<qint32>(1));
}

void TstSettings::directoryInPlaceOfFile()
{
    QVERIFY(QDir().mkpath(file()));
    platform::SettingsStore s;
    QVERIFY(!s.OpenKey(Key, false));
    QVERIFY(!s.OpenKey(Key, true));
    QCOMPARE(write(1), errosajustes::FalhaFixar);
    QVERIFY(QFileInfo(file()).isDir());
}

void TstSettings::killedDuringWrite()
{
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QCOMPARE(write(0), QString());
    QRandomGenerator rng(2026);
    for (int round = 0; round < 15; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home->path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-forever")});
        QVERIFY(child.waitForStarted());
        QTest::qWait(20 + int(rng.bounded(60)));
        child.kill();
        QVERIFY(child.waitForFinished());
        const auto value = stored();
        QVERIFY2(value && *value >= 0 && *value <= 2, qPrintable(QString::number(round)));
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--write-forever")
        return writeForever();
    if (argc > 2 && QByteArray(argv[1]) == "--write-as-nobody")
        return writeAsNobody(QByteArray(argv[2]).toInt());
    TstSettings t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_settings.moc"
