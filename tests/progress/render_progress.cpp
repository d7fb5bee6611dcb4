// Renders the character map and the progress chart, with a made-up learner's
// month, into PNG files for a person to look at, at 100 % and 200 %:
//   render_progress [folder]   (default: png/ beside this program's build)

#include "answers.h"
#include "keyboard/tfteclado.h"
#include "progress/charactermap.h"
#include "progress/progresschart.h"

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTextStream>

namespace {

// A month of practice: most characters improving, a few confused pairs.
QList<record::Answer> Month()
{
    const QString learned = QStringLiteral("KMURESNAPTLWI.JZ=FOY,VG5/Q9");
    QRandomGenerator rng(2024);
    answers::Maker make;
    QList<record::Answer> list;
    for (int day = 0; day < 30; day += 1 + int(rng.bounded(3))) {
        make.when = answers::Start.addDays(day);
        const double skill = 0.6 + 0.013 * day;
        for (int i = 0; i < 120; ++i) {
            const QString c = learned.at(rng.bounded(int(learned.size())));
            QString heard = c;
            const double odds = c == u'5' || c == u'U' ? skill - 0.25 : skill;
            if (rng.generateDouble() > odds)
                heard = c == u'5'   ? QStringLiteral("H")
                        : c == u'U' ? QStringLiteral("V")
                                    : QString();
            list.append(make(c, heard, 250 + rng.bounded(400), 6 + day / 4.0));
        }
    }
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZIRVANO_PNG_DIR);
    QDir().mkpath(folder);

    const progress::CharacterStats stats(Month());
    QList<progress::KeyCap> keys;
    for (const TfTeclado::Posicao &p : TfTeclado::Posicoes())
        keys.append({QString(p.caractere), p.retangulo});
    progress::CharacterMap map;
    map.setKeys(keys);
    map.setStatistics(stats);
    map.selectCharacter(QStringLiteral("5"));
    progress::ProgressChart chart;
    chart.setDays(stats.days());

    QTextStream out(stdout);
    for (const int percent : {100, 200}) {
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * percent / 100);
        for (QWidget *w : {static_cast<QWidget *>(&map), static_cast<QWidget *>(&chart)}) {
            w->setFont(font);
            w->resize(w->sizeHint());
        }
        const auto save = [&](QWidget &w, const char *name) {
            const QString file = QStringLiteral("%1/%2-%3.png").arg(folder).arg(name).arg(percent);
            w.grab().save(file);
            out << file << '\n';
        };
        save(map, "charactermap");
        save(chart, "progresschart");
    }
    out << map.infoText() << '\n' << chart.accessibleDescription() << '\n';
    for (const progress::Confusion &c : stats.topConfusions())
        out << c.first << ' ' << c.second << ' ' << c.count << '\n';
    return 0;
}
