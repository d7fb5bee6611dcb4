#include "morse/letras.h"
#include "platform/playsound.h"
#include "platform/virtualclock.h"
#include "sound/tgerasom.h"
#include "tests/tons.h"

#include <QtTest>
#include <chrono>

namespace {

// The keyers run on a virtual clock, with no sound device: what they asked
// for is exactly what the clock shows.
using Clock = platform::Clock;

struct Tone
{
    int ms;                  // length of the tone, from its image
    platform::SteadyTime at; // when it was handed to the player
};

// Records every tone handed to the player, with its length read from the image.
struct Recorder
{
    QList<Tone> tones;
    Recorder()
    {
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind != platform::SoundCall::Kind::Play)
                return;
            tones << Tone{tons::Ms(c), Clock::current().now()};
        });
    }
    ~Recorder() { platform::setSoundObserver({}); }
    QString pattern(int unit) const
    {
        QString p;
        for (const Tone &t : tones)
            p += t.ms == 5 * unit ? '.' : t.ms == 15 * unit ? '-' : '?';
        return p;
    }
};

double msSince(platform::SteadyTime a, platform::SteadyTime b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

using Keyer = void (*)(int, TGeraSom *);

} // namespace

class TstMorse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void alphabet_data();
    void alphabet();
    void unknownCharactersHaveNoPattern();
    void silencesFollowTheUnit();
    void wordSpaceIsSilent();

private:
    TGeraSom *g = nullptr;
    std::unique_ptr<platform::VirtualClock> clock;
};

void TstMorse::initTestCase()
{
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
    clock = std::make_unique<platform::VirtualClock>();
}

void TstMorse::init()
{
    g = new TGeraSom;
    g->SetAsync(false);
}

void TstMorse::cleanup()
{
    delete g;
}

void TstMorse::alphabet_data()
{
    QTest::addColumn<void *>("keyer");
    QTest::addColumn<int>("character");
    QTest::addColumn<QString>("pattern");

    const struct
    {
        Keyer k;
        unsigned char c;
        const char *p;
    } table[] = {
        {Letras::Letra_A, 'A', ".-"},
        {Letras::Letra_B, 'B', "-..."},
        {Letras::Letra_C, 'C', "-.-."},
        {Letras::Letra_D, 'D', "-.."},
        {Letras::Letra_E, 'E', "."},
        {Letras::Letra_F, 'F', "..-."},
        {Letras::Letra_G, 'G', "--."},
        {Letras::Letra_H, 'H', "...."},
        {Letras::Letra_I, 'I', ".."},
        {Letras::Letra_J, 'J', ".---"},
        {Letras::Letra_K, 'K', "-.-"},
        {Letras::Letra_L, 'L', ".-.."},
        {Letras::Letra_M, 'M', "--"},
        {Letras::Letra_N, 'N', "-."},
        {Letras::Letra_O, 'O', "---"},
        {Letras::Letra_P, 'P', ".--."},
        {Letras::Letra_Q, 'Q', "--.-"},
        {Letras::Letra_R, 'R', ".-."},
        {Letras::Letra_S, 'S', "..."},
        {Letras::Letra_T, 'T', "-"},
        {Letras::Letra_U, 'U', "..-"},
        {Letras::Letra_V, 'V', "...-"},
        {Letras::Letra_W, 'W', ".--"},
        {Letras::Letra_X, 'X', "-..-"},
        {Letras::Letra_Y, 'Y', "-.--"},
        {Letras::Letra_Z, 'Z', "--.."},
        {Letras::Letra_1, '1', ".----"},
        {Letras::Letra_2, '2', "..---"},
        {Letras::Letra_3, '3', "...--"},
        {Letras::Letra_4, '4', "....-"},
        {Letras::Letra_5, '5', "....."},
        {Letras::Letra_6, '6', "-...."},
        {Letras::Letra_7, '7', "--..."},
        {Letras::Letra_8, '8', "---.."},
        {Letras::Letra_9, '9', "----."},
        {Letras::Letra_0, '0', "-----"},
        {Letras::Letra_Cedilha, 0xC7, "-.-.."},
        {Letras::Letra_EAcento, 0xC9, "..-.."},
        {Letras::Letra_ATil, 0xC3, ".--.-"},
        {Letras::Letra_Interrog, '?', "..--.."},
        {Letras::Letra_Ponto, '.', ".-.-.-"},
        {Letras::Letra_DoisP, ':', "---..."},
        {Letras::Letra_Pontovirgula, ';', "-.-.-."},
        {Letras::Letra_Virgula, ',', "--..--"},
        {Letras::Letra_AbreParen, '(', "-.--."},
        {Letras::Letra_FechaParen, ')', "-.--.-"},
    };
    for (const auto &row : table)
        QTest::newRow(row.p) << reinterpret_cast<void *>(row.k) << int(row.c) << QString(row.p);
}

void TstMorse::alphabet()
{
    QFETCH(void *, keyer);
    QFETCH(int, character);
    QFETCH(QString, pattern);

    QCOMPARE(QString(Letras::Padrao(static_cast<unsigned char>(character))), pattern);
    // u = 2: the shortest unit whose dot (10 ms) the generator does not raise.
    Recorder r;
    const auto start = Clock::current().now();
    reinterpret_cast<Keyer>(keyer)(2, g);
    const double total = msSince(start, Clock::current().now());
    QCOMPARE(r.pattern(2), pattern);
    int nominal = 0;
    for (QChar e : pattern)
        nominal += (e == '-' ? 30 : 10) + 10;
    nominal += 40; // the closing silence is 25 units, not 5
    QCOMPARE(total, double(nominal));
}

void TstMorse::unknownCharactersHaveNoPattern()
{
    for (int c : {int('a'), int(' '), int('!'), 0, 0xE7, int('-'), 0xC0})
        QCOMPARE(Letras::Padrao(static_cast<unsigned char>(c)), nullptr);
}

void TstMorse::silencesFollowTheUnit()
{
    // Letra_0 then Letra_E at u = 5: tones start after the previous tone plus
    // its silence (gap 25 ms, closing 125 ms).
    Recorder r;
    Letras::Letra_0(5, g);
    Letras::Letra_E(5, g);
    QCOMPARE(r.pattern(5), QString("-----."));
    for (int i = 1; i < r.tones.size(); ++i) {
        const double step = msSince(r.tones.at(i - 1).at, r.tones.at(i).at);
        const double nominal = r.tones.at(i - 1).ms + (i == 5 ? 125 : 25);
        QCOMPARE(step, nominal);
    }
}

void TstMorse::wordSpaceIsSilent()
{
    Recorder r;
    const auto start = Clock::current().now();
    Letras::Letra_Espaco(5);
    QVERIFY(r.tones.isEmpty());
    QCOMPARE(msSince(start, Clock::current().now()), 125.0);
}

QTEST_GUILESS_MAIN(TstMorse)
#include "tst_morse.moc"
