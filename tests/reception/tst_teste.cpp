#include "controls/talprogressbar.h"
#include "controls/tdrlabel.h"
#include "morse/letras.h"
#include "platform/keyboardhook.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "reception/tfteste.h"
#include "sound/tgerasom.h"
#include "tests/ajustesfalsos.h"
#include "text/testetexts.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <set>

// Each row drives the window as a learner does: a press of the test button
// sounds a character (unit 5 ms, so quickly), and the answer is typed.
class TstTeste : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void layout();
    void pointers_data();
    void pointers();
    void texts_data();
    void texts();
    void scoreOfARound_data();
    void scoreOfARound();
    void answerKeys_data();
    void answerKeys();
    void keyWhileReadyChangesNothing();
    void answerTypedWhileSoundingIsJudgedAfter();
    void reopeningStartsReadyAfterCaptureLeftOn();
    void answerWithNothingPlayedClosesTheWindow();
    void verdictBlinksRedAndBlack();
    void settingsReachTheTestAtEachShowing();
    void drawTable_data();
    void drawTable();
    void openedModallyInTheMainWindowsLanguage();

private:
    // Sounds one character and returns its key code.
    quint16 Toca();
    void Responde(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 scanCode = 0,
                  const QString &text = QString(), quint32 nativeModifiers = 0);
    void Reabre();

    std::unique_ptr<platform::VirtualClock> relogio;
    AjustesFalsos ajustes;
    std::unique_ptr<TfTeste> teste;
};

void TstTeste::initTestCase()
{
    qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
    // Keyed on a virtual clock with no sound device: the characters take no time.
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
    relogio = std::make_unique<platform::VirtualClock>();

    ajustes.unidade = 5;
    teste = std::make_unique<TfTeste>(&ajustes);
}

void TstTeste::init()
{
    ajustes.idioma = 0;
    Reabre();
}

void TstTeste::cleanupTestCase()
{
    platform::setSoundObserver({});
    teste.reset();
}

quint16 TstTeste::Toca()
{
    teste->Btn_Teste->click();
    return Tecla_Esperada;
}

void TstTeste::Responde(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                        const QString &text, quint32 nativeModifiers)
{
    for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent evento(tipo, qtKey, modifiers, scanCode, 0, nativeModifiers, text);
        QApplication::sendEvent(teste->focusWidget() ? teste->focusWidget() : teste.get(), &evento);
    }
}

void TstTeste::Reabre()
{
    teste->hide();
    teste->show();
    QApplication::setActiveWindow(teste.get());
    QVERIFY(QTest::qWaitForWindowActive(teste.get()));
}

void TstTeste::layout()
{
    QCOMPARE(teste->size(), QSize(378, 193));
    QCOMPARE(teste->minimumSize(), teste->maximumSize());
    // A verdict must not resize the fixed-size label.
    Responde(Toca());
    QVERIFY(!teste->Lb_Teste->Caption().isEmpty());
    const std::pair<const char *, QRect> lugares[] = {
        {"Bevel1", {8, 8, 225, 104}},      {"ALPBar", {16, 25, 210, 25}},
        {"ALBar_Erro", {16, 72, 210, 25}}, {"Bevel2", {242, 8, 128, 121}},
        {"Btn_Teste", {256, 16, 100, 50}}, {"Btn_Fechar", {256, 71, 100, 50}},
        {"Lb_Teste", {8, 147, 361, 30}}};
    for (const auto &[nome, lugar] : lugares) {
        const QWidget *w = teste->findChild<QWidget *>(QString::fromLatin1(nome));
        QVERIFY2(w && w->geometry() == lugar, nome);
    }
}

void TstTeste::pointers_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<int>("forma");
    QTest::newRow("background") << QString() << int(Qt::ForbiddenCursor);
    for (const char *nome : {"Bevel1", "Bevel2", "ALPBar", "ALBar_Erro", "Lb_Teste"})
        QTest::newRow(nome) << QString::fromLatin1(nome) << int(Qt::ForbiddenCursor);
    for (const char *nome : {"Btn_Teste", "Btn_Fechar"})
        QTest::newRow(nome) << QString::fromLatin1(nome) << int(Qt::PointingHandCursor);
}

// The shape the window system shows over each control, set there or taken
// from the window.
void TstTeste::pointers()
{
    QFETCH(QString, controle);
    QFETCH(int, forma);
    const QWidget *w = controle.isEmpty() ? teste.get() : teste->findChild<QWidget *>(controle);
    QVERIFY(w);
    QCOMPARE(int(w->cursor().shape()), forma);
}

void TstTeste::texts_data()
{
    QTest::addColumn<int>("idioma");
    QTest::addColumn<QStringList>("textos");
    const auto linha = [](const char *nome, int idioma, const QStringList &textos) {
        QTest::newRow(nome) << idioma << textos;
    };
    linha("Portuguese", 0,
          {"Teste os seus conhecimentos", "100 % de acertos", "0 % de erros", "Teste", "Fechar",
           "Inicia a apresentação dos caracteres", "Finaliza a área de testes e retorna ao Zirvano",
           "Demonstra gráficamente a porcentagem de acertos", "Demonstra a porcentagem de erros",
           "Parabéns você acertou", "Errou, tente novamente"});
    linha("Spanish", 1,
          {"Testeo de sus conocimientos", "100 % de éxitos", "0 % de errores", "Testeo", "Cerrar",
           "Inicia la presentación de los caracteres",
           "Finaliza el área de testeos y retorna al Zirvano", "Demuestra el porcentaje de éxitos",
           "Demuestra el porcentaje de errores", "Felicitaciones usted se puso correcto",
           "Vagó, intente de nuevo"});
    linha("English", 2,
          {"Test its knowledge", "100 % of successes", "0 % of mistakes", "Test", "Close",
           "It begins the presentation of the characterses",
           "The area of tests concludes and it comes back to Zirvano",
           "It demonstrates the percentage of successes",
           "It demonstrates the percentage of mistakes", "Congratulations you got right",
           "It wandered, try again"});
}

void TstTeste::texts()
{
    QFETCH(int, idioma);
    QFETCH(QStringList, textos);
    ajustes.idioma = idioma;
    Reabre();
    QCOMPARE(teste->statusTip(), teste->windowTitle());
    const QStringList mostrados{
        teste->windowTitle(),           teste->ALPBar->PosText(),   teste->ALBar_Erro->PosText(),
        teste->Btn_Teste->text(),       teste->Btn_Fechar->text(),  teste->Btn_Teste->statusTip(),
        teste->Btn_Fechar->statusTip(), teste->ALPBar->statusTip(), teste->ALBar_Erro->statusTip()};
    QCOMPARE(mostrados, textos.mid(0, 9));
    quint16 tecla = Toca();
    Responde(tecla);
    QCOMPARE(teste->Lb_Teste->Caption(), textos[9]);
    tecla = Toca();
    Responde(tecla == 'Q' ? Qt::Key_W : Qt::Key_Q);
    QCOMPARE(teste->Lb_Teste->Caption(), textos[10]);

    // An index outside the three languages sets no text at all.
    ajustes.idioma = 7;
    Reabre();
    QCOMPARE(teste->windowTitle(), textos[0]);
    QCOMPARE(teste->Btn_Teste->text(), textos[3]);
}

void TstTeste::scoreOfARound_data()
{
    QTest::addColumn<int>("jogados");       // characters played before the round
    QTest::addColumn<int>("acertados");     // of which right
    QTest::addColumn<QString>("respostas"); // c: right, e: wrong
    QTest::addColumn<QList<int>>("barras"); // right bar after each answer
    QTest::newRow("first right") << 0 << 0 << "c" << QList<int>{100};
    QTest::newRow("first wrong") << 0 << 0 << "e" << QList<int>{0};
    QTest::newRow("2 of 3") << 0 << 0 << "cec" << QList<int>{100, 50, 66};
    QTest::newRow("1 of 3") << 0 << 0 << "ece" << QList<int>{0, 50, 33};
    QTest::newRow("3 of 5") << 0 << 0 << "ccece" << QList<int>{100, 100, 66, 75, 60};
    // Whole parts are taken, never rounded, and exact where the share is whole.
    QTest::newRow("29 of 100") << 99 << 28 << "c" << QList<int>{29};
    QTest::newRow("57 of 100") << 99 << 57 << "e" << QList<int>{57};
    QTest::newRow("7 of 700") << 699 << 7 << "e" << QList<int>{1};
    QTest::newRow("all of 1000") << 999 << 999 << "c" << QList<int>{100};
}

void TstTeste::scoreOfARound()
{
    QFETCH(int, jogados);
    QFETCH(int, acertados);
    QFETCH(QString, respostas);
    QFETCH(QList<int>, barras);
    Testes = jogados;
    Acertos = acertados;
    for (int i = 0; i < respostas.size(); ++i) {
        const quint16 tecla = Toca();
        QVERIFY(!teste->Btn_Teste->isEnabled()); // awaiting the answer
        QVERIFY(teste->HotKey_Teste->Enabled());
        Responde(respostas[i] == u'c' ? int(tecla) : int(tecla == 'E' ? Qt::Key_T : Qt::Key_E));
        QVERIFY(teste->Btn_Teste->hasFocus());
        QVERIFY(!teste->HotKey_Teste->Enabled());
        QCOMPARE(teste->ALPBar->Position(), barras[i]);
        QCOMPARE(teste->ALBar_Erro->Position(), 100 - barras[i]);
        QCOMPARE(Testes, double(jogados + i + 1));
        QCOMPARE(Erros, 0.0);
        QCOMPARE(Porcentagem, 0.0);
    }
    QVERIFY(teste->isVisible());
}

void TstTeste::answerKeys_data()
{
    QTest::addColumn<int>("esperada");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("scanCode");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("certo");
    QTest::addColumn<int>("nativos"); // the window system's modifier state
    const int shift = Qt::ShiftModifier;
    constexpr int capsLock = 0x2; // X11's LockMask: Caps Lock on, no Shift held
    QTest::newRow("letter") << int('G') << int(Qt::Key_G) << 0 << 0 << "g" << true << 0;
    QTest::newRow("letter, Shift held")
        << int('G') << int(Qt::Key_G) << shift << 0 << "G" << true << 0;
    QTest::newRow("letter, Caps Lock")
        << int('G') << int(Qt::Key_G) << 0 << 0 << "G" << true << capsLock;
    QTest::newRow("other letter") << int('G') << int(Qt::Key_H) << 0 << 0 << "h" << false << 0;
    QTest::newRow("digit") << int('5') << int(Qt::Key_5) << 0 << 0 << "5" << true << 0;
    QTest::newRow("digit, Shift held")
        << int('5') << int(Qt::Key_Percent) << shift << 14 << "%" << true << 0;
    QTest::newRow("keypad digit") << int('5') << int(Qt::Key_5) << int(Qt::KeypadModifier) << 0
                                  << "5" << false << 0;
    QTest::newRow("Shift") << int('A') << int(Qt::Key_Shift) << 0 << 0 << "" << false << 0;
    QTest::newRow("Control") << int('A') << int(Qt::Key_Control) << 0 << 0 << "" << false << 0;
    QTest::newRow("F1") << int('P') << int(Qt::Key_F1) << 0 << 0 << "" << false << 0;
    QTest::newRow("Space") << int('E') << int(Qt::Key_Space) << 0 << 0 << " " << false << 0;
}

void TstTeste::answerKeys()
{
    QFETCH(int, esperada);
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, scanCode);
    QFETCH(QString, texto);
    QFETCH(bool, certo);
    QFETCH(int, nativos);
    // Caps Lock is switched on while the window is ready, as a learner would,
    // and the answer comes with it on.
    if (nativos != 0)
        Responde(Qt::Key_CapsLock);
    Toca();
    Tecla_Esperada = quint16(esperada);
    Responde(qtKey, Qt::KeyboardModifiers(modifiers), quint32(scanCode), texto, quint32(nativos));
    QCOMPARE(Acertos, certo ? 1.0 : 0.0);
    QCOMPARE(teste->ALPBar->Position(), certo ? 100 : 0);
    QCOMPARE(teste->Lb_Teste->Caption(), certo ? TextosTeste_(0)->Acertou : TextosTeste_(0)->Errou);
}

void TstTeste::keyWhileReadyChangesNothing()
{
    const quint16 tecla = Toca();
    Responde(tecla);
    const QString veredito = teste->Lb_Teste->Caption();
    for (int qtKey : {int(tecla), int(Qt::Key_X), int(Qt::Key_F2)})
        Responde(qtKey);
    QCOMPARE(Testes, 1.0);
    QCOMPARE(Acertos, 1.0);
    QCOMPARE(teste->Lb_Teste->Caption(), veredito);
    QCOMPARE(teste->ALPBar->Position(), 100);
    QVERIFY(teste->isVisible());
}

void TstTeste::answerTypedWhileSoundingIsJudgedAfter()
{
    // The answer comes while the character still sounds: the window answers
    // other events meanwhile, but judges the key once the character is over.
    bool durante = false;
    QTimer::singleShot(0, teste.get(), [&] {
        durante = !teste->Btn_Teste->isEnabled() && Testes == 0;
        Responde(Qt::Key_M);
        Responde(Qt::Key_N);
    });
    const quint16 tecla = Toca();
    QVERIFY(durante);
    QVERIFY(teste->isVisible());
    QCOMPARE(Testes, 1.0);
    // The first key is the answer, the second comes after it (ready again).
    QCOMPARE(Acertos, tecla == 'M' ? 1.0 : 0.0);
    QCOMPARE(teste->Lb_Teste->Caption(),
             tecla == 'M' ? TextosTeste_(0)->Acertou : TextosTeste_(0)->Errou);
    // Judged against this character, counted: one right of one, or none.
    QCOMPARE(teste->ALPBar->Position(), tecla == 'M' ? 100 : 0);
    QVERIFY(teste->Btn_Teste->isEnabled());
}

void TstTeste::reopeningStartsReadyAfterCaptureLeftOn()
{
    // Score something, then leave with a character still awaiting its answer.
    Responde(Toca());
    Toca();
    Responde(Tecla_Esperada == 'M' ? Qt::Key_N : Qt::Key_M);
    const quint16 antiga = Toca();
    teste->Btn_Fechar->click();
    QVERIFY(!teste->isVisible());
    QVERIFY(teste->HotKey_Teste->Enabled()); // the capture kept its state

    Reabre();
    QVERIFY(!teste->HotKey_Teste->Enabled());
    QVERIFY(teste->Btn_Teste->isEnabled());
    QCOMPARE(teste->Lb_Teste->Caption(), QString());
    QCOMPARE(teste->ALPBar->Position(), 100);
    QCOMPARE(teste->ALBar_Erro->Position(), 0);
    QCOMPARE(Testes, 0.0);
    QCOMPARE(Acertos, 0.0);
    // The old character's key is no answer: the window stays, nothing counts.
    Responde(antiga);
    QVERIFY(teste->isVisible());
    QCOMPARE(Acertos, 0.0);
    QCOMPARE(teste->Lb_Teste->Caption(), QString());
}

void TstTeste::answerWithNothingPlayedClosesTheWindow()
{
    // More right answers than characters played can only come from a capture
    // switched on by hand; the window gives up rather than show nonsense.
    Tecla_Esperada = 'K';
    teste->HotKey_Teste->SetEnabled(true);
    Responde(Qt::Key_K);
    QVERIFY(!teste->isVisible());
    QCOMPARE(teste->ALPBar->Position(), 100);
    QCOMPARE(teste->ALBar_Erro->Position(), 0);
}

void TstTeste::verdictBlinksRedAndBlack()
{
    TDRLabel *rotulo = teste->Lb_Teste;
    QCOMPARE(rotulo->Blink(), blHiLo);
    QCOMPARE(rotulo->BlinkInterval(), 300);
    Responde(Toca());
    QVERIFY(rotulo->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(rotulo->FontColor(), clBlack, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(rotulo->FontColor(), clRed, 2000);
}

void TstTeste::settingsReachTheTestAtEachShowing()
{
    const AjustesFalsos originais;
    const std::int16_t antes = teste->GeraSom1->Frequency();

    ajustes.frequencia = 2200;
    ajustes.volumeDireito = 70;
    ajustes.volumeEsquerdo = 90;
    ajustes.unidade = 7;
    ajustes.gerador.SetWaveform(tgSquare);
    // Nothing moves while the window stays open; the next showing takes all.
    QCOMPARE(teste->GeraSom1->Frequency(), antes);
    Reabre();
    QCOMPARE(int(teste->GeraSom1->Frequency()), 2200);
    QCOMPARE(int(teste->GeraSom1->RightVolume()), 70);
    QCOMPARE(int(teste->GeraSom1->LeftVolume()), 90);
    QCOMPARE(teste->GeraSom1->Waveform(), tgSine);
    QVERIFY(!teste->GeraSom1->Async());

    QList<int> duracoes;
    platform::setSoundObserver([&](const platform::SoundCall &chamada) {
        if (chamada.kind == platform::SoundCall::Kind::Play)
            duracoes.append(teste->GeraSom1->Duration());
    });
    Toca();
    platform::setSoundObserver({});
    QVERIFY(!duracoes.isEmpty());
    for (int d : std::as_const(duracoes))
        QVERIFY2(d == 5 * 7 || d == 15 * 7, qPrintable(QString::number(d)));

    ajustes.frequencia = originais.frequencia;
    ajustes.volumeDireito = originais.volumeDireito;
    ajustes.volumeEsquerdo = originais.volumeEsquerdo;
    ajustes.unidade = 5;
    ajustes.gerador.SetWaveform(tgSine);
}

void TstTeste::drawTable_data()
{
    QTest::addColumn<int>("sorteio");
    QTest::addColumn<int>("tecla");
    const QByteArray ordem = "9ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678";
    for (int i = 0; i < ordem.size(); ++i)
        QTest::addRow("%d is %c", i, ordem[i]) << i << int(ordem[i]);
}

void TstTeste::drawTable()
{
    QFETCH(int, sorteio);
    QFETCH(int, tecla);
    // The character drawn is the one sounded: its dots and dashes as played.
    constexpr int unidade = 2; // the generator's shortest tone is 10 ms
    QString tocado;
    platform::setSoundObserver([&](const platform::SoundCall &chamada) {
        if (chamada.kind == platform::SoundCall::Kind::Play)
            tocado += teste->GeraSom1->Duration() == 5 * unidade ? u'.' : u'-';
    });
    const quint16 esperada = TfTeste::TocaSorteio(sorteio, unidade, teste->GeraSom1);
    platform::setSoundObserver({});
    QCOMPARE(int(esperada), tecla);
    QCOMPARE(tocado, QString::fromLatin1(Letras::Padrao(static_cast<unsigned char>(tecla))));
}

void TstTeste::openedModallyInTheMainWindowsLanguage()
{
    teste->hide();
    ajustes.idioma = 2;
    bool modal = false;
    QTimer::singleShot(0, teste.get(), [&] {
        modal = QApplication::activeModalWidget() == teste.get();
        teste->Btn_Fechar->click();
    });
    teste->exec();
    QVERIFY(modal);
    QVERIFY(!teste->isVisible());
    QCOMPARE(teste->windowTitle(), QStringLiteral("Test its knowledge"));
}

QTEST_MAIN(TstTeste)
#include "tst_teste.moc"
