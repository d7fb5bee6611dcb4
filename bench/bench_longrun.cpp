// Keys a long run of characters through the main window's tone generator at
// the fastest speed (unit 5 ms), with the window up and the settings moved
// now and then as a learner moves them, and reports the resident memory of
// the process: peak (VmHWM) and current (VmRSS) at the start, along the way
// and at the end, beside the bytes the heap holds. Memory that keeps growing
// with the characters is a leak.
//
//   bench_longrun [characters]     (default 2000; about 0.4 s each)
//
// Runs headless: the offscreen platform and SDL's dummy driver unless
// QT_QPA_PLATFORM and SDL_AUDIODRIVER say otherwise, and a private settings
// folder holding the language, so no window asks for it.

#include "app/escolhaidioma.h"
#include "app/tfmorse.h"
#include "controls/tradiogroup.h"
#include "morse/letras.h"
#include "platform/settingsstore.h"
#include "sound/tgerasom.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSlider>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Every keyable character, Ç, É and Ã as Windows-1252 bytes.
constexpr char Keyable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890\xC7\xC9\xC3?.:;,()";
constexpr int KeyableCount = int(sizeof(Keyable) - 1);

struct Memory
{
    long rssKb = -1;
    long hwmKb = -1;
    long heapKb = -1; // bytes handed out by malloc and not freed
};

Memory ReadMemory()
{
    Memory m;
    // procfs files report no size, so read them line by line.
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return m;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            m.rssKb = std::strtol(line + 6, nullptr, 10);
        else if (std::strncmp(line, "VmHWM:", 6) == 0)
            m.hwmKb = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(status);
#ifdef __GLIBC__
    m.heapKb = long(mallinfo2().uordblks / 1024);
#endif
    return m;
}

void Report(const char *when, int characters, const Memory &m, qint64 ms)
{
    std::printf("%-8s %6d %10ld %10ld %10ld %9.1f\n", when, characters, m.rssKb, m.hwmKb, m.heapKb,
                ms / 1000.0);
    std::fflush(stdout);
}

bool StoreLanguage()
{
    const QString file = platform::SettingsStore::FileOfKey(EscolhaIdioma::ChaveRegistro);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("[General]\nIdioma=2\n");
    return f.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    const int total = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (total <= 0) {
        std::fprintf(stderr, "usage: %s [characters]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
    QTemporaryDir settings;
    if (!settings.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    if (!StoreLanguage()) {
        std::fprintf(stderr, "cannot write the settings file under %s\n",
                     qPrintable(settings.path()));
        return 1;
    }

    QApplication app(argc, argv);
    const Memory setUp = ReadMemory();
    auto morse = std::make_unique<TfMorse>();
    fMorse = morse.get();
    morse->show();
    QCoreApplication::processEvents();
    morse->Control_Vel->setValue(5);
    const int unit = morse->Unidade;

    std::printf("keying %d characters at unit %d ms through the main window's generator\n", total,
                unit);
    std::printf("%-8s %6s %10s %10s %10s %9s\n", "", "chars", "VmRSS kB", "VmHWM kB", "heap kB",
                "seconds");
    QElapsedTimer clock;
    clock.start();
    Report("set-up", 0, setUp, 0);

    Memory start;
    const int warmUp = std::min(total, KeyableCount);
    const int step = std::max(total / 8, 1);
    for (int i = 0; i < total; ++i) {
        // A learner's moves, each through the window's own handlers: tone,
        // waveform and volumes, so the tone is built anew in every size.
        if (i > 0 && i % 100 == 0) {
            const int n = i / 100;
            morse->Control_Freq->setValue(200 + (n * 370) % 2800);
            morse->RdGp_Onda->SetItemIndex(n % 5);
            morse->ContrStereo->setValue((n * 17) % 101);
        }
        const unsigned char c = static_cast<unsigned char>(Keyable[i % KeyableCount]);
        Letras::Tocar(Letras::Padrao(c), morse->Unidade, morse->GeraSom);
        QCoreApplication::processEvents();
        const int done = i + 1;
        if (done == warmUp) {
            start = ReadMemory();
            Report("start", done, start, clock.elapsed());
        } else if (done % step == 0 && done != total) {
            Report("", done, ReadMemory(), clock.elapsed());
        }
    }
    const Memory end = ReadMemory();
    Report("end", total, end, clock.elapsed());
    std::printf("growth from the start (after one pass of the alphabet) to the end: VmRSS %+ld "
                "kB, VmHWM %+ld kB, heap %+ld kB; generators alive: %d\n",
                end.rssKb - start.rssKb, end.hwmKb - start.hwmKb, end.heapKb - start.heapKb,
                TGeraSom::InstanceCount());

    fMorse = nullptr;
    morse.reset();
    return 0;
}
