#include "controls/talprogressbar.h"
#include "controls/tdrlabel.h"
#include "morse/trainerscale.h"
#include "platform/keyboardhook.h"
#include "platform/virtualclock.h"
#include "reception/tfteste.h"
#include "record/record.h"
#include "tests/ajustesfalsos.h"
#include "text/testetexts.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Every answer of the reception test goes to the learner's record, as the
// learner gives it through the real window, and the window shows nothing of it.
class TstTesteRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void answerIsStored_data();
    void answerIsStored();
    void aRoundStoresEachAnswer();
    void nothingStoredWithoutACharacter();
    void withoutARecordTheWindowIsUnchanged();
    void punctuationKeys();

private:
    quint16 Toca();
    void Responde(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString &text = QString());
    void Reabre();

    static constexpr int Unidade = 5;
    std::unique_ptr<platform::VirtualClock> relogio;
    AjustesFalsos ajustes;
    std::unique_ptr<TfTeste> teste;
    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<record::Record> registro;
};

void TstTesteRecord::initTestCase()
{
    qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
    // Keyed on a virtual clock with no sound device: the characters take no
    // time, and the answer times are exact.
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
    relogio = std::make_unique<platform::VirtualClock>();
    ajustes.unidade = Unidade;
    teste = std::make_unique<TfTeste>(&ajustes);
}

void TstTesteRecord::init()
{
    pasta = std::make_unique<QTemporaryDir>();
    registro = std::make_unique<record::Record>();
    QVERIFY(registro->open(pasta->filePath(QStringLiteral("record.sqlite"))));
    teste->SetRecord(registro.get());
    Reabre();
}

void TstTesteRecord::cleanup()
{
    teste->SetRecord(nullptr);
    registro.reset();
    pasta.reset();
}

void TstTesteRecord::cleanupTestCase()
{
    teste.reset();
}

quint16 TstTesteRecord::Toca()
{
    teste->Btn_Teste->click();
    return Tecla_Esperada;
}

void TstTesteRecord::Responde(int qtKey, Qt::KeyboardModifiers modifiers, const QString &text)
{
    for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent evento(tipo, qtKey, modifiers, 0, 0, 0, text);
        QApplication::sendEvent(teste->focusWidget() ? teste->focusWidget() : teste.get(), &evento);
    }
}

void TstTesteRecord::Reabre()
{
    teste->hide();
    teste->show();
    QApplication::setActiveWindow(teste.get());
    QVERIFY(QTest::qWaitForWindowActive(teste.get()));
}

void TstTesteRecord::answerIsStored_data()
{
    QTest::addColumn<int>("esperada"); // the character judged against
    QTest::addColumn<int>("qtKey");    // the key pressed
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("resposta"); // stored as answered
    QTest::addColumn<bool>("certo");
    QTest::addColumn<int>("espera"); // ms from the end of the closing silence
    QTest::newRow("right") << int('K') << int(Qt::Key_K) << 0 << "K" << true << 480;
    QTest::newRow("wrong letter") << int('K') << int(Qt::Key_R) << 0 << "R" << false << 1210;
    QTest::newRow("digit") << int('7') << int(Qt::Key_7) << 0 << "7" << true << 0;
    QTest::newRow("keypad digit, judged wrong")
        << int('5') << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << false << 95;
    QTest::newRow("Shift: no character")
        << int('A') << int(Qt::Key_Shift) << 0 << "" << false << 3000;
}

void TstTesteRecord::answerIsStored()
{
    QFETCH(int, esperada);
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(QString, resposta);
    QFETCH(bool, certo);
    QFETCH(int, espera);
    const QDateTime antes = QDateTime::currentDateTimeUtc();
    Toca();
    Tecla_Esperada = quint16(esperada);
    relogio->advance(std::chrono::milliseconds(espera));
    Responde(qtKey, Qt::KeyboardModifiers(modifiers), resposta.toLower());
    const QDateTime depois = QDateTime::currentDateTimeUtc();
    // The window judged as it always has.
    QCOMPARE(teste->ALPBar->Position(), certo ? 100 : 0);
    QCOMPARE(teste->Lb_Teste->Caption(), certo ? TextosTeste_(0)->Acertou : TextosTeste_(0)->Errou);

    const QList<record::Run> corridas = registro->runs(record::Kind::Reception);
    QCOMPARE(corridas.size(), 1);
    const record::Run &r = corridas.first();
    QCOMPARE(r.sent, QString(QChar(esperada)));
    QCOMPARE(r.typed, resposta);
    QCOMPARE(r.accuracy, certo ? 100.0 : 0.0);
    QCOMPARE(r.lesson, -1);
    QVERIFY(r.when >= antes.addMSecs(-1) && r.when <= depois);
    QCOMPARE(r.answers.size(), 1);
    const record::Answer &a = r.answers.first();
    QCOMPARE(a.kind, record::Kind::Reception);
    QCOMPARE(a.sent, QString(QChar(esperada)));
    QCOMPARE(a.answered, resposta);
    QCOMPARE(a.right, certo);
    // From the end of the last element: the closing silence of 25 units, then
    // the wait.
    QCOMPARE(a.answerMs, espera + 25 * Unidade);
    QVERIFY(a.when >= r.when && a.when <= depois);
    QCOMPARE(a.charWpm, TrainerScale::CharacterWpm(Unidade));
    QCOMPARE(a.effectiveWpm, TrainerScale::EffectiveWpm(Unidade));
    QCOMPARE(a.charWpm, 48.0);
}

void TstTesteRecord::aRoundStoresEachAnswer()
{
    QString enviados;
    QString respondidos;
    for (int i = 0; i < 6; ++i) {
        const quint16 tecla = Toca();
        relogio->advance(std::chrono::milliseconds(100 * i));
        const int outra = tecla == 'E' ? Qt::Key_T : Qt::Key_E;
        Responde(i % 3 == 0 ? outra : int(tecla));
        enviados += QChar(tecla);
        respondidos += i % 3 == 0 ? QChar(outra) : QChar(tecla);
    }
    QCOMPARE(teste->ALPBar->Position(), 66);
    const QList<record::Answer> respostas = registro->answers();
    QCOMPARE(respostas.size(), 6);
    QString lidos;
    QString lidasRespostas;
    for (int i = 0; i < 6; ++i) {
        lidos += respostas[i].sent;
        lidasRespostas += respostas[i].answered;
        QCOMPARE(respostas[i].right, i % 3 != 0);
        QCOMPARE(respostas[i].answerMs, 100 * i + 25 * Unidade);
    }
    QCOMPARE(lidos, enviados);
    QCOMPARE(lidasRespostas, respondidos);
}

void TstTesteRecord::nothingStoredWithoutACharacter()
{
    // Keys while ready, a capture switched on by hand, and the answer to a
    // character sounded before the window was shown again: none is an answer.
    Responde(Qt::Key_K);
    Toca();
    Reabre();
    teste->HotKey_Teste->SetEnabled(true);
    Tecla_Esperada = 'Q';
    Testes = 1;
    Responde(Qt::Key_Q);
    Responde(Qt::Key_Q);
    QVERIFY(registro->answers().isEmpty());
    // The next character counts again.
    Reabre();
    Responde(Toca());
    QCOMPARE(registro->answers().size(), 1);
}

void TstTesteRecord::withoutARecordTheWindowIsUnchanged()
{
    // A record that could not be had: the window judges on, and the record
    // says once that nothing is stored.
    record::Record semArquivo;
    QSignalSpy problemas(&semArquivo, &record::Record::problem);
    teste->SetRecord(&semArquivo);
    Responde(Toca());
    QCOMPARE(teste->ALPBar->Position(), 100);
    QCOMPARE(teste->Lb_Teste->Caption(), TextosTeste_(0)->Acertou);
    Responde(Toca());
    QCOMPARE(Acertos, 2.0);
    QCOMPARE(problemas.size(), 1);
    teste->SetRecord(registro.get());
}

void TstTesteRecord::punctuationKeys()
{
    // What the learner typed, for keys beyond letters and digits.
    QCOMPARE(TfTeste::CaracterDaTecla(platform::VK_OEM_COMMA), QStringLiteral(","));
    QCOMPARE(TfTeste::CaracterDaTecla(platform::VK_OEM_2), QStringLiteral("/"));
    QCOMPARE(TfTeste::CaracterDaTecla(platform::VK_ADD), QStringLiteral("+"));
    QCOMPARE(TfTeste::CaracterDaTecla(platform::VK_LWIN), QString());
}

QTEST_MAIN(TstTesteRecord)
#include "tst_teste_record.moc"
