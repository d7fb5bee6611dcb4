#include "keyboard/tfteclado.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "sound/tgerasom.h"
#include "tests/ajustesfalsos.h"
#include "tests/escuta.h"
#include "tests/platform/childprocess.h"
#include "tests/tons.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

constexpr int U = 5; // speed unit of every test: the keyers sleep for real
const QString Teclado = QString::fromUtf8("1234567890QWERTYUIOPASDFGHJKL:ZXCVBNM,.?ÇÉÃ;()");

// What the window showed and sounded, in order. A character reaching the
// display line opens a token, each tone heard from then on adds a dot or a
// dash ("C-.-."); a word space is the token " ". Characters are keyed ahead
// and shown as they begin to sound, so tones are paired with the display by
// the moment they are heard.
struct Gravacao : QObject
{
    QLineEdit *linha;
    escuta::Tons tons;
    escuta::Quadros pinturas; // the display line as painted
    struct Caractere
    {
        platform::SteadyTime quando;
        QChar c;
    };
    QList<Caractere> mostrados;
    QList<QPair<platform::SteadyTime, bool>> visivel; // the window shown or hidden, when
    std::function<void(int)> aoCaractere;             // told the number of each character shown

    explicit Gravacao(QLineEdit *l) : linha(l), pinturas([l] { return QStringList{l->text()}; })
    {
        pinturas.vigia(linha);
        linha->window()->installEventFilter(this);
        visivel.append({platform::Clock::current().now(), linha->window()->isVisible()});
        connect(linha, &QLineEdit::textChanged, this, [this](const QString &t) {
            if (t.isEmpty())
                return;
            mostrados.append({platform::Clock::current().now(), t.back()});
            if (aoCaractere)
                aoCaractere(int(mostrados.size()));
        });
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == linha->window() && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
            visivel.append({platform::Clock::current().now(), e->type() == QEvent::Show});
        return false;
    }

    // The tokens, each character with the tones heard while it was the last shown.
    QStringList teclas() const
    {
        QStringList t;
        qsizetype proximo = 0;
        for (const escuta::Tom &tom : tons.ouvidos()) {
            while (proximo < mostrados.size() && mostrados[proximo].quando <= tom.ouvido)
                t << QString(mostrados[proximo++].c);
            if (t.isEmpty())
                t << QString();
            t.last() += tom.ms == 5 * U ? u'.' : tom.ms == 15 * U ? u'-' : u'?';
        }
        for (; proximo < mostrados.size(); ++proximo)
            t << QString(mostrados[proximo].c);
        return t;
    }
    int ouvidos() const { return int(tons.ouvidos().size()); }
    // The display line as painted when the last tone was heard.
    QString vistoNoSom() const
    {
        const QList<escuta::Tom> t = tons.ouvidos();
        return t.isEmpty() ? QString() : pinturas.em(t.last().ouvido).value(0);
    }
    // Tones heard before their character was painted (the 26th key sounds
    // with the line just emptied).
    int naoMostrados() const
    {
        int n = 0;
        const QStringList tokens = teclas();
        qsizetype k = 0;
        qsizetype proximo = 0;
        for (const escuta::Tom &tom : tons.ouvidos()) {
            while (proximo < mostrados.size() && mostrados[proximo].quando <= tom.ouvido)
                k = ++proximo - 1;
            const QString pintado = pinturas.em(tom.ouvido).value(0);
            const QString token = tokens.value(k);
            n += !pintado.isEmpty() && !token.isEmpty() && !pintado.endsWith(token.front());
        }
        return n;
    }
    // Whether the window was up as each tone was heard.
    QList<bool> visivelNoSom() const
    {
        QList<bool> v;
        for (const escuta::Tom &tom : tons.ouvidos()) {
            bool agora = false;
            for (const auto &[quando, mostrada] : visivel)
                if (quando <= tom.ouvido)
                    agora = mostrada;
            v << agora;
        }
        return v;
    }
};

using tons::Esperado;

} // namespace

class TstKeyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<AjustesFalsos> ajustes;
    std::unique_ptr<platform::VirtualClock> relogioVirtual;
    TfTeclado *w = nullptr;
    Gravacao *g = nullptr;

    QPushButton *Botao(QChar c)
    {
        for (QPushButton *b : w->findChildren<QPushButton *>())
            if (b->text() == c)
                return b;
        return w->BitBtn_Espaco;
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // No sound device: what was keyed is heard through the observer.
        qputenv("SDL_AUDIODRIVER", "zirvano-none");
        ajustes = std::make_unique<AjustesFalsos>();
        w = new TfTeclado(ajustes.get());
    }
    void init()
    {
        // Keyed on a virtual clock, in no time; a held key under a real X
        // server is a matter of real time.
        if (qstrcmp(QTest::currentTestFunction(), "heldKeyUnderX") != 0)
            relogioVirtual = std::make_unique<platform::VirtualClock>();
        ajustes->idioma = 0;
        ajustes->unidade = U;
        w->show();
        // Painted only once the show has reached the window system.
        QTRY_VERIFY(w->testAttribute(Qt::WA_Mapped));
        // The offscreen platform does not always activate a window shown again.
        QApplication::setActiveWindow(w);
        g = new Gravacao(w->Edit_Letras);
    }
    void cleanup()
    {
        relogioVirtual.reset();
        delete g;
        w->hide();
    }

    // Five rows of keys 32 pixels apart, coloured by row, 21 px bold captions.
    void layout()
    {
        const struct
        {
            const char *teclas;
            int left, top;
            QColor cor;
        } linhas[] = {
            {"1234567890", 21, 8, QColor(0, 0, 128)},  {"QWERTYUIOP", 37, 40, QColor(0, 128, 0)},
            {"ASDFGHJKL:", 53, 72, QColor(128, 0, 0)}, {"ZXCVBNM,.?", 69, 105, QColor(0, 0, 255)},
            {"ÇÉÃ", 85, 137, QColor(128, 0, 128)},     {";()", 309, 137, QColor(128, 0, 128)},
            {" ", 181, 137, QColor(255, 0, 0)}};
        for (const auto &l : linhas) {
            const QString teclas = QString::fromUtf8(l.teclas);
            for (int i = 0; i < teclas.size(); ++i) {
                QPushButton *b = Botao(teclas.at(i));
                QCOMPARE(b->geometry(),
                         QRect(l.left + 32 * i, l.top, b == w->BitBtn_Espaco ? 126 : 30, 30));
                QCOMPARE(b->palette().color(QPalette::ButtonText), l.cor);
                QVERIFY(b->font().pixelSize() == 21 && b->font().bold());
            }
        }
        QCOMPARE(w->findChildren<QPushButton *>().size(), 47);
        QCOMPARE(w->size(), QSize(427, 311));
    }

    void typed_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("alvo"); // who has the focus
        QTest::addColumn<QString>("teclas");
        const struct
        {
            const char *nome, *texto;
            int key, mods;
            const char *alvo, *teclas;
        } linhas[] = {
            {"lower a", "a", Qt::Key_A, 0, "key", "A"},
            {"capital Z to the window", "Z", Qt::Key_Z, Qt::ShiftModifier, "window", "Z"},
            {"keypad digit", "7", Qt::Key_7, Qt::KeypadModifier, "key", "7"},
            {"space keys once", " ", Qt::Key_Space, 0, "key", " "},
            {"e acute", "é", Qt::Key_Eacute, 0, "key", ""},
            {"a tilde", "ã", Qt::Key_Atilde, 0, "window", ""},
            {"exclamation", "!", Qt::Key_Exclam, 0, "key", ""},
            {"emoji", "😀", 0, 0, "key", ""},
            {"enter", "\r", Qt::Key_Return, 0, "key", ""},
            {"escape", "\x1b", Qt::Key_Escape, 0, "key", ""},
            {"alt+a", "a", Qt::Key_A, Qt::AltModifier, "key", ""},
            {"into the sentence", "c", Qt::Key_C, 0, "sentence", ""},
            {"escape in the sentence", "\x1b", Qt::Key_Escape, 0, "sentence", ""},
        };
        for (const auto &l : linhas)
            QTest::newRow(l.nome) << QString::fromUtf8(l.texto) << l.key << l.mods
                                  << QString::fromLatin1(l.alvo) << QString::fromLatin1(l.teclas);
    }

    void typed()
    {
        QFETCH(QString, texto);
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, alvo);
        QFETCH(QString, teclas);
        QWidget *destino = w->BitBtn_Espaco;
        if (alvo == "window")
            destino = w;
        else if (alvo == "sentence")
            destino = w->Edit_Frase;
        destino->setFocus();
        // The key is pressed as the key goes down, once: its release adds nothing.
        for (QTest::KeyAction a : {QTest::Press, QTest::Release}) {
            QTest::sendKeyEvent(a, destino, Qt::Key(key), texto, Qt::KeyboardModifiers(mods));
            QCOMPARE(g->teclas().join(u'|'), Esperado(teclas));
        }
        QCOMPARE(w->Edit_Letras->text(), teclas);
        QVERIFY(w->isVisible());
        if (key == Qt::Key_C)
            QCOMPARE(w->Edit_Frase->text(), QStringLiteral("C"));
    }

    // A held key keys once: its repeats, flagged as Qt flags them or not at
    // all, key nothing until the key is released.
    // A key typed while another character sounds goes after it, and the
    // window answers meanwhile: an event posted as the first begins runs
    // before it has sounded out.
    void typedWhileSounding()
    {
        w->BitBtn_Espaco->setFocus();
        platform::SteadyTime respondeu{};
        g->aoCaractere = [&](int n) {
            if (n == 1)
                QTimer::singleShot(0, w, [&] {
                    respondeu = platform::Clock::current().now();
                    QTest::keyClick(w->BitBtn_Espaco, Qt::Key_T, Qt::NoModifier);
                });
        };
        QTest::keyClick(w->BitBtn_Espaco, Qt::Key_O, Qt::NoModifier);
        QTRY_COMPARE(g->teclas().join(u'|'), Esperado(QStringLiteral("OT")));
        const QList<escuta::Tom> t = g->tons.ouvidos();
        QVERIFY(respondeu < t[1].ouvido); // before O's second dash
        // T exactly after O's closing silence: 3 dashes, 2 gaps, 25 units.
        QCOMPARE(t[3].frame - t[0].frame, std::int64_t((3 * 15 + 2 * 5 + 25) * U * 96));
    }

    void heldKey_data()
    {
        // Key ('_' for space), + down or - up, r flagged as a repeat, @ the
        // window system's time in ms.
        QTest::addColumn<QString>("eventos");
        QTest::addColumn<QString>("teclas");
        const auto linha = [](const char *nome, const char *eventos, const char *teclas) {
            QTest::newRow(nome) << QString::fromLatin1(eventos) << QString::fromLatin1(teclas);
        };
        linha("repeats as presses", "E+ E+r E+r E+r E-", "E");
        linha("repeats as release and press pairs", "E+ E-r E+r E-r E+r E-", "E");
        linha("unflagged presses while held", "E+ E+ E+ E-", "E");
        linha("pressed twice", "E+ E- E+ E-", "EE");
        linha("another key while one is held", "E+ T+ T+r T- E+r E-", "ET");
        linha("space bar held", "_+ _+r _+ _-", " ");
        linha("held since before the window had it", "E+r E+r E- E+ E-", "E");
        // X11's repeats are release and press pairs at one time; an idle window
        // may get a pair unflagged, the press not yet queued when Qt looked.
        linha("X11 pairs left unflagged", "E+@10 E-@670 E+@670 E-@710 E+@710 E-@900", "E");
        linha("released, then pressed again", "E+@10 E-@300 E+@320 E-@500", "EE");
    }

    void heldKey()
    {
        QFETCH(QString, eventos);
        QFETCH(QString, teclas);
        w->BitBtn_Espaco->setFocus();
        for (const QString &e : eventos.split(u' ')) {
            const QChar c = e.front() == u'_' ? QChar(u' ') : e.front();
            const int key = c == u' ' ? int(Qt::Key_Space) : int(Qt::Key_A) + (c.unicode() - u'A');
            const bool repeticao = e.size() > 2 && e.at(2) == u'r';
            QKeyEvent evento(e.at(1) == u'+' ? QEvent::KeyPress : QEvent::KeyRelease, key,
                             Qt::NoModifier, QString(c.toLower()), repeticao);
            if (const qsizetype em = e.indexOf(u'@'); em > 0)
                evento.setTimestamp(e.mid(em + 1).toULongLong());
            QWidget *foco = QApplication::focusWidget();
            QApplication::sendEvent(foco ? foco : w, &evento);
        }
        QCOMPARE(g->teclas().join(u'|'), Esperado(teclas));
    }

    // A key released while another window was active never reaches this one:
    // leaving the window lets go of every key held, so the next press keys.
    void heldKeyReleasedElsewhere()
    {
        w->BitBtn_Espaco->setFocus();
        const auto tecla = [this](QEvent::Type tipo, QWidget *alvo) {
            QKeyEvent e(tipo, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
            QApplication::sendEvent(alvo, &e);
        };
        tecla(QEvent::KeyPress, w->BitBtn_Espaco);
        QWidget outra;
        outra.show();
        QApplication::setActiveWindow(&outra);
        tecla(QEvent::KeyRelease, &outra);
        QApplication::setActiveWindow(w);
        tecla(QEvent::KeyPress, w->BitBtn_Espaco);
        tecla(QEvent::KeyRelease, w->BitBtn_Espaco);
        QCOMPARE(g->teclas().join(u'|'), Esperado(QStringLiteral("EE")));
    }

    // The same under a real X server, whose auto-repeat synthetic events never
    // have: xdotool holds E down for 2 s at the slowest speed, so that repeats
    // arrive every 40 ms while the window is busy keying, then clicks Close
    // with E still down. Run by a child of this test on Xvfb.
    void heldKeyUnderX()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            for (const char *programa : {"xvfb-run", "Xvfb", "xauth", "xdotool"})
                if (QStandardPaths::findExecutable(QLatin1String(programa)).isEmpty())
                    QSKIP("needs Xvfb, xvfb-run, xauth and xdotool");
            if (const QString porque = WhyNoChildProcess(); !porque.isEmpty())
                QSKIP(qPrintable(porque));
            QProcess filho;
            QProcessEnvironment meio = QProcessEnvironment::systemEnvironment();
            meio.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            filho.setProcessEnvironment(meio);
            filho.setProcessChannelMode(QProcess::MergedChannels);
            filho.start(QStringLiteral("xvfb-run"),
                        {QStringLiteral("-a"), QStringLiteral("-s"),
                         QStringLiteral("-screen 0 1024x768x24"),
                         QCoreApplication::applicationFilePath(), QStringLiteral("heldKeyUnderX")});
            const bool terminou = filho.waitForFinished(180000);
            const QString saida = QString::fromLocal8Bit(filho.readAll());
            for (const QString &linha : saida.split(u'\n', Qt::SkipEmptyParts))
                qInfo("X: %s", qPrintable(linha));
            QVERIFY(terminou);
            if (saida.contains(QLatin1String("SKIP   : TstKeyboard::heldKeyUnderX")))
                QSKIP("skipped under X");
            QCOMPARE(filho.exitCode(), 0);
            QVERIFY(saida.contains(QLatin1String("PASS   : TstKeyboard::heldKeyUnderX")));
            return;
        }

        const auto xdotool = [](const QStringList &argumentos) {
            return QProcess::execute(QStringLiteral("xdotool"), argumentos) == 0;
        };
        ajustes->unidade = 25; // E lasts 30 units: 750 ms
        w->hide();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), w->BitBtn_Espaco);

        struct Repeticoes : QObject
        {
            int n = 0;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                // Counted once, as the window system hands it to the window.
                n += o->isWindowType() && e->type() == QEvent::KeyPress &&
                     static_cast<QKeyEvent *>(e)->isAutoRepeat();
                return false;
            }
        } repeticoes;
        qApp->installEventFilter(&repeticoes);
        qsizetype noClique = -1;
        QElapsedTimer relogio;
        qint64 msAteClique = -1;
        connect(w->SBtn_Fechar, &QToolButton::clicked, this, [&] {
            noClique = g->mostrados.size();
            msAteClique = relogio.elapsed();
        });

        const QPoint fechar = w->SBtn_Fechar->mapToGlobal(w->SBtn_Fechar->rect().center());
        QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("e")}));
        auto solta = qScopeGuard([&] { xdotool({QStringLiteral("keyup"), QStringLiteral("e")}); });
        QTest::qWait(2000);
        relogio.start();
        QVERIFY(
            xdotool({QStringLiteral("mousemove"), QString::number(fechar.x()),
                     QString::number(fechar.y()), QStringLiteral("click"), QStringLiteral("1")}));
        // Guards a hang only: with every repeat queued the window never closes.
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 60000);
        solta.dismiss();
        QVERIFY(xdotool({QStringLiteral("keyup"), QStringLiteral("e")}));
        QTest::qWait(200);
        qApp->removeEventFilter(&repeticoes);

        if (repeticoes.n == 0)
            QSKIP("the X server sent no auto-repeat");
        QString mostrados; // each character that reached the display line
        for (const auto &m : std::as_const(g->mostrados))
            mostrados += m.c;
        QCOMPARE(mostrados, QStringLiteral("E"));
        QCOMPARE(noClique, 1);
        qInfo("E held 2 s: %d auto-repeats, one E keyed; Close answered %lld ms after xdotool "
              "was asked to click",
              repeticoes.n, msAteClique);
    }

    void texts_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("textos"); // caption, space bar, close, start, label
        const auto linha = [](const char *nome, int idioma, const char *textos) {
            QTest::newRow(nome) << idioma << QString::fromUtf8(textos).split(u'|');
        };
        const char *pt = "Teclado virtual do Zirvano|Espaço|Fechar|Iniciar|Escreva sua frase";
        linha("pt", 0, pt);
        linha("es", 1, "Teclado virtual de Zirvano|Espacio|Cerrar|Iniciar|Escriba su frase");
        linha("en", 2, "Virtual keyboard of Zirvano|Space|Close|Play|Write its sentence");
        linha("3 sets none, the opening before's stay", 3, pt);
    }

    void texts()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        w->hide();
        ajustes->idioma = idioma;
        w->show();
        QCOMPARE(NumIdiomaTeclado, idioma);
        QCOMPARE(QStringList({w->windowTitle(), w->BitBtn_Espaco->text(), w->SBtn_Fechar->text(),
                              w->SB_Ini_Frase->text(), w->Lb_Frase->text()}),
                 textos);
        QCOMPARE(w->statusTip(), w->windowTitle());
        // The sentence hint names the start button's caption between quotes.
        QVERIFY(w->Edit_Frase->statusTip().contains(u'"' + w->SB_Ini_Frase->text() + u'"'));
        const QString dica = w->BitBtn_A->statusTip();
        for (QPushButton *b : w->findChildren<QPushButton *>())
            QCOMPARE(b->statusTip(), dica);
        QSet<QString> dicas{dica, w->Edit_Letras->statusTip(), w->SBtn_Fechar->statusTip(),
                            w->SB_Ini_Frase->statusTip(), w->Edit_Frase->statusTip()};
        QVERIFY(dicas.size() == 5 && !dicas.contains(QString()));
    }

    // Speed and generator come from the main window at every opening. A click
    // on Ã, the one key no sentence plays, shows it before it sounds.
    void reopeningTakesSettingsAndEmptiesFields()
    {
        w->Edit_Frase->setText(QStringLiteral("CQ"));
        w->Soma_Letra(QStringLiteral("K"));
        w->hide();
        ajustes->unidade = 7;
        ajustes->gerador.SetDuration(1234);
        w->show();
        QTRY_VERIFY(w->testAttribute(Qt::WA_Mapped));
        QVERIFY(w->Edit_Frase->text().isEmpty() && w->Edit_Letras->text().isEmpty());
        w->Edit_Frase->setFocus();
        QTest::mouseClick(w->BitBtn_ATil, Qt::LeftButton);
        QCOMPARE(ajustes->gerador.Duration(), 15 * 7); // its last element, a dash
        QCOMPARE(g->ouvidos(), 5);
        QCOMPARE(g->naoMostrados(), 0);
        QCOMPARE(w->focusWidget(), w->BitBtn_Espaco);
    }

    void displayLineNeverKeepsFocus()
    {
        w->Edit_Frase->setFocus();
        w->Edit_Letras->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w->BitBtn_Espaco);
        w->Edit_Frase->setFocus();
        QTest::mouseClick(w->Edit_Letras, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), w->BitBtn_Espaco);
        QCOMPARE(w->focusWidget(), w->BitBtn_Espaco);
    }

    void sentence_data()
    {
        QTest::addColumn<QString>("antes"); // typed before the start
        QTest::addColumn<QString>("frase");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("ultimaVista"); // display line at the last tone
        const auto linha = [](const char *nome, const char *antes, const QString &frase,
                              const QString &teclas, const QString &vista) {
            QTest::newRow(nome) << QString::fromUtf8(antes) << frase << teclas << vista;
        };
        const auto u8 = [](const char *s) { return QString::fromUtf8(s); };
        linha("C Q blank C Q", "", u8("CQ CQ"), u8("CQ CQ"), u8("CQ CQ"));
        linha("S A-tilde O", "", u8("SÃO"), u8("SO"), u8("SO"));
        linha("O L A-acute !", "", u8("OLÁ!"), u8("OL"), u8("OL"));
        // The display line is emptied at the 26th key and then shows the rest.
        const QString semATil = QString(Teclado).remove(QChar(0xC3));
        linha("whole keyboard", "", Teclado + u' ', semATil + u' ', semATil.mid(26));
        linha("lower case stored capital", "", u8("cq ç"), u8("CQ Ç"), u8("CQ Ç"));
        linha("pasted oddities", "", u8("\t\x01ñü€😀\u200b-E"), u8("E"), u8("E"));
        linha("after keys typed", "TI", u8("E"), u8("TIE"), u8("TIE"));
        linha("empty", "AB", QString(), u8("AB"), u8("AB"));
    }

    void sentence()
    {
        QFETCH(QString, antes);
        QFETCH(QString, frase);
        QFETCH(QString, teclas);
        QFETCH(QString, ultimaVista);
        for (QChar c : antes)
            QVERIFY(w->FormKeyPress(c));
        w->Edit_Frase->setText(frase);
        QTest::mouseClick(w->SB_Ini_Frase, Qt::LeftButton);
        QCOMPARE(g->teclas().join(u'|'), Esperado(teclas));
        QCOMPARE(g->ouvidos() ? g->vistoNoSom() : antes, ultimaVista);
        QCOMPARE(g->naoMostrados(), 0);
        QVERIFY(w->Edit_Frase->text().isEmpty() && w->Edit_Letras->text().isEmpty());
    }

    void interruptedSentence_data()
    {
        QTest::addColumn<QString>("frase");
        QTest::addColumn<int>("noCaractere");
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("teclas");
        const auto linha = [](const char *nome, const QString &frase, int caractere,
                              const char *acao, const char *teclas) {
            QTest::newRow(nome) << frase << caractere << QString::fromLatin1(acao)
                                << QString::fromLatin1(teclas);
        };
        // Asked as the second O sounds: the O still finishes.
        linha("close button", QStringLiteral("OOOO"), 2, "button", "OO");
        linha("close button, 40000 pasted", QString(40000, u'E'), 3, "button", "EEE");
        // The title bar asks for no stop: the window stays up to the end.
        linha("close box", QStringLiteral("EEE"), 1, "box", "EEE");
        // A second start plays it all and empties the sentence; the first then
        // keys only the character it had already read.
        linha("second start", QStringLiteral("EEE"), 1, "start", "EEEEE");
    }

    void interruptedSentence()
    {
        QFETCH(QString, frase);
        QFETCH(int, noCaractere);
        QFETCH(QString, acao);
        QFETCH(QString, teclas);
        QGuiApplication::clipboard()->setText(frase);
        w->Edit_Frase->paste();
        QCOMPARE(w->Edit_Frase->text().size(), frase.size());
        QAbstractButton *b = acao == "button" ? w->SBtn_Fechar : w->SB_Ini_Frase;
        g->aoCaractere = [&](int caractere) {
            if (caractere == noCaractere)
                QTimer::singleShot(0, w, [&] { acao == "box" ? (void)w->close() : b->click(); });
        };
        QTimer guarda; // a window that fails to close must not hang the run
        connect(&guarda, &QTimer::timeout, w, [this] { w->done(-1); });
        guarda.start(20000);
        QTimer::singleShot(0, w, [this] {
            w->SB_Ini_Frase->click();
            w->close();
        });
        QCOMPARE(w->exec(), int(QDialog::Rejected));
        QCOMPARE(g->teclas().join(u'|'), Esperado(teclas));
        QCOMPARE(Parar_Frase, acao == "button");
        QVERIFY(!g->visivelNoSom().contains(false));
        QVERIFY(w->Edit_Frase->text().isEmpty() && w->Edit_Letras->text().isEmpty());
    }

    void opensModally()
    {
        w->hide();
        bool modal = false;
        QTimer::singleShot(0, w, [&] {
            modal = QApplication::activeModalWidget() == w;
            w->SBtn_Fechar->click();
        });
        w->exec();
        QVERIFY(modal && !w->isVisible());
    }
};

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
