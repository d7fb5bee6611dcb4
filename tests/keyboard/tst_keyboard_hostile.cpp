// The virtual keyboard under hostile input: huge sentences of every kind of
// character pasted into the phrase player, and floods of synthetic keys.

#include "keyboard/tfteclado.h"
#include "morse/letras.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "tests/ajustesfalsos.h"
#include "tests/ambiente.h"
#include "tests/emulation.h"
#include "tests/escuta.h"
#include "tests/tons.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>

namespace {

// Unit of the sentence test: a dot (5 units) is raised to the generator's
// 10 ms floor, a dash lasts 30 ms, so the two stay apart and keying is quick.
constexpr int U = 2;
// What the phrase player keys, and what typing can put on the display line.
const QString NaFrase = QString::fromUtf8("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ:,.?ÇÉ ;()");
const QString Digitaveis = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ:,.? ;()");
// Every key's character: a focused key button also answers to its own
// activation key.
const QString NasTeclas = Digitaveis + QString::fromUtf8("ÇÉÃ");

qint64 rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong();
    return 0;
}

// Fonts without shaping tables for some scripts are reported once per font;
// nothing to act on here.
QtMessageHandler proximo = nullptr;
void semAvisosDeFonte(QtMsgType tipo, const QMessageLogContext &contexto, const QString &texto)
{
    if (!texto.contains(QLatin1String("OpenType support missing")))
        proximo(tipo, contexto, texto);
}

QString u32(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// Characters no key plays, from every corner of Unicode: scripts, marks,
// symbols, emoji, controls, format and bidi marks, private use, unassigned,
// noncharacters and lone surrogates.
QStringList naoTocaveis()
{
    QStringList s;
    for (const char *utf8 :
         {"à", "ã", "ñ",  "ö",  "ß",  "ø",  "Ã",  "Ñ", "ÿ", "α", "Ω", "ж", "Ж", "ب",  "ש",
          "क", "ก", "中", "한", "か", "ア", "Ａ", "٣", "²", "½", "€", "©", "!", "\"", "#",
          "'", "-", "/",  "@",  "[",  "\\", "_",  "`", "{", "~", "¿", "¡", "«", "…",  "—"})
        s << QString::fromUtf8(utf8);
    for (char32_t c : {0x0301u,  0x0327u,  0x0303u,  0x20DDu,             // combining marks
                       0x1F600u, 0x1F469u, 0x1F3FDu, 0x1D538u,  0x10428u, // beyond the BMP
                       0x0000u,  0x0009u,  0x000Au,  0x000Du,   0x001Bu,  0x007Fu, 0x0085u, 0x0008u,
                       0x200Bu,  0x200Cu,  0x200Du,  0x200Eu,   0x200Fu,  0x202Eu, 0x2066u, 0x2069u,
                       0xFEFFu,  0x00ADu,  0x2028u,  0x2029u,   0x3000u,  0x00A0u, // format, spaces
                       0xE000u,  0xF8FFu,  0xF0000u, 0x10FFFDu,                    // private use
                       0x0378u,  0x0EFFu,  0xFFFEu,  0xFFFFu,   0x1FFFFu, 0xFFFDu, 0x212Au})
        s << u32(c);
    s << QString(QChar(0xD800)) << QString(QChar(0xDBFF)) << QString(QChar(0xDC00))
      << QString(QChar(0xDFFF));
    return s;
}

// What a sentence should key: one token per played character, its pattern
// behind it ("A.-"); a word space is " ".
QString Esperado(const QString &frase)
{
    QString tocados;
    for (QChar c : frase) {
        c = c.toUpper();
        if (NaFrase.contains(c))
            tocados += c;
    }
    return tons::Esperado(tocados);
}

// What the window keyed: a character reaching the display line opens a
// token, each tone heard from then on adds '.' or '-' by its length
// (characters are keyed ahead and shown as they begin to sound).
struct Gravacao : QObject
{
    escuta::Tons tons;
    QList<QPair<platform::SteadyTime, QChar>> mostrados;
    std::function<void()> aoNovoCaractere;

    explicit Gravacao(QLineEdit *linha)
    {
        connect(linha, &QLineEdit::textChanged, this, [this](const QString &t) {
            if (t.isEmpty())
                return;
            mostrados.append({platform::Clock::current().now(), t.back()});
            if (aoNovoCaractere)
                aoNovoCaractere();
        });
    }

    int caracteres() const { return int(mostrados.size()); }
    // Tones heard before any character was shown.
    int tonsEstranhos = 0;
    QStringList teclas()
    {
        QStringList t;
        tonsEstranhos = 0;
        qsizetype proximo = 0;
        for (const escuta::Tom &tom : tons.ouvidos()) {
            while (proximo < mostrados.size() && mostrados[proximo].first <= tom.ouvido)
                t << QString(mostrados[proximo++].second);
            if (t.isEmpty()) {
                ++tonsEstranhos;
                continue;
            }
            t.last() += tom.ms == 10 ? u'.' : tom.ms == 15 * U ? u'-' : u'?';
        }
        for (; proximo < mostrados.size(); ++proximo)
            t << QString(mostrados[proximo].second);
        return t;
    }
};

} // namespace

class TstKeyboardHostile : public QObject
{
    Q_OBJECT

    std::unique_ptr<AjustesFalsos> ajustes;
    std::unique_ptr<platform::VirtualClock> relogioVirtual;
    TfTeclado *w = nullptr;

    static void Abre(TfTeclado *janela)
    {
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QApplication::setActiveWindow(janela);
    }

private slots:
    void initTestCase()
    {
        proximo = qInstallMessageHandler(semAvisosDeFonte);
        // Keyed on a virtual clock with no sound device: the characters take no time.
        qputenv("SDL_AUDIODRIVER", "zirvano-none");
        relogioVirtual = std::make_unique<platform::VirtualClock>();
        ajustes = std::make_unique<AjustesFalsos>();
        // Faster than the main window's slider offers, to key a long
        // sentence quickly.
        ajustes->unidade = U;
        w = new TfTeclado(ajustes.get());
    }
    void cleanup() { w->hide(); }
    void cleanupTestCase()
    {
        delete w;
        ajustes.reset();
    }

    void sentence_data();
    void sentence();
    void hammeredKeys_data();
    void hammeredKeys();
};

void TstKeyboardHostile::sentence_data()
{
    QTest::addColumn<QString>("frase");
    QTest::addColumn<QString>("esperado");

    // Characters that turn into keys only once in capitals, and look-alikes
    // that must not.
    QTest::newRow("lower case becomes keys")
        << QString::fromUtf8("cq çé ã") << QString::fromUtf8("C-.-.|Q--.-| |Ç-.-..|É..-..| ");
    QTest::newRow("capitals by case mapping")
        << QString::fromUtf8("ıſ") << QStringLiteral("I..|S...");
    QTest::newRow("look-alikes stay silent")
        << QString::fromUtf8("Ａ\u212A\u0391\u0410\u13AA\U0001D400\u2024") << QString();
    QTest::newRow("controls between keys")
        << QStringLiteral("E") + QChar(0) + QStringLiteral("T\r\nE\tT\x1B")
        << QStringLiteral("E.|T-|E.|T-");
    QTest::newRow("lone surrogates around a key")
        << QString(QChar(0xDC00)) + u'E' + QChar(0xD800) << QStringLiteral("E.");
    QTest::newRow("combining marks keep the base key")
        << QString::fromUtf8("E\u0301\u0327T\u20DD") << QStringLiteral("E.|T-");

    // A long sentence of everything, with a few keys strewn in. The player
    // passes through the event loop once per character: under emulation the
    // sentence is a tenth as long.
    const qsizetype comprimento = Emulated() ? 10000 : 100000;
    QRandomGenerator random(100000);
    const QStringList ruido = naoTocaveis();
    const QString teclas = QString::fromUtf8("abcxyz019ENTQ,.?:;()çéıſ ");
    QStringList partes;
    qsizetype tamanho = 0;
    while (tamanho < comprimento) {
        const QString p = random.bounded(1500) == 0
                              ? QString(teclas.at(random.bounded(int(teclas.size()))))
                              : ruido.at(random.bounded(int(ruido.size())));
        partes << p;
        tamanho += p.size();
    }
    const QString frase = partes.join(QString());
    QTest::newRow(Emulated() ? "10 000 characters of every class"
                             : "100 000 characters of every class")
        << frase << Esperado(frase);
}

void TstKeyboardHostile::sentence()
{
    QFETCH(QString, frase);
    QFETCH(QString, esperado);
    Abre(w);
    Gravacao g(w->Edit_Letras);

    QApplication::clipboard()->setText(frase);
    w->Edit_Frase->setFocus();
    w->Edit_Frase->paste();
    // Nothing lost on the way in: the field holds the sentence in capitals.
    QCOMPARE(w->Edit_Frase->text().size(), frase.size());
    QApplication::processEvents();
    const qint64 antes = rssKb();

    // A timer posted while a character sounds fires before the next one
    // starts: the window answers between characters.
    int postados = 0;
    QVector<QPair<int, int>> disparos; // character posted at, characters keyed by then
    g.aoNovoCaractere = [&] {
        const int em = g.caracteres();
        ++postados;
        QTimer::singleShot(0, w, [&, em] { disparos.append({em, g.caracteres()}); });
    };
    QElapsedTimer relogio;
    relogio.start();
    QTest::mouseClick(w->SB_Ini_Frase, Qt::LeftButton);
    const double ms = double(relogio.elapsed());
    QTRY_COMPARE(disparos.size(), postados);
    const qint64 depois = rssKb();
    g.aoNovoCaractere = nullptr;

    QCOMPARE(g.teclas().join(u'|'), esperado);
    QCOMPARE(g.tonsEstranhos, 0);
    for (const auto &[em, visto] : std::as_const(disparos))
        QVERIFY2(
            em == visto,
            qPrintable(QStringLiteral("posted at character %1, ran at %2").arg(em).arg(visto)));
    QVERIFY(w->Edit_Frase->text().isEmpty());
    QVERIFY(w->Edit_Letras->text().isEmpty());
    // The playback holds no copies of the sentence: memory stays where it was.
    // (Not under the address sanitizer, whose quarantine holds freed memory.)
    if (!ambiente::Sanitizado())
        QVERIFY2(depois - antes < 32 * 1024,
                 qPrintable(QStringLiteral("RSS %1 -> %2 kB").arg(antes).arg(depois)));
    if (frase.size() > 1000)
        qInfo("%lld characters, %lld keyed, %.0f ms, RSS %lld -> %lld kB", qlonglong(frase.size()),
              qlonglong(g.caracteres()), ms, antes, depois);
}

void TstKeyboardHostile::hammeredKeys_data()
{
    QTest::addColumn<quint32>("semente");
    QTest::addColumn<int>("mistura"); // 0 typing, 1 chords and modifiers, 2 anything
    QTest::newRow("typing with auto-repeat") << 1u << 0;
    QTest::newRow("chords and modifier keys") << 2u << 1;
    QTest::newRow("any key, any text") << 3u << 2;
}

// Thousands of presses, repeats and releases sent where the window system
// would send them. The keyer sleeps for real, so the flood runs without the
// main window's generator: what is under test is the window, not the Morse.
void TstKeyboardHostile::hammeredKeys()
{
    QFETCH(quint32, semente);
    QFETCH(int, mistura);
    // A window given no settings has no generator to key.
    TfTeclado janela;
    Abre(&janela);
    QApplication::clipboard()->setText(QString::fromUtf8("ça 😀\u0000\u202E"));

    qsizetype maior = 0;      // the longest the line ever was, if only for a moment
    qsizetype maiorFicou = 0; // ... once an event had been handled
    QString estranhos;
    int mudancas = 0;
    auto conn = connect(janela.Edit_Letras, &QLineEdit::textChanged, this, [&](const QString &t) {
        ++mudancas;
        maior = std::max(maior, t.size());
        for (QChar c : t)
            if (!NasTeclas.contains(c) && !estranhos.contains(c))
                estranhos += c;
    });

    struct Tecla
    {
        int key;
        const char *texto;
    };
    static const Tecla digitadas[] = {
        {Qt::Key_A, "a"},          {Qt::Key_Q, "Q"},          {Qt::Key_Z, "z"},
        {Qt::Key_0, "0"},          {Qt::Key_9, "9"},          {Qt::Key_Space, " "},
        {Qt::Key_Comma, ","},      {Qt::Key_Period, "."},     {Qt::Key_Question, "?"},
        {Qt::Key_Colon, ":"},      {Qt::Key_Semicolon, ";"},  {Qt::Key_ParenLeft, "("},
        {Qt::Key_ParenRight, ")"}, {Qt::Key_Exclam, "!"},     {Qt::Key_Ccedilla, "ç"},
        {Qt::Key_Eacute, "é"},     {Qt::Key_Atilde, "ã"},     {Qt::Key_Return, "\r"},
        {Qt::Key_Enter, "\r"},     {Qt::Key_Tab, "\t"},       {Qt::Key_Backtab, ""},
        {Qt::Key_Escape, "\x1b"},  {Qt::Key_Backspace, "\b"}, {Qt::Key_Delete, "\x7f"},
        {Qt::Key_Left, ""},        {Qt::Key_End, ""},         {Qt::Key_F1, ""},
        {Qt::Key_F4, ""}};
    static const int modificadores[] = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                                        Qt::Key_Meta,  Qt::Key_AltGr,   Qt::Key_CapsLock};
    static const Qt::KeyboardModifier mods[] = {Qt::ShiftModifier,  Qt::ControlModifier,
                                                Qt::AltModifier,    Qt::MetaModifier,
                                                Qt::KeypadModifier, Qt::GroupSwitchModifier};
    const QStringList ruido = naoTocaveis();

    QRandomGenerator random(semente);
    const int eventos = ambiente::Sanitizado() ? 1500 : 6000;
    int ativacoes = 0; // events that may press a key: typed characters, Space on a button
    for (int i = 0; i < eventos; ++i) {
        int key = 0;
        QString texto;
        Qt::KeyboardModifiers m;
        const bool deTexto = mistura == 0 || random.bounded(3) > 0;
        if (mistura == 2 && random.bounded(4) == 0) {
            key = random.bounded(2) ? int(Qt::Key_unknown) : int(random.bounded(0x20, 0x01FFFFFF));
            for (int n = random.bounded(4); n > 0; --n)
                texto += ruido.at(random.bounded(int(ruido.size())));
        } else if (deTexto) {
            const Tecla &t = digitadas[random.bounded(int(std::size(digitadas)))];
            key = t.key;
            texto = QString::fromUtf8(t.texto);
        } else {
            key = modificadores[random.bounded(int(std::size(modificadores)))];
        }
        if (mistura > 0)
            for (Qt::KeyboardModifier mod : mods)
                if (random.bounded(5) == 0)
                    m |= mod;
        const bool repeticao = random.bounded(4) == 0;
        const int tipo = random.bounded(10);
        QWidget *alvo = QApplication::focusWidget() ? QApplication::focusWidget() : &janela;
        if (tipo < 7) {
            QKeyEvent press(QEvent::KeyPress, key, m, texto, repeticao, repeticao ? 2 : 1);
            QApplication::sendEvent(alvo, &press);
            const bool acorde = m & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            ativacoes +=
                (!acorde && texto.size() == 1 && Digitaveis.contains(texto.front().toUpper())) ||
                key == Qt::Key_Space;
        } else {
            QKeyEvent release(QEvent::KeyRelease, key, m, texto, repeticao);
            QApplication::sendEvent(alvo, &release);
            ativacoes += key == Qt::Key_Space;
        }
        // The window moves the focus back through its event queue.
        if (i % 16 == 0)
            QApplication::processEvents();
        QVERIFY(janela.isVisible());
        maiorFicou = std::max(maiorFicou, janela.Edit_Letras->text().size());
    }
    QApplication::processEvents();
    disconnect(conn);

    // The 26th character empties the line before it sounds; it is set and
    // dropped within one key press.
    QVERIFY2(maiorFicou <= 25, qPrintable(QString::number(maiorFicou)));
    QVERIFY2(maior <= 26, qPrintable(QString::number(maior)));
    QVERIFY2(estranhos.isEmpty(), qPrintable(estranhos));
    // Every change of the line is one key press (or the emptying of a full
    // line): no event presses two keys.
    QVERIFY2(mudancas <= ativacoes + ativacoes / 25 + 1,
             qPrintable(QStringLiteral("%1 changes, %2 keys").arg(mudancas).arg(ativacoes)));
    if (mistura == 0)
        QVERIFY(mudancas > 0);
    // Whatever was typed into the sentence field came out in capitals.
    const QString frase = janela.Edit_Frase->text();
    for (QChar c : frase)
        QCOMPARE(c, c.toUpper());
}

QTEST_MAIN(TstKeyboardHostile)
#include "tst_keyboard_hostile.moc"
