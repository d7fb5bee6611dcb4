#include "morse/letras.h"
#include "morse/morsealphabet.h"
#include "morse/morsetext.h"

#include <QRandomGenerator>
#include <QtTest>

// The alphabet, the prosigns, and text read into symbols with its faults
// reported: which character, where.
class TstMorseText : public QObject
{
    Q_OBJECT

private slots:
    void lettersAndDigitsAsTheTrainerKeysThem();
    void punctuation_data();
    void punctuation();
    void symbols_data();
    void symbols();
    void errors_data();
    void errors();
    void longestTextParses();
    void hugeAndHostileTextNeverCrashes();
};

// The trainer's keyers and the standard keyer send the same code for every
// letter, digit and accented letter they share.
void TstMorseText::lettersAndDigitsAsTheTrainerKeysThem()
{
    QString shared = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    shared += QChar(0xC7);
    shared += QChar(0xC9);
    shared += QChar(0xC3);
    for (const QChar c : shared) {
        QCOMPARE(MorseAlphabet::Pattern(c), QByteArray(Letras::Padrao(uchar(c.unicode()))));
        QCOMPARE(MorseAlphabet::Pattern(c.toLower()), MorseAlphabet::Pattern(c));
    }
    QCOMPARE(MorseAlphabet::Characters().size(), shared.size() + 7);
}

void TstMorseText::punctuation_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QByteArray>("pattern");
    // ITU-R M.1677-1.
    QTest::newRow("full stop") << "." << QByteArray(".-.-.-");
    QTest::newRow("comma") << "," << QByteArray("--..--");
    QTest::newRow("question mark") << "?" << QByteArray("..--..");
    QTest::newRow("slash") << "/" << QByteArray("-..-.");
    QTest::newRow("double hyphen") << "=" << QByteArray("-...-");
    QTest::newRow("plus") << "+" << QByteArray(".-.-.");
    QTest::newRow("hyphen") << "-" << QByteArray("-....-");
    QTest::newRow("colon, not in this set") << ":" << QByteArray();
    QTest::newRow("angle") << "<" << QByteArray();
    QTest::newRow("space") << " " << QByteArray();
}

void TstMorseText::punctuation()
{
    QFETCH(QString, character);
    QFETCH(QByteArray, pattern);
    QCOMPARE(MorseAlphabet::Pattern(character.front()), pattern);
}

void TstMorseText::symbols_data()
{
    QTest::addColumn<QString>("text");
    // Each symbol as "TEXT pattern", a word space as "|".
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("lower case") << "paris"
                                << QStringList{"P .--.", "A .-", "R .-.", "I ..", "S ..."};
    QTest::newRow("words, runs of white space, ends ignored")
        << "  k \t m\n\r\nu " << QStringList{"K -.-", "|", "M --", "|", "U ..-"};
    QTest::newRow("prosigns in one piece")
        << "<AR> <sk>" << QStringList{"<AR> .-.-.", "|", "<SK> ...-.-"};
    QTest::newRow("prosigns BT KN") << "<BT><KN>" << QStringList{"<BT> -...-", "<KN> -.--."};
    QTest::newRow("prosign against a character")
        << "K<AR>5" << QStringList{"K -.-", "<AR> .-.-.", "5 ....."};
    QTest::newRow("accented, composed and not")
        << QString::fromUtf8("ç E\u0301ã")
        << QStringList{QString::fromUtf8("Ç -.-.."), "|", QString::fromUtf8("É ..-.."),
                       QString::fromUtf8("Ã .--.-")};
    QTest::newRow("punctuation") << "a.b,?/=+-" << QStringList{"A .-",     ". .-.-.-", "B -...",
                                                               ", --..--", "? ..--..", "/ -..-.",
                                                               "= -...-",  "+ .-.-.",  "- -....-"};
    QTest::newRow("no-break space separates words")
        << QString::fromUtf8("A\u00A0B") << QStringList{"A .-", "|", "B -..."};
}

void TstMorseText::symbols()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const MorseText parsed = MorseText::parse(text);
    QVERIFY2(parsed.ok(), qPrintable(parsed.errorMessage()));
    QStringList got;
    for (const MorseText::Symbol &s : parsed.symbols()) {
        if (s.wordStart)
            got << QStringLiteral("|");
        got << s.text + u' ' + QString::fromLatin1(s.pattern);
        // Index and length point back at the symbol as written.
        const QString written = text.mid(s.index, s.length);
        QCOMPARE(written.normalized(QString::NormalizationForm_C).toUpper(), s.text);
    }
    QCOMPARE(got, expected);
}

void TstMorseText::errors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    using E = MorseText::Error;
    QTest::newRow("empty") << "" << int(E::Empty) << "" << -1 << 0 << "nothing to key";
    QTest::newRow("blank") << " \t\n" << int(E::Empty) << "" << -1 << 0 << "nothing to key";
    QTest::newRow("unknown") << "CQ DE #1" << int(E::Unknown) << "#" << 6 << 7
                             << "Character 7, \"#\", has no Morse code.";
    QTest::newRow("colon") << "A:" << int(E::Unknown) << ":" << 1 << 2 << "\":\"";
    QTest::newRow("control character shown by code")
        << "AB\x01" << int(E::Unknown) << "\x01" << 2 << 3 << "Character 3, U+0001,";
    QTest::newRow("emoji: one character, two UTF-16 units, then the fault")
        << QString::fromUtf8("\U0001F600") << int(E::Unknown) << QString::fromUtf8("\U0001F600")
        << 0 << 1 << QString::fromUtf8("\"\U0001F600\"");
    QTest::newRow("after an emoji the column counts characters")
        << QString::fromUtf8("<AR> \U0001F600") << int(E::Unknown)
        << QString::fromUtf8("\U0001F600") << 5 << 6 << "Character 6";
    QTest::newRow("unclosed angle") << "K <AR" << int(E::UnclosedAngle) << "<" << 2 << 3
                                    << "The \"<\" at character 3 has no \">\"";
    QTest::newRow("angle closed in another word")
        << "<A R>" << int(E::UnclosedAngle) << "<" << 0 << 1 << "character 1";
    QTest::newRow("angle inside an angle")
        << "<A<R>>" << int(E::UnclosedAngle) << "<" << 0 << 1 << "character 1";
    QTest::newRow("empty prosign") << "AB <>" << int(E::EmptyProsign) << "<>" << 3 << 4
                                   << "The \"<>\" at character 4 holds no characters.";
    QTest::newRow("closing angle alone") << "AR>" << int(E::Unknown) << ">" << 2 << 3 << "\">\"";
    QTest::newRow("unknown inside a prosign")
        << "<A#>" << int(E::Unknown) << "#" << 2 << 3 << "Character 3";
    QTest::newRow("too long") << QString(MorseText::MaxLength + 1, u'E') << int(E::TooLong) << ""
                              << int(MorseText::MaxLength) << int(MorseText::MaxLength + 1)
                              << "at most 100000 characters";
}

void TstMorseText::errors()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QFETCH(QString, character);
    QFETCH(int, index);
    QFETCH(int, column);
    QFETCH(QString, message);
    const MorseText parsed = MorseText::parse(text);
    QVERIFY(!parsed.ok());
    QCOMPARE(int(parsed.error()), error);
    QCOMPARE(parsed.errorText(), character);
    QCOMPARE(parsed.errorIndex(), qsizetype(index));
    QCOMPARE(parsed.errorColumn(), qsizetype(column));
    QVERIFY2(parsed.errorMessage().contains(message), qPrintable(parsed.errorMessage()));
    // A faulty text keys nothing at all, not the part before the fault.
    QVERIFY(parsed.symbols().isEmpty());
}

void TstMorseText::longestTextParses()
{
    QString text;
    while (text.size() < MorseText::MaxLength)
        text += QStringLiteral("CQ <AR> ");
    text.truncate(MorseText::MaxLength);
    const MorseText parsed = MorseText::parse(text);
    QVERIFY2(parsed.ok(), qPrintable(parsed.errorMessage()));
    QCOMPARE(parsed.symbols().size(), qsizetype(MorseText::MaxLength / 8 * 3));
    QCOMPARE(parsed.symbols().last().index, qsizetype(MorseText::MaxLength - 8 + 3));
}

// Random UTF-16 units, lone surrogates and all, and ten million characters.
void TstMorseText::hugeAndHostileTextNeverCrashes()
{
    QRandomGenerator random(19);
    for (int round = 0; round < 200; ++round) {
        QString text(random.bounded(1, 400), Qt::Uninitialized);
        for (QChar &c : text)
            c = QChar(char16_t(random.bounded(0, 0x10000)));
        const MorseText parsed = MorseText::parse(text);
        if (!parsed.ok()) {
            QVERIFY(!parsed.errorMessage().isEmpty());
            QVERIFY(parsed.errorIndex() < text.size());
        }
    }
    const MorseText huge = MorseText::parse(QString(10'000'000, u'<'));
    QCOMPARE(huge.error(), MorseText::Error::TooLong);
}

QTEST_GUILESS_MAIN(TstMorseText)
#include "tst_morsetext.moc"
