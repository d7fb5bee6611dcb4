#include "record/record.h"
#include "tests/platform/childprocess.h"
#include "tests/record/recordtests.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <unistd.h>

using namespace record;
using namespace recordtests;

namespace {

const QDateTime Inicio(QDate(2026, 12, 9), QTime(15, 30), Qt::UTC);
constexpr int PorCorrida = 120; // answers of a two-minute course run
constexpr uid_t Nobody = 65534;

void Diz(const QString &linha)
{
    std::fputs(qPrintable(linha + u'\n'), stdout);
    std::fflush(stdout);
}

// Child: stores n runs of m answers tagged tag, saying "stored k" after each.
int GuardaCorridas(const QString &path, int n, int m, const QString &tag)
{
    Record r;
    if (!r.open(path))
        return 2;
    for (int k = 1; k <= n; ++k) {
        if (!r.store(Corrida(Kind::Course, m, Inicio.addSecs(k), tag)))
            return 1;
        Diz(QStringLiteral("stored %1").arg(k));
    }
    return 0;
}

// Child: as nobody where it runs as root (permissions do not bind root),
// opens the record, stores a run, and says what came of it.
int AbreComoNobody(const QString &path)
{
    if (::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
        return 2;
    Record r;
    QStringList ditos;
    QObject::connect(&r, &Record::problem, [&](const QString &m) { ditos.append(m); });
    const bool aberto = r.open(path);
    const bool guardado = r.store(Corrida(Kind::Course, 3, Inicio));
    Diz(QStringLiteral("%1 %2 %3")
            .arg(aberto)
            .arg(guardado)
            .arg(QFileInfo(r.setAsideAs()).fileName()));
    for (const QString &m : std::as_const(ditos))
        Diz(m);
    return 0;
}

QStringList Linhas(QProcess &p)
{
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

void Inicia(QProcess &p, const QStringList &argumentos)
{
    p.start(QCoreApplication::applicationFilePath(), argumentos);
}

} // namespace

// The record when its file is not what it should be, and under more than
// one writer.
class TstRecordFaults : public QObject
{
    Q_OBJECT

private slots:
    void init() { pasta = std::make_unique<QTemporaryDir>(); }
    void unusableFileIsSetAside_data();
    void unusableFileIsSetAside();
    void setAsideAgainKeepsBoth();
    void lockedByAnotherConnection();
    void unreadableFile_data();
    void unreadableFile();
    void failedStoreIsKeptAndStoredLater();
    void twoConnectionsShareTheRecord();
    void twoProcessesWriteAtOnce();
    void killMidRunLosesNothingStored();

private:
    QString Arquivo() const { return pasta->filePath(QStringLiteral("record.sqlite")); }
    void Preenche(int corridas)
    {
        Record r;
        QVERIFY(r.open(Arquivo()));
        for (int i = 0; i < corridas; ++i)
            QVERIFY(r.store(Corrida(Kind::Course, PorCorrida, Inicio.addSecs(i))));
    }
    std::unique_ptr<QTemporaryDir> pasta;
};

void TstRecordFaults::unusableFileIsSetAside_data()
{
    QTest::addColumn<QString>("estrago");
    QTest::addColumn<QString>("etiqueta"); // in the name it is set aside under
    QTest::addColumn<QString>("motivo");   // in the message
    QTest::newRow("garbage") << "garbage"
                             << "damaged"
                             << "damaged";
    QTest::newRow("truncated") << "truncated"
                               << "damaged"
                               << "damaged";
    QTest::newRow("a page overwritten") << "page"
                                        << "damaged"
                                        << "damaged";
    QTest::newRow("another program's database") << "foreign"
                                                << "foreign"
                                                << "no record";
    QTest::newRow("a version without its tables") << "tableless"
                                                  << "foreign"
                                                  << "no record";
    QTest::newRow("a folder in its place") << "folder"
                                           << "unreadable"
                                           << "other than a file";
}

void TstRecordFaults::unusableFileIsSetAside()
{
    QFETCH(QString, estrago);
    QFETCH(QString, etiqueta);
    QFETCH(QString, motivo);
    if (estrago == u"garbage") {
        QByteArray lixo(8192, '\0');
        QRandomGenerator gerador(19);
        for (char &c : lixo)
            c = char(gerador.bounded(256));
        QVERIFY(Escreve(Arquivo(), lixo));
    } else if (estrago == u"truncated" || estrago == u"page") {
        Preenche(40);
        QByteArray bytes = Le(Arquivo());
        if (estrago == u"truncated")
            bytes.truncate(bytes.size() / 2);
        else
            bytes.replace(4096 * 3, 4096, QByteArray(4096, '\x5a'));
        QVERIFY(Escreve(Arquivo(), bytes));
    } else if (estrago == u"foreign" || estrago == u"tableless") {
        QVERIFY(Bruta(Arquivo()).executa(estrago == u"foreign"
                                             ? QStringLiteral("CREATE TABLE notes (body TEXT)")
                                             : QStringLiteral("PRAGMA user_version = 1")));
    } else {
        QVERIFY(QDir().mkpath(Arquivo() + QStringLiteral("/inside")));
    }
    const QByteArray antes = Le(Arquivo());

    Record r;
    QSignalSpy problemas(&r, &Record::problem);
    QVERIFY(r.open(Arquivo()));
    // Set aside beside it, as it was, under a name that says why and when.
    const QString posto = r.setAsideAs();
    QVERIFY2(QFileInfo(posto).fileName().contains(QRegularExpression(
                 QStringLiteral("^record\\.sqlite\\.%1-\\d{8}-\\d{4}$").arg(etiqueta))),
             qPrintable(posto));
    QCOMPARE(QFileInfo(posto).absolutePath(), pasta->path());
    QCOMPARE(Le(posto), antes);
    QCOMPARE(QFileInfo::exists(posto + QStringLiteral("/inside")), estrago == u"folder");
    // Said once: the file, why, where it went.
    QCOMPARE(problemas.size(), 1);
    const QString dito = problemas.at(0).at(0).toString();
    for (const QString &parte : {motivo, QFileInfo(posto).fileName(), QStringLiteral("new record")})
        QVERIFY2(dito.contains(parte), qPrintable(dito));
    // The fresh record works, and is found sound the next time.
    QVERIFY(r.store(Corrida(Kind::Course, 5, Inicio)));
    QVERIFY(r.open(Arquivo()));
    QCOMPARE(r.answers().size(), 5);
    QVERIFY(r.setAsideAs().isEmpty());
    QCOMPARE(problemas.size(), 1);
}

void TstRecordFaults::setAsideAgainKeepsBoth()
{
    QStringList postos;
    for (const QByteArray &lixo : {QByteArray("first damage"), QByteArray("second damage")}) {
        QVERIFY(Escreve(Arquivo(), lixo.repeated(100)));
        Record r;
        QVERIFY(r.open(Arquivo()));
        postos.append(r.setAsideAs());
    }
    QCOMPARE(Le(postos[0]), QByteArray("first damage").repeated(100));
    QCOMPARE(Le(postos[1]), QByteArray("second damage").repeated(100));
}

void TstRecordFaults::lockedByAnotherConnection()
{
    Preenche(2);
    auto dono = std::make_unique<Bruta>(Arquivo());
    QVERIFY(dono->executa(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")));
    QVERIFY(dono->executa(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(dono->executa(QStringLiteral("DELETE FROM answer WHERE id < 0")));

    Record r;
    r.setBusyTimeout(200);
    QSignalSpy problemas(&r, &Record::problem);
    QVERIFY(r.open(Arquivo()));
    QCOMPARE(problemas.size(), 1);
    QVERIFY(problemas.at(0).at(0).toString().contains(QStringLiteral("locked")));
    const QString posto = r.setAsideAs();
    QVERIFY2(QFileInfo(posto).fileName().startsWith(QStringLiteral("record.sqlite.locked-")),
             qPrintable(posto));
    QVERIFY(r.store(Corrida(Kind::Reception, 1, Inicio)));
    QCOMPARE(r.answers().size(), 1);
    // The holder went on with its file under the new name; nothing was lost.
    QVERIFY(dono->executa(QStringLiteral("COMMIT")));
    dono.reset();
    QCOMPARE(Bruta(posto).valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(),
             2 * PorCorrida);
}

void TstRecordFaults::unreadableFile_data()
{
    QTest::addColumn<bool>("pastaGravavel");
    QTest::newRow("folder writable: set aside") << true;
    QTest::newRow("folder read-only: no record") << false;
}

void TstRecordFaults::unreadableFile()
{
    QFETCH(bool, pastaGravavel);
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    const QString lugar = pasta->filePath(QStringLiteral("dados"));
    const QString arquivo = lugar + QStringLiteral("/record.sqlite");
    {
        Record r;
        QVERIFY(r.open(arquivo));
        QVERIFY(r.store(Corrida(Kind::Course, 4, Inicio)));
    }
    const QByteArray antes = Le(arquivo);
    using P = QFileDevice;
    QVERIFY(QFile::setPermissions(arquivo, P::Permissions()));
    QVERIFY(QFile::setPermissions(pasta->path(),
                                  P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ExeOther));
    QVERIFY(QFile::setPermissions(lugar, P::ReadOwner | P::ExeOwner | P::ReadOther | P::ExeOther |
                                             (pastaGravavel ? P::WriteOwner : P::Permissions())));
    // Run by nobody as root: the folder is then nobody's where it may be written.
    if (::geteuid() == 0 && pastaGravavel)
        QVERIFY(::chown(QFile::encodeName(lugar).constData(), Nobody, Nobody) == 0);
    QProcess filho;
    Inicia(filho, {QStringLiteral("--open-as-nobody"), arquivo});
    QVERIFY(filho.waitForFinished());
    QCOMPARE(filho.exitCode(), 0);
    const QStringList linhas = Linhas(filho);
    QVERIFY(QFile::setPermissions(lugar, P::ReadOwner | P::WriteOwner | P::ExeOwner));

    QCOMPARE(linhas.size(), 2); // what came of it, and one message
    QVERIFY2(linhas[1].contains(QStringLiteral("cannot be read or written")),
             qPrintable(linhas[1]));
    if (pastaGravavel) {
        QVERIFY2(linhas[0].startsWith(QStringLiteral("1 1 record.sqlite.unreadable-")),
                 qPrintable(linhas[0]));
        QCOMPARE(Le(lugar + u'/' + linhas[0].section(u' ', 2)), antes);
    } else {
        QCOMPARE(linhas[0], QStringLiteral("0 0 "));
        QVERIFY2(linhas[1].contains(QStringLiteral("without keeping a record")),
                 qPrintable(linhas[1]));
        QCOMPARE(Le(arquivo), antes);
    }
}

void TstRecordFaults::failedStoreIsKeptAndStoredLater()
{
    Record r;
    r.setBusyTimeout(100);
    QSignalSpy problemas(&r, &Record::problem);
    QVERIFY(r.open(Arquivo()));
    for (bool fechar : {false, true}) {
        {
            Bruta outro(Arquivo());
            QVERIFY(outro.executa(QStringLiteral("BEGIN IMMEDIATE")));
            QVERIFY(!r.store(Corrida(Kind::Course, 3, Inicio)));
            QVERIFY(!r.store(Corrida(Kind::Course, 4, Inicio.addSecs(60))));
            QCOMPARE(r.pending(), 2);
            QVERIFY(outro.executa(QStringLiteral("ROLLBACK")));
        }
        // Stored before the next run, or when the record closes.
        if (fechar)
            r.close();
        else
            QVERIFY(r.store(Corrida(Kind::Course, 5, Inicio.addSecs(120))));
    }
    QCOMPARE(problemas.size(), 1);
    QVERIFY(problemas.at(0).at(0).toString().contains(QStringLiteral("kept")));
    QCOMPARE(Bruta(Arquivo()).valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(), 19);
}

void TstRecordFaults::twoConnectionsShareTheRecord()
{
    Record a;
    Record b;
    QSignalSpy problemas(&a, &Record::problem);
    QVERIFY(a.open(Arquivo()) && b.open(Arquivo()));
    for (int i = 0; i < 10; ++i) {
        QVERIFY(a.store(Corrida(Kind::Course, 10, Inicio.addSecs(2 * i))));
        QVERIFY(b.store(Corrida(Kind::Reception, 1, Inicio.addSecs(2 * i + 1))));
        QCOMPARE(b.runs(Kind::Course).size(), i + 1);
        QCOMPARE(a.runs(Kind::Reception).size(), i + 1);
    }
    QVERIFY(problemas.isEmpty());
}

void TstRecordFaults::twoProcessesWriteAtOnce()
{
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    // Both start on a file that does not exist yet: neither may take the
    // other's half-made schema for a damaged file.
    QProcess filhos[2];
    const char *tags[2] = {"um", "dois"};
    for (int i = 0; i < 2; ++i)
        Inicia(filhos[i], {QStringLiteral("--store"), Arquivo(), QStringLiteral("60"),
                           QStringLiteral("40"), QString::fromLatin1(tags[i])});
    for (QProcess &p : filhos) {
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(Linhas(p).constLast(), QStringLiteral("stored 60"));
    }
    QCOMPARE(QDir(pasta->path()).entryList(QDir::Files), QStringList{"record.sqlite"});
    Bruta b(Arquivo());
    for (const char *tag : tags)
        QCOMPARE(
            b.valor(QStringLiteral("SELECT count(*) FROM run WHERE sent = '%1'").arg(tag)).toInt(),
            60);
    QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(), 2 * 60 * 40);
}

void TstRecordFaults::killMidRunLosesNothingStored()
{
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QRandomGenerator gerador(2026);
    int guardadas = 0;
    for (int rodada = 0; rodada < 8; ++rodada) {
        QProcess filho;
        Inicia(filho, {QStringLiteral("--store"), Arquivo(), QStringLiteral("1000000"),
                       QString::number(PorCorrida), QStringLiteral("k")});
        // Killed somewhere in its runs, once it has stored one.
        QVERIFY(filho.waitForReadyRead(30000));
        QTest::qWait(int(gerador.bounded(10, 120)));
        filho.kill();
        QVERIFY(filho.waitForFinished());
        const int ditas = guardadas + Linhas(filho).constLast().section(u' ', 1).toInt();

        Bruta b(Arquivo());
        QCOMPARE(b.valor(QStringLiteral("PRAGMA quick_check")).toString(), QStringLiteral("ok"));
        guardadas = b.valor(QStringLiteral("SELECT count(*) FROM run")).toInt();
        // Every run told stored is there (one more may have been committed
        // before its word came out), and none is there in part.
        QVERIFY2(guardadas == ditas || guardadas == ditas + 1,
                 qPrintable(QStringLiteral("%1 runs, %2 told").arg(guardadas).arg(ditas)));
        QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(),
                 guardadas * PorCorrida);
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() == 6 && a[1] == u"--store")
        return GuardaCorridas(a[2], a[3].toInt(), a[4].toInt(), a[5]);
    if (a.size() == 3 && a[1] == u"--open-as-nobody")
        return AbreComoNobody(a[2]);
    TstRecordFaults t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_recordfaults.moc"
