#include "answers.h"
#include "keyboard/tfteclado.h"
#include "progress/charactermap.h"
#include "progress/progresschart.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using progress::CharacterMap;
using progress::CharacterMapPainter;
using progress::CharacterStats;
using progress::Grade;
using progress::ProgressChartPainter;

Q_DECLARE_METATYPE(progress::Grade)

namespace {

// A palette whose colours are all distinct, so each can be found in a picture.
const QColor Window(200, 201, 202);
const QColor WindowText(5, 6, 7);
const QColor Text(1, 2, 3);
const QColor Highlight(10, 20, 200);
const QColor Dark(100, 101, 102);
const QColor Mid(150, 151, 152);

void UseFixedLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette pal = QApplication::style()->standardPalette();
    pal.setColor(QPalette::Window, Window);
    pal.setColor(QPalette::WindowText, WindowText);
    pal.setColor(QPalette::Text, Text);
    pal.setColor(QPalette::Highlight, Highlight);
    pal.setColor(QPalette::Dark, Dark);
    pal.setColor(QPalette::Mid, Mid);
    QApplication::setPalette(pal);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(12);
    QApplication::setFont(f);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

QList<progress::KeyCap> KeyboardKeys()
{
    QList<progress::KeyCap> keys;
    for (const TfTeclado::Posicao &p : TfTeclado::Posicoes())
        keys.append({QString(p.caractere), p.retangulo});
    return keys;
}

qsizetype IndexOf(const QList<progress::KeyCap> &keys, const QString &c)
{
    for (qsizetype i = 0; i < keys.size(); ++i)
        if (keys.at(i).character == c)
            return i;
    return -1;
}

// K green, M amber, U red, R grey.
CharacterStats Graded()
{
    answers::Maker make;
    QList<record::Answer> list;
    list += make.many(QStringLiteral("K"), 10, 10);
    list += make.many(QStringLiteral("M"), 10, 8, QStringLiteral("N"));
    list += make.many(QStringLiteral("U"), 10, 6, QStringLiteral("R"));
    list += make.many(QStringLiteral("R"), 9, 9);
    return CharacterStats(list);
}

QColor Pixel(const QImage &image, QPointF at)
{
    return QColor(image.pixel(at.toPoint()));
}

bool HasColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                return true;
    return false;
}

// How much of the middle of the segment a..b is drawn in colour: the share
// of points along it with that colour within a pixel.
double InkAlong(const QImage &image, QPointF a, QPointF b, const QColor &colour)
{
    int hits = 0;
    constexpr int Samples = 40;
    for (int i = 0; i < Samples; ++i) {
        const QPoint at = (a + (b - a) * (0.3 + 0.4 * i / Samples)).toPoint();
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
            for (int dx = -1; dx <= 1 && !found; ++dx)
                found = image.pixel(at + QPoint(dx, dy)) == colour.rgb();
        hits += found ? 1 : 0;
    }
    return double(hits) / Samples;
}

// A point on the selection frame, inside the key's own border.
QPointF OnFrame(const QRectF &key)
{
    return {key.left() + 2, key.center().y()};
}

QImage Picture(const CharacterMapPainter &p, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    p.paint(&painter, image.rect(), QApplication::palette(), QApplication::font());
    return image;
}

} // namespace

class TstProgressWidgets : public QObject
{
    Q_OBJECT

private slots:
    void keyboardGeometry()
    {
        const QList<TfTeclado::Posicao> keys = TfTeclado::Posicoes();
        QString characters;
        for (const TfTeclado::Posicao &p : keys)
            characters += p.caractere;
        QCOMPARE(characters, QString::fromUtf8("1234567890QWERTYUIOPASDFGHJKL:ZXCVBNM,.?ÇÉÃ ;()"));
        // The very places of the window's buttons.
        TfTeclado window;
        QList<QRect> buttons;
        for (const QPushButton *b : window.findChildren<QPushButton *>())
            buttons.append(b->geometry());
        QCOMPARE(buttons.size(), keys.size());
        for (const TfTeclado::Posicao &p : keys)
            QVERIFY2(buttons.contains(p.retangulo), qPrintable(QString(p.caractere)));
    }

    void keyColours_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<Grade>("grade");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("green") << QStringLiteral("K") << Grade::Green << QColor(46, 160, 67);
        QTest::newRow("amber") << QStringLiteral("M") << Grade::Amber << QColor(242, 169, 0);
        QTest::newRow("red") << QStringLiteral("U") << Grade::Red << QColor(207, 34, 46);
        QTest::newRow("grey, 9 answers")
            << QStringLiteral("R") << Grade::Unknown << QColor(178, 178, 178);
        QTest::newRow("grey, never asked")
            << QStringLiteral("Ç") << Grade::Unknown << QColor(178, 178, 178);
    }
    void keyColours()
    {
        QFETCH(QString, character);
        QFETCH(Grade, grade);
        QFETCH(QColor, colour);
        CharacterMap map;
        map.setKeys(KeyboardKeys());
        map.setStatistics(Graded());
        const int i = int(IndexOf(map.keys(), character));
        QVERIFY(i >= 0);
        QCOMPARE(map.grade(i), grade);
        const CharacterMapPainter p = map.painter();
        const QSize size = p.bounds().size() + QSize(4, 4);
        const QImage image = Picture(p, size);
        const QRectF key = p.keyRect(i, image.rect());
        QCOMPARE(key.size(), QSizeF(30, 30));
        for (const QPointF &at : {key.topLeft() + QPointF(4, 4), key.bottomLeft() + QPointF(4, -5),
                                  key.topRight() + QPointF(-5, 4)})
            QCOMPARE(Pixel(image, at), colour);
        QCOMPARE(Pixel(image, key.topLeft() + QPointF(-1, -1)), Window);
        // Scaled to twice the area, the key keeps its colour.
        const QImage twice = Picture(p, size * 2);
        QCOMPARE(Pixel(twice, p.keyRect(i, twice.rect()).topLeft() + QPointF(8, 8)), colour);
    }

    void selectionByKeyboard()
    {
        CharacterMap map;
        map.setKeys(KeyboardKeys());
        const CharacterStats stats = Graded();
        map.setStatistics(stats);
        map.resize(map.sizeHint());
        map.show();
        map.setFocus();
        QSignalSpy selected(&map, &CharacterMap::selectionChanged);
        QSignalSpy info(&map, &CharacterMap::infoChanged);
        QStringList path;
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(&map, key);
            path << map.selectedCharacter();
        };
        for (const Qt::Key key :
             {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up,
              Qt::Key_Left, Qt::Key_Left, Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Home})
            press(key);
        QCOMPARE(path, (QStringList{"1", "2", "W", "S", "W", "2", "1", "1", ")", "(", ".", "1"}));
        QCOMPARE(selected.size(), 11); // the second Left at 1 went nowhere

        // Down to Z, then along to M: its description is what a screen reader
        // and the page get.
        for (const Qt::Key key :
             {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
              Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(&map, key);
        QCOMPARE(map.selectedCharacter(), QStringLiteral("M"));
        QCOMPARE(selected.last().first().toString(), QStringLiteral("M"));
        QCOMPARE(map.accessibleDescription(), stats.description(QStringLiteral("M")));
        QCOMPARE(map.infoText(), QStringLiteral("M 80 %, heard as N x2; last 10 answer(s)"));
        QCOMPARE(info.last().first().toString(), map.infoText());

        // Only the selected key wears the frame.
        const QImage image = map.grab().toImage();
        const CharacterMapPainter p = map.painter();
        const int m = int(IndexOf(map.keys(), QStringLiteral("M")));
        const int n = int(IndexOf(map.keys(), QStringLiteral("N")));
        QCOMPARE(Pixel(image, OnFrame(p.keyRect(m, map.rect()))), Highlight);
        QCOMPARE(Pixel(image, OnFrame(p.keyRect(n, map.rect()))),
                 CharacterMapPainter::fill(Grade::Unknown));
    }

    void pointingShowsAKey()
    {
        CharacterMap map;
        map.setKeys(KeyboardKeys());
        const CharacterStats stats = Graded();
        map.setStatistics(stats);
        map.resize(map.sizeHint() * 2);
        map.selectCharacter(QStringLiteral("k"));
        QSignalSpy info(&map, &CharacterMap::infoChanged);
        const CharacterMapPainter p = map.painter();
        const int u = int(IndexOf(map.keys(), QStringLiteral("U")));
        const QPointF centre = p.keyRect(u, map.rect()).center();
        QMouseEvent move(QEvent::MouseMove, centre, map.mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&map, &move);
        QCOMPARE(map.hoveredIndex(), u);
        QCOMPARE(map.infoText(), stats.description(QStringLiteral("U")));
        QCOMPARE(map.infoText(), QStringLiteral("U 60 %, heard as R x4; last 10 answer(s)"));
        // The pointer frames the key in the text colour; the selection stays.
        const QImage image = map.grab().toImage();
        QCOMPARE(Pixel(image, OnFrame(map.painter().keyRect(u, map.rect()))), Text);
        QCOMPARE(map.selectedCharacter(), QStringLiteral("K"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&map, &leave);
        QCOMPARE(map.infoText(), stats.description(QStringLiteral("K")));
        QCOMPARE(info.size(), 2);
        QTest::mouseClick(&map, Qt::LeftButton, {}, centre.toPoint());
        QCOMPARE(map.selectedCharacter(), QStringLiteral("U"));
    }

    void chartPoints_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void chartPoints()
    {
        QFETCH(qreal, ratio);
        const QList<progress::DayPoint> days{{QDate(2024, 3, 1), 10, 6, 8},
                                             {QDate(2024, 3, 4), 20, 16, 10},
                                             {QDate(2024, 3, 5), 10, 9, 12.5}};
        const ProgressChartPainter p(days);
        QCOMPARE(p.speedTop(), 16);
        const QRect area(0, 0, 480, 260);
        QImage image(area.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        const QFont font = QApplication::font();
        p.paint(&painter, area, QApplication::palette(), font);
        painter.end();
        const QRectF plot = p.plotArea(area, font);
        for (int i = 0; i < days.size(); ++i) {
            const QPointF a = p.accuracyPoint(i, area, font);
            const QPointF s = p.speedPoint(i, area, font);
            QCOMPARE(Pixel(image, a * ratio), ProgressChartPainter::accuracyColour());
            QCOMPARE(Pixel(image, s * ratio), ProgressChartPainter::speedColour());
            QVERIFY(qAbs(a.y() - (plot.bottom() - days[i].accuracy() * plot.height())) < 0.01);
            QVERIFY(qAbs(s.y() - (plot.bottom() - days[i].effectiveWpm / 16 * plot.height())) <
                    0.01);
        }
        // Joined by a solid and a dashed line.
        for (int i = 1; i < days.size(); ++i) {
            const auto a = [&](int j) { return p.accuracyPoint(j, area, font) * ratio; };
            const auto s = [&](int j) { return p.speedPoint(j, area, font) * ratio; };
            QCOMPARE(InkAlong(image, a(i - 1), a(i), ProgressChartPainter::accuracyColour()), 1.0);
            const double dashed =
                InkAlong(image, s(i - 1), s(i), ProgressChartPainter::speedColour());
            QVERIFY2(dashed > 0.3 && dashed < 0.95, qPrintable(QString::number(dashed)));
        }
        // Days lie at their calendar distance: 4 March three quarters of the way.
        const double x0 = p.accuracyPoint(0, area, font).x();
        const double x1 = p.accuracyPoint(1, area, font).x();
        const double x2 = p.accuracyPoint(2, area, font).x();
        QVERIFY(qAbs((x1 - x0) / (x2 - x0) - 0.75) < 1e-9);
    }

    void emptyChartAndSummary()
    {
        progress::ProgressChart chart;
        QCOMPARE(chart.accessibleDescription(), QStringLiteral("No practice yet."));
        chart.resize(chart.sizeHint());
        QVERIFY(!HasColour(chart.grab().toImage(), ProgressChartPainter::accuracyColour()));
        chart.setDays({{QDate(2024, 3, 1), 10, 6, 8}, {QDate(2024, 3, 5), 8, 7, 12.5}});
        QCOMPARE(chart.accessibleName(), QStringLiteral("Progress chart"));
        QCOMPARE(chart.accessibleDescription(),
                 QStringLiteral("Accuracy and effective speed per day from Friday, March 1, 2024 "
                                "to Tuesday, March 5, 2024, 2 day(s) with practice. On the last "
                                "day: accuracy 88 %, effective speed 12.5 WPM."));
        QVERIFY(HasColour(chart.grab().toImage(), ProgressChartPainter::accuracyColour()));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UseFixedLook();
    TstProgressWidgets t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_progresswidgets.moc"
