#include "record/answercsv.h"
#include "record/record.h"
#include "record/schema.h"
#include "tests/record/recordtests.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace record;
using recordtests::Bruta;
using recordtests::Corrida;

Q_DECLARE_METATYPE(record::Kind)

namespace {

const QDateTime Inicio(QDate(2026, 12, 9), QTime(15, 30, 12, 345), Qt::UTC);

QStringList Resumo(const QList<Answer> &respostas)
{
    QStringList r;
    for (const Answer &a : respostas)
        r.append(kindName(a.kind) + u':' + a.sent + a.answered);
    return r;
}

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

} // namespace

// The record on a healthy file: schema, migrations, what is stored and read
// back, and the way out and in as comma-separated values.
class TstRecord : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshFileGetsTheSchema();
    void olderVersionsAreMigrated_data();
    void olderVersionsAreMigrated();
    void newerVersionIsLeftAlone();
    void runComesBackAsStored();
    void answerFilters_data();
    void answerFilters();
    void runsOfADay();
    void withoutARecordStoresSaySoOnce();
    void csvQuotesAwkwardFields();
    void csvRoundTrip();
    void importAddsOnlyWhatIsMissing();
    void malformedCsv_data();
    void malformedCsv();
    void exportThatCannotBeWritten();

private:
    QString Arquivo() const { return pasta->filePath(QStringLiteral("record.sqlite")); }
    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<Record> registro;
    std::unique_ptr<QSignalSpy> problemas;
};

void TstRecord::init()
{
    pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(pasta->isValid());
    registro = std::make_unique<Record>();
    problemas = std::make_unique<QSignalSpy>(registro.get(), &Record::problem);
}

void TstRecord::cleanup()
{
    problemas.reset();
    registro.reset();
    pasta.reset();
}

void TstRecord::freshFileGetsTheSchema()
{
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(problemas->isEmpty());
    Bruta b(Arquivo());
    QCOMPARE(b.valor(QStringLiteral("PRAGMA user_version")).toInt(), Schema::Version);
    QCOMPARE(b.valor(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index'"
                                    " AND name LIKE 'answer_by_%'"))
                 .toInt(),
             3);
    // The default place is the user's data folder, not the settings folder.
    QVERIFY(Record::defaultPath().endsWith(QStringLiteral("/Brevanto/Zirvano/record.sqlite")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(pasta->path()));
    QCOMPARE(Record::defaultPath(),
             pasta->path() + QStringLiteral("/Brevanto/Zirvano/record.sqlite"));
}

void TstRecord::olderVersionsAreMigrated_data()
{
    QTest::addColumn<int>("versao");
    QTest::newRow("empty file") << 0;
    QTest::newRow("version 1, with a run") << 1;
}

void TstRecord::olderVersionsAreMigrated()
{
    QFETCH(int, versao);
    QVERIFY(Escreve(Arquivo(), {}));
    if (versao > 0) {
        Bruta b(Arquivo());
        QSqlDatabase db = b.db();
        QString erro;
        QVERIFY(b.executa(QStringLiteral("BEGIN")));
        QVERIFY2(Schema::migrate(db, 0, versao, &erro), qPrintable(erro));
        QVERIFY(b.executa(QStringLiteral("COMMIT")));
        QVERIFY(b.executa(QStringLiteral(
            "INSERT INTO run VALUES (7, 'course', 1765294212345, 20, 10, 2, 'KM', 'KN', 50)")));
        QVERIFY(b.executa(QStringLiteral(
            "INSERT INTO answer VALUES (1, 7, 1765294213345, 'course', 'K', 'K', 1, 410, 20, 10),"
            " (2, 7, 1765294214345, 'course', 'M', 'N', 0, NULL, 20, 10)")));
        QCOMPARE(b.valor(QStringLiteral("PRAGMA user_version")).toInt(), versao);
    }
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(problemas->isEmpty());
    {
        Bruta b(Arquivo());
        QCOMPARE(b.valor(QStringLiteral("PRAGMA user_version")).toInt(), Schema::Version);
        QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name ="
                                        " 'answer_by_key'"))
                     .toInt(),
                 1);
    }
    const QList<Run> corridas = registro->runs(Kind::Course);
    QCOMPARE(corridas.size(), versao > 0 ? 1 : 0);
    if (versao > 0) {
        const Run &r = corridas.first();
        QCOMPARE(r.lesson, 2);
        QCOMPARE(r.typed, QStringLiteral("KN"));
        QCOMPARE(Resumo(r.answers), (QStringList{"course:KK", "course:MN"}));
        QCOMPARE(r.answers[0].answerMs, 410);
        QCOMPARE(r.answers[1].answerMs, -1);
    }
    QVERIFY(registro->store(Corrida(Kind::Course, 3, Inicio)));
    QCOMPARE(registro->runs(Kind::Course).size(), versao > 0 ? 2 : 1);
}

void TstRecord::newerVersionIsLeftAlone()
{
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(registro->store(Corrida(Kind::Course, 2, Inicio)));
    registro->close();
    {
        Bruta b(Arquivo());
        QVERIFY(b.executa(QStringLiteral("PRAGMA user_version = %1").arg(Schema::Version + 1)));
    }
    const QByteArray antes = Le(Arquivo());
    const QStringList arquivos = QDir(pasta->path()).entryList(QDir::Files);

    QVERIFY(!registro->open(Arquivo()));
    QCOMPARE(problemas->size(), 1);
    QVERIFY(problemas->at(0).at(0).toString().contains(QStringLiteral("newer version")));
    QVERIFY(registro->setAsideAs().isEmpty());
    QVERIFY(!registro->store(Corrida(Kind::Course, 2, Inicio)));
    QVERIFY(registro->answers().isEmpty());
    QCOMPARE(problemas->size(), 1); // the store says nothing more
    QCOMPARE(Le(Arquivo()), antes);
    QCOMPARE(QDir(pasta->path()).entryList(QDir::Files), arquivos);
}

void TstRecord::runComesBackAsStored()
{
    QVERIFY(registro->open(Arquivo()));
    QSignalSpy mudou(registro.get(), &Record::changed);
    Run r;
    r.when = Inicio;
    r.kind = Kind::Sending;
    r.charWpm = 25;
    r.effectiveWpm = 12.5;
    r.lesson = 4;
    r.sent = QStringLiteral("K <AR> É,\"");
    r.typed = QStringLiteral("K <AR> E,'");
    r.accuracy = 80;
    for (const auto &[enviado, respondido] :
         {std::pair{"K", "K"}, {"<AR>", "<AR>"}, {"É", "E"}, {",", ","}, {"\"", ""}}) {
        Answer a;
        a.kind = Kind::Course; // the run's kind wins
        a.sent = QString::fromUtf8(enviado);
        a.answered = QString::fromUtf8(respondido);
        a.right = a.sent == a.answered;
        r.answers.append(a);
    }
    r.answers[0].when = Inicio.addMSecs(1500);
    r.answers[0].answerMs = 640;
    r.answers[1].charWpm = 30; // an answer's own speed stays
    QVERIFY(registro->store(r));
    QCOMPARE(mudou.size(), 1);

    const QList<Run> lidas = registro->runs(Kind::Sending, Inicio.toLocalTime().date());
    QCOMPARE(lidas.size(), 1);
    const Run &l = lidas.first();
    QVERIFY(l.id > 0);
    QCOMPARE(l.when, Inicio);
    QCOMPARE(l.kind, Kind::Sending);
    QCOMPARE(l.charWpm, 25.0);
    QCOMPARE(l.effectiveWpm, 12.5);
    QCOMPARE(l.lesson, 4);
    QCOMPARE(l.sent, r.sent);
    QCOMPARE(l.typed, r.typed);
    QCOMPARE(l.accuracy, 80.0);
    QCOMPARE(l.answers.size(), 5);
    for (qsizetype i = 0; i < l.answers.size(); ++i) {
        const Answer &a = l.answers[i];
        QCOMPARE(a.kind, Kind::Sending);
        QCOMPARE(a.sent, r.answers[i].sent);
        QCOMPARE(a.answered, r.answers[i].answered);
        QCOMPARE(a.right, r.answers[i].right);
        QCOMPARE(a.when, i == 0 ? Inicio.addMSecs(1500) : Inicio);
        QCOMPARE(a.answerMs, i == 0 ? 640 : -1);
        QCOMPARE(a.charWpm, i == 1 ? 30.0 : 25.0);
        QCOMPARE(a.effectiveWpm, 12.5);
    }
    // A run without a lesson or a time gets none and now.
    Run semLicao = Corrida(Kind::Drill, 1, {});
    const QDateTime antes = QDateTime::currentDateTimeUtc();
    QVERIFY(registro->store(semLicao));
    const QList<Run> treinos = registro->runs(Kind::Drill);
    QCOMPARE(treinos.size(), 1);
    QCOMPARE(treinos[0].lesson, -1);
    QVERIFY(treinos[0].when >= antes.addMSecs(-1));
    QVERIFY(treinos[0].when <= QDateTime::currentDateTimeUtc());
}

void TstRecord::answerFilters_data()
{
    QTest::addColumn<QList<Kind>>("tipos");
    QTest::addColumn<int>("desdeSegundos"); // after the first run's start; -1: unset
    QTest::addColumn<int>("ultimas");
    QTest::addColumn<QStringList>("esperadas");
    // Three runs an hour apart: course KM (K right, M as N), reception K,
    // course K again.
    const QStringList todas{"course:KK", "course:MN", "reception:KR", "course:KK"};
    QTest::newRow("all") << QList<Kind>{} << -1 << 0 << todas;
    QTest::newRow("course") << QList<Kind>{Kind::Course} << -1 << 0
                            << QStringList{"course:KK", "course:MN", "course:KK"};
    QTest::newRow("course and reception")
        << QList<Kind>{Kind::Reception, Kind::Course} << -1 << 0 << todas;
    QTest::newRow("drill: none") << QList<Kind>{Kind::Drill} << -1 << 0 << QStringList{};
    QTest::newRow("since the second run")
        << QList<Kind>{} << 3600 << 0 << QStringList{"reception:KR", "course:KK"};
    QTest::newRow("at the last answer's time")
        << QList<Kind>{} << 7201 << 0 << QStringList{"course:KK"};
    QTest::newRow("newest 1 per character")
        << QList<Kind>{} << -1 << 1 << QStringList{"course:MN", "course:KK"};
    QTest::newRow("newest 2 per character")
        << QList<Kind>{} << -1 << 2 << QStringList{"course:MN", "reception:KR", "course:KK"};
    QTest::newRow("newest 1 per character of the course")
        << QList<Kind>{Kind::Course} << -1 << 1 << QStringList{"course:MN", "course:KK"};
    QTest::newRow("newest 5 per character of reception, since the start")
        << QList<Kind>{Kind::Reception} << 0 << 5 << QStringList{"reception:KR"};
}

void TstRecord::answerFilters()
{
    QFETCH(QList<Kind>, tipos);
    QFETCH(int, desdeSegundos);
    QFETCH(int, ultimas);
    QFETCH(QStringList, esperadas);
    QVERIFY(registro->open(Arquivo()));
    Run curso = Corrida(Kind::Course, 2, Inicio);
    curso.answers[0].sent = curso.answers[0].answered = QStringLiteral("K");
    curso.answers[1].sent = QStringLiteral("M");
    curso.answers[1].answered = QStringLiteral("N");
    Run recepcao = Corrida(Kind::Reception, 1, Inicio.addSecs(3600));
    recepcao.answers[0].sent = QStringLiteral("K");
    recepcao.answers[0].answered = QStringLiteral("R");
    Run outro = Corrida(Kind::Course, 1, Inicio.addSecs(7200));
    outro.answers[0].sent = outro.answers[0].answered = QStringLiteral("K");
    // Stored out of order: answers come back by their time.
    QVERIFY(registro->store(outro));
    QVERIFY(registro->store(curso));
    QVERIFY(registro->store(recepcao));

    AnswerFilter filtro;
    filtro.kinds = tipos;
    if (desdeSegundos >= 0)
        filtro.since = Inicio.addSecs(desdeSegundos);
    filtro.lastPerCharacter = ultimas;
    QCOMPARE(Resumo(registro->answers(filtro)), esperadas);
}

void TstRecord::runsOfADay()
{
    QVERIFY(registro->open(Arquivo()));
    const QDate dia(2026, 12, 9);
    const QDateTime meiaNoite = dia.startOfDay(); // local
    QVERIFY(
        registro->store(Corrida(Kind::Course, 1, meiaNoite.addSecs(-1), QStringLiteral("ontem"))));
    QVERIFY(registro->store(Corrida(Kind::Course, 1, meiaNoite, QStringLiteral("cedo"))));
    QVERIFY(
        registro->store(Corrida(Kind::Reception, 1, meiaNoite.addSecs(60), QStringLiteral("r"))));
    QVERIFY(registro->store(Corrida(Kind::Course, 2, dia.addDays(1).startOfDay().addSecs(-1),
                                    QStringLiteral("tarde"))));
    QVERIFY(registro->store(
        Corrida(Kind::Course, 1, dia.addDays(1).startOfDay(), QStringLiteral("amanhã"))));
    QStringList textos;
    for (const Run &r : registro->runs(Kind::Course, dia))
        textos.append(r.sent + u'/' + QString::number(r.answers.size()));
    QCOMPARE(textos, (QStringList{"cedo/1", "tarde/2"}));
    QCOMPARE(registro->runs(Kind::Reception, dia).size(), 1);
    QCOMPARE(registro->runs(Kind::Course, meiaNoite.addSecs(1).toUTC()).size(), 2);
    QCOMPARE(registro->runs(Kind::Course).size(), 4);
}

void TstRecord::withoutARecordStoresSaySoOnce()
{
    // Never opened: every store is a no-op, said once.
    QVERIFY(!registro->isOpen());
    for (int i = 0; i < 3; ++i)
        QVERIFY(!registro->store(Corrida(Kind::Course, 2, Inicio)));
    QCOMPARE(problemas->size(), 1);
    QVERIFY(registro->answers().isEmpty());
    QVERIFY(registro->runs(Kind::Course).isEmpty());
    QString erro;
    QVERIFY(!registro->exportCsv(pasta->filePath(QStringLiteral("x.csv")), &erro));
    QVERIFY(!erro.isEmpty());
    QVERIFY(!QFile::exists(pasta->filePath(QStringLiteral("x.csv"))));
    QVERIFY(!registro->importCsv(pasta->filePath(QStringLiteral("x.csv"))).ok);
}

void TstRecord::csvQuotesAwkwardFields()
{
    QVERIFY(registro->open(Arquivo()));
    Run r = Corrida(Kind::Course, 4, Inicio);
    r.answers[0].sent = QStringLiteral(",");
    r.answers[0].answered = QStringLiteral("\"");
    r.answers[1].sent = QStringLiteral("<AR>");
    r.answers[1].answered = QStringLiteral("a\nb");
    r.answers[2].sent = QStringLiteral("É");
    r.answers[2].answered = QString();
    r.answers[2].answerMs = -1;
    r.answers[3].when = Inicio.addMSecs(4001);
    r.charWpm = 9.6;
    r.effectiveWpm = 9.6 * 50 / 61;
    QVERIFY(registro->store(r));
    const QString csv = pasta->filePath(QStringLiteral("out.csv"));
    QString erro;
    QVERIFY2(registro->exportCsv(csv, &erro), qPrintable(erro));
    const QByteArray esperado =
        "time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm\r\n"
        "2026-12-09T15:30:13.345Z,course,\",\",\"\"\"\",1,300,9.6,7.86885\r\n"
        "2026-12-09T15:30:14.345Z,course,<AR>,\"a\nb\",0,301,9.6,7.86885\r\n"
        "2026-12-09T15:30:15.345Z,course,\xc3\x89,,1,,9.6,7.86885\r\n"
        "2026-12-09T15:30:16.346Z,course,D,E,0,303,9.6,7.86885\r\n";
    QCOMPARE(Le(csv), esperado);
}

void TstRecord::csvRoundTrip()
{
    QVERIFY(registro->open(Arquivo()));
    Run r = Corrida(Kind::Sending, 30, Inicio);
    r.answers[3].sent = QStringLiteral("\"quoted\", and\r\nbroken");
    r.answers[3].answered = QStringLiteral(" spaced ");
    r.answers[4].answered = QStringLiteral("=");
    r.answers[5].answerMs = -1;
    QVERIFY(registro->store(r));
    QVERIFY(registro->store(Corrida(Kind::Recognition, 5, Inicio.addDays(-3))));
    const QString csv = pasta->filePath(QStringLiteral("out.csv"));
    QString erro;
    QVERIFY2(registro->exportCsv(csv, &erro), qPrintable(erro));

    Record outro;
    QVERIFY(outro.open(pasta->filePath(QStringLiteral("outro.sqlite"))));
    const ImportResult resultado = outro.importCsv(csv);
    QVERIFY2(resultado.ok, qPrintable(resultado.error));
    QCOMPARE(resultado.read, 35);
    QCOMPARE(resultado.added, 35);
    QCOMPARE(resultado.present, 0);
    const QList<Answer> a = registro->answers();
    const QList<Answer> b = outro.answers();
    QCOMPARE(b.size(), a.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QCOMPARE(b[i].when, a[i].when);
        QCOMPARE(b[i].kind, a[i].kind);
        QCOMPARE(b[i].sent, a[i].sent);
        QCOMPARE(b[i].answered, a[i].answered);
        QCOMPARE(b[i].right, a[i].right);
        QCOMPARE(b[i].answerMs, a[i].answerMs);
        QCOMPARE(b[i].charWpm, a[i].charWpm);
        QCOMPARE(b[i].effectiveWpm, a[i].effectiveWpm);
    }
}

void TstRecord::importAddsOnlyWhatIsMissing()
{
    QVERIFY(registro->open(Arquivo()));
    // Two answers alike in time, kind and characters: both are answers.
    Run r = Corrida(Kind::Course, 6, Inicio);
    r.answers[5] = r.answers[4];
    QVERIFY(registro->store(r));
    const QString csv = pasta->filePath(QStringLiteral("out.csv"));
    QString erro;
    QVERIFY(registro->exportCsv(csv, &erro));

    // Into the same record: everything is there already.
    ImportResult resultado = registro->importCsv(csv);
    QVERIFY2(resultado.ok, qPrintable(resultado.error));
    QCOMPARE(resultado.read, 6);
    QCOMPARE(resultado.added, 0);
    QCOMPARE(resultado.present, 6);
    QCOMPARE(registro->answers().size(), 6);

    // Into one that holds part of it, and one of the twins: the rest comes in.
    Record outro;
    QVERIFY(outro.open(pasta->filePath(QStringLiteral("outro.sqlite"))));
    Run parte = r;
    parte.answers = {r.answers[0], r.answers[4]};
    QVERIFY(outro.store(parte));
    QVERIFY(outro.store(Corrida(Kind::Reception, 2, Inicio.addDays(1))));
    QSignalSpy mudou(&outro, &Record::changed);
    resultado = outro.importCsv(csv);
    QVERIFY2(resultado.ok, qPrintable(resultado.error));
    QCOMPARE(resultado.added, 4);
    QCOMPARE(resultado.present, 2);
    QCOMPARE(mudou.size(), 1);
    QCOMPARE(Resumo(outro.answers()).mid(0, 6), Resumo(registro->answers()));
    QCOMPARE(outro.answers().size(), 8);
    resultado = outro.importCsv(csv);
    QCOMPARE(resultado.added, 0);
    QCOMPARE(outro.answers().size(), 8);
}

void TstRecord::malformedCsv_data()
{
    QTest::addColumn<QByteArray>("conteudo");
    QTest::addColumn<QString>("erro"); // a part of the message
    const QByteArray cabecalho = "time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm\n";
    const QByteArray boa = "2026-12-09T15:30:13.345Z,course,K,K,1,300,20,10\n";
    QTest::newRow("empty") << QByteArray() << "empty";
    QTest::newRow("no header") << boa << "line 1: the first line must be the header";
    QTest::newRow("header of another file")
        << QByteArray("when,what\n") + boa << "line 1: the first line must be the header";
    QTest::newRow("quote not closed")
        << cabecalho + boa + "2026-12-09T15:30:14.345Z,course,\"K,K,1,300,20,10\n" + boa
        << "line 3: a quoted field is not closed";
    QTest::newRow("text after a quoted field")
        << cabecalho + "2026-12-09T15:30:14.345Z,course,\"K\"x,K,1,300,20,10\n"
        << "line 2: text follows a quoted field";
    QTest::newRow("stray quote") << cabecalho +
                                        "2026-12-09T15:30:14.345Z,course,K\"K,K,1,300,20,10\n"
                                 << "line 2: a quote inside a field";
    QTest::newRow("a field short")
        << cabecalho + boa + boa + "2026-12-09T15:30:14.345Z,course,K,K,1,300,20\n"
        << "line 4: 7 fields where there should be 8";
    QTest::newRow("line counted past a quoted break")
        << cabecalho + "2026-12-09T15:30:14.345Z,course,\"a\nb\",K,1,300,20,10\n" + "x\n"
        << "line 4: 1 fields";
    QTest::newRow("not a time") << cabecalho + "yesterday,course,K,K,1,300,20,10\n"
                                << "line 2: \"yesterday\" is not a time";
    QTest::newRow("unknown kind") << cabecalho + "2026-12-09T15:30:14.345Z,dance,K,K,1,300,20,10\n"
                                  << "line 2: \"dance\" is not a kind";
    QTest::newRow("right is yes") << cabecalho +
                                         "2026-12-09T15:30:14.345Z,course,K,K,yes,300,20,10\n"
                                  << "line 2: right is \"yes\"";
    QTest::newRow("answer time") << cabecalho + "2026-12-09T15:30:14.345Z,course,K,K,1,-5,20,10\n"
                                 << "line 2: \"-5\" is not an answer time";
    QTest::newRow("speed") << cabecalho + "2026-12-09T15:30:14.345Z,course,K,K,1,300,fast,10\n"
                           << "line 2: \"fast\" and \"10\" are not speeds";
}

void TstRecord::malformedCsv()
{
    QFETCH(QByteArray, conteudo);
    QFETCH(QString, erro);
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(registro->store(Corrida(Kind::Course, 3, Inicio.addDays(-1))));
    const QString csv = pasta->filePath(QStringLiteral("in.csv"));
    QVERIFY(Escreve(csv, conteudo));
    const ImportResult resultado = registro->importCsv(csv);
    QVERIFY(!resultado.ok);
    QCOMPARE(resultado.added, 0);
    QVERIFY2(resultado.error.contains(erro), qPrintable(resultado.error));
    QVERIFY2(resultado.error.contains(QStringLiteral("in.csv")), qPrintable(resultado.error));
    // Rejected whole: not even the good lines before the bad one came in.
    QCOMPARE(registro->answers().size(), 3);
}

void TstRecord::exportThatCannotBeWritten()
{
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(registro->store(Corrida(Kind::Course, 3, Inicio)));
    QString erro;
    QVERIFY(!registro->exportCsv(pasta->filePath(QStringLiteral("no/such/folder/out.csv")), &erro));
    QVERIFY2(erro.contains(QStringLiteral("out.csv")), qPrintable(erro));
    // A folder in the way: the folder stays as it was.
    const QString pastaNoLugar = pasta->filePath(QStringLiteral("out.csv"));
    QVERIFY(QDir().mkpath(pastaNoLugar));
    erro.clear();
    QVERIFY(!registro->exportCsv(pastaNoLugar, &erro));
    QVERIFY(!erro.isEmpty());
    QVERIFY(QFileInfo(pastaNoLugar).isDir());
    // An older export is replaced whole or not at all.
    const QString csv = pasta->filePath(QStringLiteral("old.csv"));
    QVERIFY(Escreve(csv, "old"));
    QVERIFY(registro->exportCsv(csv, &erro));
    QVERIFY(Le(csv).startsWith("time,kind"));
}

QTEST_GUILESS_MAIN(TstRecord)
#include "tst_record.moc"
