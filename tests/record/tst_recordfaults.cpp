#include "record/record.h"
#include "tests/platform/childprocess.h"
#include "tests/record/recordtests.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <unistd.h>

using namespace record;
using recordtests::Bruta;
using recordtests::Corrida;

namespace {

const QDateTime Inicio(QDate(2026, 12, 9), QTime(15, 30), Qt::UTC);
constexpr int RespostasPorCorrida = 120; // a two-minute course run
constexpr uid_t Nobody = 65534;

QByteArray Le(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Escreve(const QString &path, const QByteArray &conteudo)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(conteudo) == conteudo.size();
}

void Diz(const QString &linha)
{
    std::fputs(qPrintable(linha + u'\n'), stdout);
    std::fflush(stdout);
}

// Child: stores n runs of m answers tagged with tag, saying "stored k" after each.
int GuardaCorridas(const QString &path, int n, int m, const QString &tag)
{
    Record r;
    QObject::connect(&r, &Record::problem,
                     [](const QString &m) { std::fputs(qPrintable(m + u'\n'), stderr); });
    if (!r.open(path))
        return 2;
    for (int k = 1; k <= n; ++k) {
        if (!r.store(Corrida(Kind::Course, m, Inicio.addSecs(k), tag)))
            return 1;
        Diz(QStringLiteral("stored %1").arg(k));
    }
    return 0;
}

// Child: drops to nobody, opens the record at path, says what came of it and
// whether a run could be stored.
int AbreComoNobody(const QString &path)
{
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
        return 2;
    Record r;
    QStringList ditos;
    QObject::connect(&r, &Record::problem, [&](const QString &m) { ditos.append(m); });
    const bool aberto = r.open(path);
    const bool guardado = r.store(Corrida(Kind::Course, 3, Inicio));
    Diz(QStringLiteral("open %1").arg(aberto));
    Diz(QStringLiteral("stored %1").arg(guardado));
    Diz(QStringLiteral("aside %1").arg(QFileInfo(r.setAsideAs()).fileName()));
    for (const QString &m : std::as_const(ditos))
        Diz(QStringLiteral("problem ") + QString(m).replace(u'\n', u' '));
    return 0;
}

QStringList Linhas(QProcess &p)
{
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QProcess *Filho(QObject *dono, const QStringList &argumentos)
{
    auto *p = new QProcess(dono);
    p->start(QCoreApplication::applicationFilePath(), argumentos);
    return p;
}

} // namespace

// The record when its file is not what it should be, and under more than
// one writer.
class TstRecordFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

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
    // A record at Arquivo() with runs of answers, closed again.
    void Preenche(int corridas);

    std::unique_ptr<QTemporaryDir> pasta;
};

void TstRecordFaults::init()
{
    pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(pasta->isValid());
}

void TstRecordFaults::cleanup()
{
    pasta.reset();
}

void TstRecordFaults::Preenche(int corridas)
{
    Record r;
    QVERIFY(r.open(Arquivo()));
    for (int i = 0; i < corridas; ++i)
        QVERIFY(r.store(Corrida(Kind::Course, RespostasPorCorrida, Inicio.addSecs(i))));
}

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
        QVERIFY(bytes.size() > 64 * 1024);
        if (estrago == u"truncated")
            bytes.truncate(bytes.size() / 2);
        else
            bytes.replace(4096 * 3, 4096, QByteArray(4096, '\x5a'));
        QVERIFY(Escreve(Arquivo(), bytes));
    } else if (estrago == u"foreign" || estrago == u"tableless") {
        Bruta b(Arquivo());
        QVERIFY(estrago == u"foreign" ? b.executa(QStringLiteral("CREATE TABLE notes (body TEXT)"))
                                      : b.executa(QStringLiteral("PRAGMA user_version = 1")));
    } else {
        QVERIFY(QDir().mkpath(Arquivo() + QStringLiteral("/inside")));
    }
    const bool pastaNoLugar = estrago == u"folder";
    const QByteArray antes = pastaNoLugar ? QByteArray() : Le(Arquivo());

    Record r;
    QSignalSpy problemas(&r, &Record::problem);
    QVERIFY(r.open(Arquivo()));
    QVERIFY(r.isOpen());

    // Set aside beside it, whole, under a name that says why and when.
    const QString aside = r.setAsideAs();
    QVERIFY2(QFileInfo(aside).fileName().contains(QRegularExpression(
                 QStringLiteral("^record\\.sqlite\\.%1-\\d{8}-\\d{4}$").arg(etiqueta))),
             qPrintable(aside));
    QCOMPARE(QFileInfo(aside).absolutePath(), pasta->path());
    if (pastaNoLugar)
        QVERIFY(QFileInfo::exists(aside + QStringLiteral("/inside")));
    else
        QCOMPARE(Le(aside), antes);

    // Said once, naming the file, why, and where it went.
    QCOMPARE(problemas.size(), 1);
    const QString mensagem = problemas.at(0).at(0).toString();
    QVERIFY2(mensagem.contains(motivo), qPrintable(mensagem));
    QVERIFY2(mensagem.contains(QFileInfo(aside).fileName()), qPrintable(mensagem));
    QVERIFY2(mensagem.contains(QStringLiteral("new record")), qPrintable(mensagem));

    // The fresh record works.
    QVERIFY(r.store(Corrida(Kind::Course, 5, Inicio)));
    QCOMPARE(r.answers().size(), 5);
    QCOMPARE(problemas.size(), 1);
    r.close();
    QVERIFY(QFileInfo(Arquivo()).isFile());
    QVERIFY(r.open(Arquivo()));
    QCOMPARE(r.answers().size(), 5);
    QVERIFY(r.setAsideAs().isEmpty());
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
    QVERIFY(postos[0] != postos[1]);
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
    QVERIFY2(problemas.at(0).at(0).toString().contains(QStringLiteral("locked")),
             qPrintable(problemas.at(0).at(0).toString()));
    const QString aside = r.setAsideAs();
    QVERIFY2(QFileInfo(aside).fileName().startsWith(QStringLiteral("record.sqlite.locked-")),
             qPrintable(aside));
    QVERIFY(r.store(Corrida(Kind::Reception, 1, Inicio)));
    QCOMPARE(r.answers().size(), 1);

    // The holder goes on with its own file, now under the new name, and
    // everything stored before is there.
    QVERIFY(dono->executa(QStringLiteral("COMMIT")));
    dono.reset();
    Bruta posto(aside);
    QCOMPARE(posto.valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(),
             2 * RespostasPorCorrida);
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
    const QString lugar = pasta->filePath(QStringLiteral("dados"));
    QVERIFY(QDir().mkpath(lugar));
    const QString arquivo = lugar + QStringLiteral("/record.sqlite");
    {
        Record r;
        QVERIFY(r.open(arquivo));
        QVERIFY(r.store(Corrida(Kind::Course, 4, Inicio)));
    }
    const QByteArray antes = Le(arquivo);
    QVERIFY(QFile::setPermissions(arquivo, QFileDevice::Permissions()));
    const auto pastaModo =
        pastaGravavel ? QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                      : QFileDevice::ReadOwner | QFileDevice::ExeOwner;

    QStringList linhas;
    if (::geteuid() == 0) {
        // Permissions do not bind the superuser: the record is opened by a
        // child that has become nobody, owning the folder when it may write.
        if (const QString why = WhyNoChildProcess(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(QFile::setPermissions(pasta->path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeOther));
        QVERIFY(::chown(QFile::encodeName(lugar).constData(), pastaGravavel ? Nobody : 0,
                        pastaGravavel ? Nobody : 0) == 0);
        QVERIFY(QFile::setPermissions(lugar,
                                      pastaModo | QFileDevice::ReadOther | QFileDevice::ExeOther));
        QProcess filho;
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--open-as-nobody"), arquivo});
        QVERIFY(filho.waitForFinished());
        QCOMPARE(filho.exitCode(), 0);
        linhas = Linhas(filho);
    } else {
        QVERIFY(QFile::setPermissions(lugar, pastaModo));
        Record r;
        QStringList ditos;
        connect(&r, &Record::problem, [&](const QString &m) { ditos.append(m); });
        const bool aberto = r.open(arquivo);
        const bool guardado = r.store(Corrida(Kind::Course, 3, Inicio));
        linhas = {QStringLiteral("open %1").arg(aberto), QStringLiteral("stored %1").arg(guardado),
                  QStringLiteral("aside %1").arg(QFileInfo(r.setAsideAs()).fileName())};
        for (const QString &m : std::as_const(ditos))
            linhas.append(QStringLiteral("problem ") + m);
        QVERIFY(QFile::setPermissions(lugar, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner));
    }
    QCOMPARE(linhas.size(), 4); // one problem, said once
    QVERIFY2(linhas[3].contains(QStringLiteral("cannot be read or written")),
             qPrintable(linhas[3]));
    if (pastaGravavel) {
        QCOMPARE(linhas.mid(0, 2), (QStringList{"open 1", "stored 1"}));
        QVERIFY2(linhas[2].startsWith(QStringLiteral("aside record.sqlite.unreadable-")),
                 qPrintable(linhas[2]));
        QCOMPARE(Le(lugar + u'/' + linhas[2].mid(6)), antes);
    } else {
        QCOMPARE(linhas.mid(0, 3), (QStringList{"open 0", "stored 0", "aside "}));
        QVERIFY2(linhas[3].contains(QStringLiteral("without keeping a record")),
                 qPrintable(linhas[3]));
        QCOMPARE(Le(arquivo), antes);
    }
}

void TstRecordFaults::failedStoreIsKeptAndStoredLater()
{
    Preenche(0);
    Record r;
    r.setBusyTimeout(100);
    QSignalSpy problemas(&r, &Record::problem);
    QVERIFY(r.open(Arquivo()));
    {
        Bruta outro(Arquivo());
        QVERIFY(outro.executa(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(!r.store(Corrida(Kind::Course, 3, Inicio)));
        QVERIFY(!r.store(Corrida(Kind::Course, 4, Inicio.addSecs(60))));
        QCOMPARE(r.pending(), 2);
        QCOMPARE(problemas.size(), 1);
        QVERIFY(problemas.at(0).at(0).toString().contains(QStringLiteral("kept")));
        QVERIFY(outro.executa(QStringLiteral("ROLLBACK")));
    }
    QVERIFY(r.store(Corrida(Kind::Course, 5, Inicio.addSecs(120))));
    QCOMPARE(r.pending(), 0);
    QCOMPARE(r.answers().size(), 12);

    // Kept runs are stored when the record closes, too.
    {
        Bruta outro(Arquivo());
        QVERIFY(outro.executa(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(!r.store(Corrida(Kind::Course, 6, Inicio.addSecs(180))));
        QVERIFY(outro.executa(QStringLiteral("ROLLBACK")));
    }
    r.close();
    Bruta depois(Arquivo());
    QCOMPARE(depois.valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(), 18);
}

void TstRecordFaults::twoConnectionsShareTheRecord()
{
    Record a;
    Record b;
    QSignalSpy problemasA(&a, &Record::problem);
    QSignalSpy problemasB(&b, &Record::problem);
    QVERIFY(a.open(Arquivo()));
    QVERIFY(b.open(Arquivo()));
    for (int i = 0; i < 10; ++i) {
        QVERIFY(a.store(Corrida(Kind::Course, 10, Inicio.addSecs(2 * i), QStringLiteral("a"))));
        QVERIFY(
            b.store(Corrida(Kind::Reception, 1, Inicio.addSecs(2 * i + 1), QStringLiteral("b"))));
        QCOMPARE(b.runs(Kind::Course).size(), i + 1);
        QCOMPARE(a.runs(Kind::Reception).size(), i + 1);
    }
    QCOMPARE(a.answers().size(), 110);
    QVERIFY(problemasA.isEmpty());
    QVERIFY(problemasB.isEmpty());
}

void TstRecordFaults::twoProcessesWriteAtOnce()
{
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    constexpr int corridas = 60;
    QProcess *um = Filho(this, {QStringLiteral("--store"), Arquivo(), QString::number(corridas),
                                QStringLiteral("40"), QStringLiteral("um")});
    QProcess *dois = Filho(this, {QStringLiteral("--store"), Arquivo(), QString::number(corridas),
                                  QStringLiteral("40"), QStringLiteral("dois")});
    for (QProcess *p : {um, dois}) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
        QCOMPARE(Linhas(*p).constLast(), QStringLiteral("stored %1").arg(corridas));
    }
    Bruta b(Arquivo());
    QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM run WHERE sent = 'um'")).toInt(),
             corridas);
    QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM run WHERE sent = 'dois'")).toInt(),
             corridas);
    QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM answer")).toInt(), 2 * corridas * 40);
}

void TstRecordFaults::killMidRunLosesNothingStored()
{
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QRandomGenerator gerador(2026);
    int confirmadas = 0;
    for (int rodada = 0; rodada < 8; ++rodada) {
        QProcess filho;
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--store"), Arquivo(), QStringLiteral("1000000"),
                     QString::number(RespostasPorCorrida), QStringLiteral("k")});
        QVERIFY(filho.waitForStarted());
        // Killed somewhere in its runs, after it has stored at least one.
        QVERIFY(filho.waitForReadyRead(30000));
        QTest::qWait(int(gerador.bounded(10, 120)));
        filho.kill();
        QVERIFY(filho.waitForFinished());
        const QStringList linhas = Linhas(filho);
        QVERIFY(!linhas.isEmpty());
        confirmadas += linhas.constLast().section(u' ', 1).toInt();

        Bruta b(Arquivo());
        QCOMPARE(b.valor(QStringLiteral("PRAGMA quick_check")).toString(), QStringLiteral("ok"));
        const int corridas = b.valor(QStringLiteral("SELECT count(*) FROM run")).toInt();
        // Nothing told stored is lost; at most one run more was committed
        // before its word came out.
        QVERIFY2(corridas >= confirmadas && corridas <= confirmadas + 1,
                 qPrintable(QStringLiteral("%1 runs, %2 told").arg(corridas).arg(confirmadas)));
        // No run half stored.
        QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM run WHERE (SELECT count(*) FROM"
                                        " answer WHERE run_id = run.id) != %1")
                             .arg(RespostasPorCorrida))
                     .toInt(),
                 0);
        QCOMPARE(
            b.valor(QStringLiteral("SELECT count(*) FROM answer WHERE run_id IS NULL")).toInt(), 0);
        confirmadas = corridas;
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
