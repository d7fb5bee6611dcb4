// How soon the main window answers a click while a lesson sounds. The real
// windows on a real X server (run it under xvfb-run), the first lesson at the
// slowest speed, and real clicks sent by xdotool from another thread: on the
// character box, on the waveform's radio buttons and on the tone slider's
// groove, each at a random moment of the lesson. A click's latency runs from
// the moment xdotool was started (an upper bound: its own start-up counts) to
// the control's signal on the window's thread. At the end, Stop: the lesson
// must end after the character sounding, as it always has.
//
//   xvfb-run -a bench_click_latency [--clicks N] [--load N]
//
// --load N keeps N busy loops (sh -c 'while :; do :; done') running at the
// benchmark's own priority through the measurement.

#include "app/escolhaidioma.h"
#include "app/janelas.h"
#include "app/tfmorse.h"
#include "controls/tradiogroup.h"
#include "platform/settingsstore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Click
{
    QString control;
    Clock::time_point sent;
    Clock::time_point seen;
    bool answered = false;
};

// xdotool runs on a thread of its own, so that a busy window thread cannot
// hold back the click it is to answer.
void sendClick(QPoint at, Clock::time_point *sent)
{
    std::thread([at, sent] {
        *sent = Clock::now();
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(at.x()),
                           QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }).detach();
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::size_t(p * double(v.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_click_latency: needs an X server (run it under xvfb-run -a)\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption clicksOption(QStringLiteral("clicks"), QStringLiteral("clicks"),
                                          QStringLiteral("N"), QStringLiteral("12"));
    const QCommandLineOption loadOption(QStringLiteral("load"), QStringLiteral("busy loops"),
                                        QStringLiteral("N"), QStringLiteral("0"));
    parser.addOptions({clicksOption, loadOption});
    parser.process(app);
    const int clicks = std::clamp(parser.value(clicksOption).toInt(), 1, 200);
    const int busy = std::clamp(parser.value(loadOption).toInt(), 0, 64);

    {
        platform::SettingsStore key;
        key.OpenKey(EscolhaIdioma::ChaveRegistro, true);
        key.WriteInteger(EscolhaIdioma::ValorIdioma, 2);
    }

    std::vector<std::unique_ptr<QProcess>> load;
    for (int i = 0; i < busy; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        if (!p->waitForStarted())
            return 1;
        load.push_back(std::move(p));
    }

    const Janelas janelas;
    TfMorse *w = fMorse;
    w->Control_Vel->setValue(25);
    w->ListBox_Licao->setCurrentRow(0);
    w->ListBox_Vezes->setCurrentRow(w->ListBox_Vezes->count() - 1);

    std::vector<Click> log;
    log.reserve(std::size_t(clicks));
    Click *pending = nullptr;
    auto seen = [&pending] {
        if (pending && !pending->answered) {
            pending->seen = Clock::now();
            pending->answered = true;
        }
    };
    QObject::connect(w->CkBox_Carac, &QCheckBox::toggled, w, seen);
    QObject::connect(w->Control_Freq, &QSlider::valueChanged, w, seen);
    const QList<QAbstractButton *> ondas = w->RdGp_Onda->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : ondas)
        QObject::connect(b, &QAbstractButton::pressed, w, seen);

    // The controls in turn: where to click and what to call it.
    auto target = [&](int i) -> std::pair<QString, QPoint> {
        switch (i % 3) {
        case 0:
            return {QStringLiteral("character box"),
                    w->CkBox_Carac->mapToGlobal(QPoint(6, w->CkBox_Carac->height() / 2))};
        case 1: {
            QAbstractButton *b = ondas.at((i / 3) % ondas.size());
            return {QStringLiteral("waveform"), b->mapToGlobal(QPoint(6, b->height() / 2))};
        }
        default: {
            // The groove far from the handle: a page step either way.
            QSlider *s = w->Control_Freq;
            const bool low = s->value() > (s->minimum() + s->maximum()) / 2;
            const QPoint p = s->orientation() == Qt::Horizontal
                                 ? QPoint(low ? 4 : s->width() - 4, s->height() / 2)
                                 : QPoint(s->width() / 2, low ? s->height() - 4 : 4);
            return {QStringLiteral("tone slider"), s->mapToGlobal(p)};
        }
        }
    };

    bool lessonOver = false;
    Clock::time_point stopSent{}, lessonEnded{};
    std::atomic<bool> stopped{false};
    QTimer::singleShot(500, w, [&] {
        int next = 0;
        QTimer *timer = new QTimer(w);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, w, [&, timer]() mutable {
            if (next < clicks) {
                log.push_back({});
                pending = &log.back();
                const auto [name, at] = target(next++);
                pending->control = name;
                sendClick(at, &pending->sent);
                timer->start(600 + int(QRandomGenerator::global()->bounded(900)));
            } else if (!stopped.exchange(true)) {
                sendClick(w->Btn_Parar->mapToGlobal(w->Btn_Parar->rect().center()), &stopSent);
                // Advice the lesson may give at its end is not waited on.
                auto *closer = new QTimer(w);
                QObject::connect(closer, &QTimer::timeout, w, [] {
                    if (QWidget *modal = QApplication::activeModalWidget())
                        modal->close();
                });
                closer->start(200);
            }
        });
        timer->start(1500);
        w->Btn_Iniciar->click(); // returns when the lesson has ended
        lessonOver = true;
        lessonEnded = Clock::now();
        QApplication::quit();
    });
    QTimer::singleShot(std::chrono::minutes(3), &app, [] { QApplication::exit(1); });
    const int code = QApplication::exec();
    for (auto &p : load)
        p->kill();

    std::vector<double> all;
    std::printf("%d busy loops; lesson 1, slowest speed; %d clicks\n", busy, clicks);
    std::printf("%-15s %s\n", "control", "click to effect (ms)");
    for (const Click &c : log) {
        if (c.answered) {
            all.push_back(ms(c.seen - c.sent));
            std::printf("%-15s %.1f\n", qPrintable(c.control), all.back());
        } else {
            std::printf("%-15s no effect\n", qPrintable(c.control));
        }
    }
    std::printf("median %.1f ms, worst %.1f ms, %zu of %zu clicks answered\n", percentile(all, 0.5),
                all.empty() ? 0.0 : *std::max_element(all.begin(), all.end()), all.size(),
                log.size());
    if (lessonOver && stopped)
        std::printf("Stop: the lesson ended %.0f ms after the click\n", ms(lessonEnded - stopSent));
    return code == 0 && all.size() == log.size() ? 0 : 1;
}
