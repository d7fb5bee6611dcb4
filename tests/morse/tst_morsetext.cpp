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
    void alphabet();
    void symbols_data();
    void symbols();
    void errors_data();
    void errors();
    void hugeAndHostileText();
};

void TstMorseText::alphabet()
{
    // Letters, digits and Ç É Ã as the trainer's own keyers send them.
    const QString shared = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\u00C7\u00C9\u00C3");
    for (const QChar c : shared) {
        QCOMPARE(MorseAlphabet::Pattern(c), QByteArray(Letras::Padrao(uchar(c.unicode()))));
        QCOMPARE(MorseAlphabet::Pattern(c.toLower()), MorseAlphabet::Pattern(c));
    }
    // Punctuation by ITU-R M.1677-1; nothing else.
    const char *punctuation[][2] = {{".", ".-.-.-"}, {",", "--..--"}, {"?", "..--.."},
                                    {"/", "-..-."},  {"=", "-...-"},  {"+", ".-.-."},
                                    {"-", "-....-"}, {":", ""},       {"<", ""}};
    for (const auto &p : punctuation)
        QCOMPARE(MorseAlphabet::Pattern(QLatin1Char(p[0][0])), QByteArray(p[1]));
    QCOMPARE(MorseAlphabet::Characters().size(), shared.size() + 7);
}

void TstMorseText::symbols_data()
{
    QTest::addColumn<QString>("text");
    // Each symbol as "TEXT pattern", a word space as "|".
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("lower case, runs of white space, ends ignored")
        << "  pa \t r\n\r\nI\u00A0s "
        << QStringList{"P .--.", "A .-", "|", "R .-.", "|", "I ..", "|", "S ..."};
    QTest::newRow("prosigns in one piece")
        << "<AR> <sk><BT>K<kn>"
        << QStringList{"<AR> .-.-.", "|", "<SK> ...-.-", "<BT> -...-", "K -.-", "<KN> -.--."};
    QTest::newRow("accented, composed and not")
        << QString::fromUtf8("ç E\u0301ã")
        << QStringList{QString::fromUtf8("Ç -.-.."), "|", QString::fromUtf8("É ..-.."),
                       QString::fromUtf8("Ã .--.-")};
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
        QCOMPARE(text.mid(s.index, s.length).normalized(QString::NormalizationForm_C).toUpper(),
                 s.text);
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
    QTest::newRow("blank") << " \t\n" << int(E::Empty) << "" << -1 << 0 << "nothing to key";
    QTest::newRow("unknown") << "CQ DE #1" << int(E::Unknown) << "#" << 6 << 7
                             << "Character 7, \"#\", has no Morse code.";
    QTest::newRow("control character shown by code")
        << "AB\x01" << int(E::Unknown) << "\x01" << 2 << 3 << "Character 3, U+0001,";
    QTest::newRow("columns count characters, not UTF-16 units")
        << QString::fromUtf8("E\u0301 \U0001F600") << int(E::Unknown)
        << QString::fromUtf8("\U0001F600") << 3 << 3
        << QString::fromUtf8("Character 3, \"\U0001F600\",");
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
    QCOMPARE(int(parsed.error()), error);
    QCOMPARE(parsed.errorText(), character);
    QCOMPARE(parsed.errorIndex(), qsizetype(index));
    QCOMPARE(parsed.errorColumn(), qsizetype(column));
    QVERIFY2(parsed.errorMessage().contains(message), qPrintable(parsed.errorMessage()));
    // A faulty text keys nothing at all, not the part before the fault.
    QVERIFY(parsed.symbols().isEmpty());
}

// The longest text is read whole; one character more, ten million, or random
// UTF-16 units with lone surrogates give a message, never a crash.
void TstMorseText::hugeAndHostileText()
{
    const QString longest = QStringLiteral("CQ <AR> ").repeated(MorseText::MaxLength / 8);
    QCOMPARE(MorseText::parse(longest).symbols().size(), MorseText::MaxLength / 8 * 3);
    const MorseText tooLong = MorseText::parse(longest + u'E');
    QCOMPARE(tooLong.error(), MorseText::Error::TooLong);
    QVERIFY(tooLong.errorMessage().contains(QLatin1String("at most 100000 characters")));
    QCOMPARE(MorseText::parse(QString(10'000'000, u'<')).error(), MorseText::Error::TooLong);
    QRandomGenerator random(19);
    for (int round = 0; round < 200; ++round) {
        QString text(random.bounded(1, 400), Qt::Uninitialized);
        for (QChar &c : text)
            c = QChar(char16_t(random.bounded(0, 0x10000)));
        const MorseText parsed = MorseText::parse(text);
        QVERIFY(parsed.ok() ||
                (!parsed.errorMessage().isEmpty() && parsed.errorIndex() < text.size()));
    }
}

QTEST_GUILESS_MAIN(TstMorseText)
#include "tst_morsetext.moc"
