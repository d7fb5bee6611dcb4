#include "record/record.h"
#include "record/schema.h"
#include "tests/record/recordtests.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace record;
using namespace recordtests;

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

} // namespace

// The record on a sound file: schema and migrations, what is stored and read
// back, and the way out and in as comma-separated values.
class TstRecord : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void schemaFromEachVersion_data();
    void schemaFromEachVersion();
    void newerVersionIsLeftAlone();
    void runComesBackAsStored();
    void answerFilters_data();
    void answerFilters();
    void runsOfADay();
    void withoutARecordStoresSaySoOnce();
    void csvRoundTripWithAwkwardFields();
    void importAddsOnlyWhatIsMissing();
    void malformedCsv_data();
    void malformedCsv();

private:
    QString Arquivo(const char *nome = "record.sqlite") const
    {
        return pasta->filePath(QString::fromLatin1(nome));
    }
    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<Record> registro;
    std::unique_ptr<QSignalSpy> problemas;
};

void TstRecord::init()
{
    pasta = std::make_unique<QTemporaryDir>();
    registro = std::make_unique<Record>();
    problemas = std::make_unique<QSignalSpy>(registro.get(), &Record::problem);
}

void TstRecord::cleanup()
{
    problemas.reset();
    registro.reset();
    pasta.reset();
}

void TstRecord::schemaFromEachVersion_data()
{
    QTest::addColumn<int>("versao"); // -1: no file at all
    QTest::newRow("no file") << -1;
    QTest::newRow("empty file") << 0;
    QTest::newRow("version 1, with a run") << 1;
}

void TstRecord::schemaFromEachVersion()
{
    QFETCH(int, versao);
    if (versao >= 0)
        QVERIFY(Escreve(Arquivo(), {}));
    if (versao > 0) {
        Bruta b(Arquivo());
        QSqlDatabase db = b.db();
        QString erro;
        QVERIFY2(Schema::migrate(db, 0, versao, &erro), qPrintable(erro));
        QVERIFY(b.executa(QStringLiteral(
            "INSERT INTO run VALUES (7, 'course', 1765294212345, 20, 10, 2, 'KM', 'KN', 50)")));
        QVERIFY(b.executa(QStringLiteral(
            "INSERT INTO answer VALUES (1, 7, 1765294213345, 'course', 'K', 'K', 1, 410, 20, 10),"
            " (2, 7, 1765294214345, 'course', 'M', 'N', 0, NULL, 20, 10)")));
    }
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(problemas->isEmpty());
    {
        Bruta b(Arquivo());
        QCOMPARE(b.valor(QStringLiteral("PRAGMA user_version")).toInt(), Schema::Version);
        QCOMPARE(b.valor(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QCOMPARE(b.valor(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index'"))
                     .toInt(),
                 4);
    }
    const QList<Run> corridas = registro->runs(Kind::Course);
    QCOMPARE(corridas.size(), versao > 0 ? 1 : 0);
    if (versao > 0) {
        QCOMPARE(corridas[0].lesson, 2);
        QCOMPARE(Resumo(corridas[0].answers), (QStringList{"course:KK", "course:MN"}));
        QCOMPARE(corridas[0].answers[1].answerMs, -1);
    }
    // Its place: the user's data folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(pasta->path()));
    QCOMPARE(Record::defaultPath(),
             pasta->path() + QStringLiteral("/Brevanto/Zirvano/record.sqlite"));
}

void TstRecord::newerVersionIsLeftAlone()
{
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(registro->store(Corrida(Kind::Course, 2, Inicio)));
    registro->close();
    QVERIFY(Bruta(Arquivo()).executa(
        QStringLiteral("PRAGMA user_version = %1").arg(Schema::Version + 1)));
    const QByteArray antes = Le(Arquivo());

    QVERIFY(!registro->open(Arquivo()));
    QVERIFY(!registro->store(Corrida(Kind::Course, 2, Inicio)));
    QVERIFY(registro->answers().isEmpty());
    QCOMPARE(problemas->size(), 1); // said at the opening, not again at the store
    QVERIFY(problemas->at(0).at(0).toString().contains(QStringLiteral("newer version")));
    QCOMPARE(Le(Arquivo()), antes);
    QCOMPARE(QDir(pasta->path()).entryList(QDir::Files), QStringList{"record.sqlite"});
}

void TstRecord::runComesBackAsStored()
{
    QVERIFY(registro->open(Arquivo()));
    QSignalSpy mudou(registro.get(), &Record::changed);
    Run r{0,
          Inicio,
          Kind::Sending,
          25,
          12.5,
          4,
          QStringLiteral("K <AR> É"),
          QStringLiteral("K <AR> E"),
          80,
          {}};
    for (const char *par : {"KK", "<AR><AR>", "ÉE"}) {
        const QString t = QString::fromUtf8(par);
        const qsizetype meio = t.size() / 2;
        r.answers.append(
            {{}, Kind::Course, t.left(meio), t.mid(meio), t.left(meio) == t.mid(meio)});
    }
    r.answers[0].when = Inicio.addMSecs(1500);
    r.answers[0].answerMs = 640;
    r.answers[1].charWpm = 30; // an answer's own speed stays
    QVERIFY(registro->store(r));
    QCOMPARE(mudou.size(), 1);

    const QList<Run> lidas = registro->runs(Kind::Sending, Inicio.toLocalTime().date());
    QCOMPARE(lidas.size(), 1);
    const Run &l = lidas[0];
    QVERIFY(l.id > 0);
    QCOMPARE(std::tuple(l.when, l.kind, l.charWpm, l.effectiveWpm, l.lesson, l.sent, l.typed,
                        l.accuracy),
             std::tuple(r.when, r.kind, r.charWpm, r.effectiveWpm, r.lesson, r.sent, r.typed,
                        r.accuracy));
    QCOMPARE(Resumo(l.answers), (QStringList{"sending:KK", "sending:<AR><AR>", "sending:ÉE"}));
    for (qsizetype i = 0; i < l.answers.size(); ++i) {
        const Answer &a = l.answers[i];
        QCOMPARE(a.right, i < 2);
        QCOMPARE(a.when, i == 0 ? Inicio.addMSecs(1500) : Inicio); // the run's time where unset
        QCOMPARE(a.answerMs, i == 0 ? 640 : -1);
        QCOMPARE(a.charWpm, i == 1 ? 30.0 : 25.0);
        QCOMPARE(a.effectiveWpm, 12.5);
    }
}

void TstRecord::answerFilters_data()
{
    QTest::addColumn<QList<Kind>>("tipos");
    QTest::addColumn<int>("desde"); // seconds after the first run's start; -1: unset
    QTest::addColumn<int>("ultimas");
    QTest::addColumn<QStringList>("esperadas");
    // Course KM (K right, M taken for N), an hour later reception K as R, an
    // hour after that course K.
    const QStringList todas{"course:KK", "course:MN", "reception:KR", "course:KK"};
    QTest::newRow("all") << QList<Kind>{} << -1 << 0 << todas;
    QTest::newRow("course") << QList<Kind>{Kind::Course} << -1 << 0
                            << QStringList{"course:KK", "course:MN", "course:KK"};
    QTest::newRow("two kinds") << QList<Kind>{Kind::Reception, Kind::Course} << -1 << 0 << todas;
    QTest::newRow("drill: none") << QList<Kind>{Kind::Drill} << -1 << 0 << QStringList{};
    QTest::newRow("since the second run") << QList<Kind>{} << 3600 << 0 << todas.mid(2);
    QTest::newRow("since the last answer's time") << QList<Kind>{} << 7201 << 0 << todas.mid(3);
    QTest::newRow("newest 1 per character")
        << QList<Kind>{} << -1 << 1 << QStringList{"course:MN", "course:KK"};
    QTest::newRow("newest 2 per character") << QList<Kind>{} << -1 << 2 << todas.mid(1);
    QTest::newRow("newest 5 of reception since the start")
        << QList<Kind>{Kind::Reception} << 0 << 5 << QStringList{"reception:KR"};
}

void TstRecord::answerFilters()
{
    QFETCH(QList<Kind>, tipos);
    QFETCH(int, desde);
    QFETCH(int, ultimas);
    QFETCH(QStringList, esperadas);
    QVERIFY(registro->open(Arquivo()));
    const auto corrida = [](Kind tipo, int hora, const QStringList &pares) {
        Run r = Corrida(tipo, int(pares.size()), Inicio.addSecs(3600 * hora));
        for (qsizetype i = 0; i < pares.size(); ++i) {
            r.answers[i].sent = pares[i].left(1);
            r.answers[i].answered = pares[i].mid(1);
        }
        return r;
    };
    // Stored out of order: answers come back by their time.
    QVERIFY(registro->store(corrida(Kind::Course, 2, {"KK"})));
    QVERIFY(registro->store(corrida(Kind::Course, 0, {"KK", "MN"})));
    QVERIFY(registro->store(corrida(Kind::Reception, 1, {"KR"})));
    const QDateTime desdeQuando = desde >= 0 ? Inicio.addSecs(desde) : QDateTime();
    QCOMPARE(Resumo(registro->answers({tipos, desdeQuando, ultimas})), esperadas);
}

void TstRecord::runsOfADay()
{
    QVERIFY(registro->open(Arquivo()));
    const QDate dia(2026, 12, 9);
    const QDateTime meiaNoite = dia.startOfDay(); // local
    const QDateTime amanha = dia.addDays(1).startOfDay();
    for (const auto &[quando, texto] : {std::pair{meiaNoite.addSecs(-1), "ontem"},
                                        {meiaNoite, "cedo"},
                                        {amanha.addSecs(-1), "tarde"},
                                        {amanha, "amanhã"}})
        QVERIFY(registro->store(Corrida(Kind::Course, 1, quando, QString::fromUtf8(texto))));
    QVERIFY(registro->store(Corrida(Kind::Reception, 1, meiaNoite.addSecs(60))));
    QStringList textos;
    for (const Run &r : registro->runs(Kind::Course, dia))
        textos.append(r.sent);
    QCOMPARE(textos, (QStringList{"cedo", "tarde"}));
    QCOMPARE(registro->runs(Kind::Reception, dia).size(), 1);
    QCOMPARE(registro->runs(Kind::Course, meiaNoite.addSecs(1)).size(), 2);
    QCOMPARE(registro->runs(Kind::Course).size(), 4);
}

void TstRecord::withoutARecordStoresSaySoOnce()
{
    for (int i = 0; i < 3; ++i)
        QVERIFY(!registro->store(Corrida(Kind::Course, 2, Inicio)));
    QCOMPARE(problemas->size(), 1);
    QString erro;
    QVERIFY(!registro->exportCsv(Arquivo("x.csv"), &erro));
    QVERIFY(!erro.isEmpty() && !QFile::exists(Arquivo("x.csv")));
    QVERIFY(!registro->importCsv(Arquivo("x.csv")).ok);
}

void TstRecord::csvRoundTripWithAwkwardFields()
{
    QVERIFY(registro->open(Arquivo()));
    Run r = Corrida(Kind::Course, 5, Inicio);
    r.charWpm = 9.6;
    r.effectiveWpm = 9.6 * 50 / 61;
    r.answers[0].sent = QStringLiteral(",");
    r.answers[0].answered = QStringLiteral("\"");
    r.answers[1].sent = QStringLiteral("<AR>");
    r.answers[1].answered = QStringLiteral("a\r\nb");
    r.answers[2].sent = QStringLiteral("É");
    r.answers[2].answered = QString();
    r.answers[2].answerMs = -1;
    r.answers[4].sent = QStringLiteral("\"quoted\", and long");
    QVERIFY(registro->store(r));
    QVERIFY(registro->store(Corrida(Kind::Recognition, 3, Inicio.addDays(-3))));
    QString erro;
    QVERIFY2(registro->exportCsv(Arquivo("out.csv"), &erro), qPrintable(erro));
    const QByteArray csv = Le(Arquivo("out.csv"));
    QVERIFY(csv.startsWith("time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm\r\n"));
    QVERIFY(
        csv.contains("\r\n2026-12-09T15:30:13.345Z,course,\",\",\"\"\"\",1,300,9.6,7.86885\r\n"));
    QVERIFY(csv.contains("\r\n2026-12-09T15:30:14.345Z,course,<AR>,\"a\r\nb\",0,301,"));
    QVERIFY(csv.contains("\r\n2026-12-09T15:30:15.345Z,course,\xc3\x89,,1,,9.6,"));
    QVERIFY(csv.contains(",course,\"\"\"quoted\"\", and long\",E,1,304,"));

    Record outro;
    QVERIFY(outro.open(Arquivo("outro.sqlite")));
    const ImportResult resultado = outro.importCsv(Arquivo("out.csv"));
    QVERIFY2(resultado.ok, qPrintable(resultado.error));
    QCOMPARE(std::tuple(resultado.read, resultado.added, resultado.present), std::tuple(8, 8, 0));
    const QList<Answer> a = registro->answers();
    const QList<Answer> b = outro.answers();
    QCOMPARE(b.size(), a.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QCOMPARE(
            std::tuple(b[i].when, b[i].kind, b[i].sent, b[i].answered, b[i].right, b[i].answerMs),
            std::tuple(a[i].when, a[i].kind, a[i].sent, a[i].answered, a[i].right, a[i].answerMs));
        QCOMPARE(b[i].charWpm, a[i].charWpm);
        QVERIFY(qAbs(b[i].effectiveWpm - a[i].effectiveWpm) < 1e-4);
    }
}

void TstRecord::importAddsOnlyWhatIsMissing()
{
    QVERIFY(registro->open(Arquivo()));
    // Two answers alike in time, kind and characters: both are answers.
    Run r = Corrida(Kind::Course, 6, Inicio);
    r.answers[5] = r.answers[4];
    QVERIFY(registro->store(r));
    QString erro;
    QVERIFY(registro->exportCsv(Arquivo("out.csv"), &erro));

    ImportResult resultado = registro->importCsv(Arquivo("out.csv"));
    QVERIFY2(resultado.ok, qPrintable(resultado.error));
    QCOMPARE(std::tuple(resultado.read, resultado.added, resultado.present), std::tuple(6, 0, 6));
    QCOMPARE(registro->answers().size(), 6);

    // Into a record holding a part of it, one of the twins, and more.
    Record outro;
    QVERIFY(outro.open(Arquivo("outro.sqlite")));
    Run parte = r;
    parte.answers = {r.answers[0], r.answers[4]};
    QVERIFY(outro.store(parte));
    QVERIFY(outro.store(Corrida(Kind::Reception, 2, Inicio.addDays(1))));
    resultado = outro.importCsv(Arquivo("out.csv"));
    QCOMPARE(std::tuple(resultado.ok, resultado.added, resultado.present), std::tuple(true, 4, 2));
    QCOMPARE(Resumo(outro.answers()).mid(0, 6), Resumo(registro->answers()));
    QCOMPARE(outro.answers().size(), 8);
    QCOMPARE(outro.importCsv(Arquivo("out.csv")).added, 0);
}

void TstRecord::malformedCsv_data()
{
    QTest::addColumn<QByteArray>("conteudo");
    QTest::addColumn<QString>("erro"); // a part of the message
    const QByteArray cabecalho = "time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm\n";
    const QByteArray boa = "2026-12-09T15:30:13.345Z,course,K,K,1,300,20,10\n";
    const auto linha = [&](const char *nome, const QByteArray &ruim, const char *erro) {
        QTest::newRow(nome) << cabecalho + boa + ruim + boa << QString::fromUtf8(erro);
    };
    QTest::newRow("empty") << QByteArray() << "empty";
    QTest::newRow("no header") << boa << "line 1: the first line must be the header";
    linha("quote not closed", "2026-12-09T15:30:14.345Z,course,\"K,K,1,300,20,10\n",
          "line 3: a quoted field is not closed");
    linha("text after a quoted field", "2026-12-09T15:30:14.345Z,course,\"K\"x,K,1,300,20,10\n",
          "line 3: text follows a quoted field");
    linha("stray quote", "2026-12-09T15:30:14.345Z,course,K\"K,K,1,300,20,10\n",
          "line 3: a quote inside a field");
    linha("a field short", "2026-12-09T15:30:14.345Z,course,K,K,1,300,20\n",
          "line 3: 7 fields where there should be 8");
    linha("lines counted past a quoted break",
          "2026-12-09T15:30:14.345Z,course,\"a\nb\",K,1,300,20,10\nx\n", "line 5: 1 fields");
    linha("not a time", "yesterday,course,K,K,1,300,20,10\n",
          "line 3: \"yesterday\" is not a time");
    linha("unknown kind", "2026-12-09T15:30:14.345Z,dance,K,K,1,300,20,10\n",
          "line 3: \"dance\" is not a kind");
    linha("right is yes", "2026-12-09T15:30:14.345Z,course,K,K,yes,300,20,10\n",
          "line 3: right is \"yes\"");
    linha("answer time", "2026-12-09T15:30:14.345Z,course,K,K,1,-5,20,10\n",
          "line 3: \"-5\" is not an answer time");
    linha("speed", "2026-12-09T15:30:14.345Z,course,K,K,1,300,fast,10\n",
          "line 3: \"fast\" and \"10\" are not speeds");
}

void TstRecord::malformedCsv()
{
    QFETCH(QByteArray, conteudo);
    QFETCH(QString, erro);
    QVERIFY(registro->open(Arquivo()));
    QVERIFY(registro->store(Corrida(Kind::Course, 3, Inicio.addDays(-1))));
    QVERIFY(Escreve(Arquivo("in.csv"), conteudo));
    const ImportResult resultado = registro->importCsv(Arquivo("in.csv"));
    QVERIFY(!resultado.ok);
    QVERIFY2(resultado.error.contains(erro), qPrintable(resultado.error));
    QVERIFY2(resultado.error.contains(QStringLiteral("in.csv")), qPrintable(resultado.error));
    // Refused whole: not even the good lines before the bad one came in.
    QCOMPARE(registro->answers().size(), 3);
}

QTEST_GUILESS_MAIN(TstRecord)
#include "tst_record.moc"
