#include "platform/keyboardhook.h"
#include "reception/thotkeymanager.h"
#include "reception/tmanagerslist.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <memory>
#include <thread>

using namespace platform;

namespace {

QString heard;         // what the handlers heard: "d65 u65 " and so on
TShiftState lastShift; // and with which shift state, the last time

TKeyEvent recorder(bool down)
{
    return [down](QObject *, quint16 &key, TShiftState shift) {
        heard += QStringLiteral("%1%2 ").arg(QChar(down ? u'd' : u'u')).arg(key);
        lastShift = shift;
    };
}

// What a hook installed below the managers' hook was handed.
QString passedOn;
LRESULT spyHook(int code, WPARAM wParam, LPARAM lParam)
{
    passedOn += QStringLiteral("%1:%2:%3 ").arg(code).arg(wParam).arg(lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr LPARAM Down = 1;
constexpr LPARAM Repeat = 1 | KF_PREVIOUS;
constexpr LPARAM Up = 1 | KF_PREVIOUS | KF_UP;

THotKeyManager *listening(THotKeyManager *m)
{
    m->SetAppGlobal(true);
    m->SetOnKeyDown(recorder(true));
    m->SetOnKeyUp(recorder(false));
    m->Loaded();
    return m;
}

} // namespace

class TstHotKey : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        heard.clear();
        passedOn.clear();
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU})
            SetKeyState(vk, false);
    }
    void cleanup()
    {
        // Every test destroys its managers: the list and the hook go with them.
        QCOMPARE(ManagersList, nullptr);
        QCOMPARE(HookHandle, nullptr);
    }

    void virtualKey_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scanCode");
        QTest::addColumn<int>("expected");
        const int shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
        QTest::newRow("A") << int(Qt::Key_A) << 0 << 0 << 65;
        QTest::newRow("Shift+Z") << int(Qt::Key_Z) << shift << 0 << 90;
        QTest::newRow("0") << int(Qt::Key_0) << 0 << 0 << 48;
        // Qt reports the shifted symbol; the key is still the digit key.
        QTest::newRow("Shift+1 as !") << int(Qt::Key_Exclam) << shift << 10 << 49;
        QTest::newRow("Shift+0 as )") << int(Qt::Key_ParenRight) << shift << 19 << 48;
        QTest::newRow("AZERTY 1 as &") << int(Qt::Key_Ampersand) << 0 << 10 << 49;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 90 << 96;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 0 << 105;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 0 << 50 << 16;
        QTest::newRow("Control") << int(Qt::Key_Control) << 0 << 37 << 17;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << 0 << 64 << 18;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 65 << 32;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 0 << 112;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0 << 123;
        QTest::newRow("Cyrillic ef on the A key") << 0x0444 << 0 << 38 << 65;
        QTest::newRow("cedilla on the ; key") << int(Qt::Key_Ccedilla) << 0 << 47 << VK_OEM_1;
        QTest::newRow("unknown key") << int(Qt::Key_LaunchMail) << 0 << 0 << 0;
    }
    void virtualKey()
    {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(int, scanCode);
        QFETCH(int, expected);
        const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers),
                              quint32(scanCode), 0, 0);
        QCOMPARE(VirtualKeyOf(event), expected);
    }

    void keystrokeFlags_data()
    {
        QTest::addColumn<bool>("press");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<qint64>("expected");
        const qint64 scanA = qint64(30) << 16; // every row is on the A key, keycode 38
        QTest::newRow("down") << true << int(Qt::Key_A) << 0 << false << (1 | scanA);
        QTest::newRow("repeat") << true << int(Qt::Key_A) << 0 << true << qint64(Repeat | scanA);
        QTest::newRow("up") << false << int(Qt::Key_A) << 0 << false << qint64(Up | scanA);
        QTest::newRow("Alt held") << true << int(Qt::Key_A) << int(Qt::AltModifier) << false
                                  << qint64(1 | scanA | KF_CONTEXT);
        QTest::newRow("Shift held")
            << true << int(Qt::Key_A) << int(Qt::ShiftModifier) << false << (1 | scanA);
    }
    void keystrokeFlags()
    {
        QFETCH(bool, press);
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(qint64, expected);
        const QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey,
                              Qt::KeyboardModifiers(modifiers), 38, 0, 0, QString(), autoRepeat);
        QCOMPARE(qint64(KeystrokeFlagsOf(event)), expected);
    }

    // Each step: an operation on manager a or b, then whether a hook is installed.
    void hookLifecycle_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("switching on installs even without a handler")
            << "new a 0, off a 0, on a 1, new b 0";
        QTest::newRow("a handler alone waits for the next update")
            << "new a 0, handler a 0, new b 1, del b 1, off a 0";
        QTest::newRow("switching off keeps the hook another manager needs")
            << "new a 0, new b 0, handler b 0, off b 0, on b 1, off a 1, off b 0";
        QTest::newRow("load completion forces by Enabled")
            << "new a 0, load a 1, new b 0, off b 0, load b 0, handler a 0, load b 1";
        QTest::newRow("the last manager takes the hook with it")
            << "new a 0, handler a 0, load a 1, new b 1, handler b 1, del a 1, del b 0";
    }
    void hookLifecycle()
    {
        QFETCH(QString, steps);
        QObject owner;
        std::map<QString, THotKeyManager *> m;
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            const QStringList w = step.split(u' ');
            THotKeyManager *&target = m[w[1]];
            if (w[0] == u"new")
                target = new THotKeyManager(&owner);
            else if (w[0] == u"del")
                delete std::exchange(target, nullptr);
            else if (w[0] == u"on" || w[0] == u"off")
                target->SetEnabled(w[0] == u"on");
            else if (w[0] == u"handler")
                target->SetOnKeyDown(recorder(true));
            else if (w[0] == u"load")
                target->Loaded();
            QVERIFY2((HookHandle != nullptr) == (w[2] == u"1"), qPrintable(step));
            const bool anyLeft = std::any_of(m.begin(), m.end(), [](auto &e) { return e.second; });
            QCOMPARE(ManagersList != nullptr, anyLeft);
        }
        delete m["a"];
        delete m["b"];
    }

    void installFailsWhereNoHookCanBeServed()
    {
        const DWORD self = GetCurrentThreadId();
        QCOMPARE(SetWindowsHookExA(1, spyHook, nullptr, self), nullptr);
        QCOMPARE(SetWindowsHookExA(WH_KEYBOARD, nullptr, nullptr, self), nullptr);
        QCOMPARE(SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, self + 1), nullptr);
        HHOOK fromWorker = reinterpret_cast<HHOOK>(1);
        std::thread worker([&] {
            fromWorker = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
        });
        worker.join();
        QCOMPARE(fromWorker, nullptr);
        QVERIFY(!UnhookWindowsHookEx(nullptr));
    }

    void keystrokesToHandlers_data()
    {
        QTest::addColumn<QList<qint64>>("keystrokes");
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("shift");
        QTest::newRow("press") << QList<qint64>{Down} << QList<int>{} << "d81 " << 0;
        QTest::newRow("held with repeats") << QList<qint64>{Down, Repeat, 5 | KF_PREVIOUS, Up}
                                           << QList<int>{} << "d81 d81 d81 u81 " << 0;
        QTest::newRow("Shift") << QList<qint64>{Down} << QList<int>{VK_SHIFT} << "d81 "
                               << int(ssShift);
        QTest::newRow("Control") << QList<qint64>{Up} << QList<int>{VK_CONTROL} << "u81 "
                                 << int(ssCtrl);
        // Alt comes from the keystroke's context bit, not from the key's state.
        QTest::newRow("Alt context")
            << QList<qint64>{Down | KF_CONTEXT} << QList<int>{} << "d81 " << int(ssAlt);
        QTest::newRow("Alt key state only")
            << QList<qint64>{Down} << QList<int>{VK_MENU} << "d81 " << 0;
    }
    void keystrokesToHandlers()
    {
        QFETCH(QList<qint64>, keystrokes);
        QFETCH(QList<int>, held);
        QFETCH(QString, expected);
        QFETCH(int, shift);
        QObject owner;
        listening(new THotKeyManager(&owner));
        lastShift = {};
        for (int vk : held)
            SetKeyState(vk, true);
        for (qint64 flags : keystrokes)
            QVERIFY(CallKeyboardHooks(HC_ACTION, 'Q', LPARAM(flags)).delivered);
        QCOMPARE(heard, expected);
        QCOMPARE(int(lastShift), shift);
    }

    void chainPassesKey_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("firstSets"); // -1: leaves the key alone
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("delivered");
        QTest::addColumn<QString>("below");
        QTest::newRow("unchanged") << HC_ACTION << -1 << "d65 d65 " << true << "0:65:1 ";
        QTest::newRow("replaced") << HC_ACTION << int('B') << "d65 d66 " << true << "0:66:1 ";
        // The second manager still hears it, with 0, and nothing goes on.
        QTest::newRow("swallowed") << HC_ACTION << 0 << "d65 d0 " << false << "";
        QTest::newRow("other hook code") << HC_NOREMOVE << 0 << "" << true << "3:65:1 ";
    }
    void chainPassesKey()
    {
        QFETCH(int, code);
        QFETCH(int, firstSets);
        QFETCH(QString, expected);
        QFETCH(bool, delivered);
        QFETCH(QString, below);
        const HHOOK spy = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
        QVERIFY(spy);
        {
            QObject owner;
            THotKeyManager first(&owner), second(&owner);
            listening(&second);
            listening(&first)->SetOnKeyDown([&](QObject *sender, quint16 &key, TShiftState s) {
                recorder(true)(sender, key, s);
                if (firstSets >= 0)
                    key = quint16(firstSets);
            });
            const HookOutcome outcome = CallKeyboardHooks(code, 'A', Down);
            QCOMPARE(heard, expected);
            QCOMPARE(outcome.delivered, delivered);
            QCOMPARE(passedOn, below);
        }
        QVERIFY(UnhookWindowsHookEx(spy));
    }

    void onlyEnabledManagersOfTheActiveWindowHear()
    {
        QWidget active, inactive;
        THotKeyManager global(&inactive), local(&inactive), disabled(&active), onActive(&active);
        for (THotKeyManager *m : {&global, &local, &disabled, &onActive})
            listening(m)->SetOnKeyDown([m](QObject *sender, quint16 &, TShiftState) {
                QCOMPARE(sender, m);
                heard += sender->objectName();
            });
        global.setObjectName(QStringLiteral("global "));
        onActive.setObjectName(QStringLiteral("onActive "));
        local.SetAppGlobal(false);
        onActive.SetAppGlobal(false);
        disabled.SetEnabled(false);
        active.show();
        QApplication::setActiveWindow(&active);
        QVERIFY(QTest::qWaitForWindowActive(&active));
        CallKeyboardHooks(HC_ACTION, 'A', Down);
        QCOMPARE(heard, QStringLiteral("global onActive "));
    }

    void handlersChangingManagersMidKeystroke()
    {
        const HHOOK spy = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
        {
            QObject owner;
            auto *first = listening(new THotKeyManager(&owner));
            auto *second = listening(new THotKeyManager(&owner));
            auto *third = listening(new THotKeyManager(&owner));
            // Switches itself off, destroys the last manager, replaces the key.
            first->SetOnKeyDown([&](QObject *, quint16 &key, TShiftState) {
                first->SetEnabled(false);
                delete third;
                key = 'Z';
            });
            const HookOutcome outcome = CallKeyboardHooks(HC_ACTION, 'A', Down);
            // The walk stops at the end of the shortened list; the keystroke
            // still finishes its way through the chain.
            QCOMPARE(heard, QStringLiteral("d90 "));
            QCOMPARE(ManagersList->Count(), 2);
            QVERIFY(outcome.delivered);
            QCOMPARE(passedOn, QStringLiteral("0:90:1 "));
            delete second;
            QCOMPARE(HookHandle, nullptr);
        }
        UnhookWindowsHookEx(spy);
    }

    void qtKeystrokesReportedOnceBeforeTheWidget()
    {
        // The inner widget ignores keys: Qt offers each one to its parent too.
        QWidget window;
        auto *inner = new QWidget(&window);
        auto *edit = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(inner);
        layout->addWidget(edit);
        THotKeyManager m(&window);
        listening(&m)->SetAppGlobal(false);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QTest::keyClick(inner, Qt::Key_K, Qt::ShiftModifier);
        QCOMPARE(heard, QStringLiteral("d16 d75 u75 u16 "));
        // The platform's way in: to the window first, then to the focus widget.
        edit->setFocus();
        heard.clear();
        m.SetOnKeyDown([&](QObject *, quint16 &key, TShiftState) {
            heard += QStringLiteral("d%1[%2] ").arg(key).arg(edit->text());
        });
        QTest::keyClick(window.windowHandle(), Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(heard, QStringLiteral("d101[] u101 "));
        QCOMPARE(edit->text(), QStringLiteral("5"));

        // A key 0 swallows the keystroke; another code reaches the widget.
        m.SetOnKeyDown([](QObject *, quint16 &key, TShiftState) {
            key = key == 'X' ? 0 : key == 'A' ? 'B' : key;
        });
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("xaxc"));
        QCOMPARE(edit->text(), QStringLiteral("bc"));
    }

    void autoRepeatReleaseIsNotAnUp()
    {
        QWidget target;
        THotKeyManager m(&target);
        listening(&m);
        // A held key on X11: press, release and press pairs marked as
        // auto-repeat, then the real release.
        for (auto [type, autoRepeat] : {std::pair{QEvent::KeyPress, false},
                                        {QEvent::KeyRelease, true},
                                        {QEvent::KeyPress, true},
                                        {QEvent::KeyRelease, false}}) {
            QKeyEvent event(type, Qt::Key_S, Qt::NoModifier, QString(), autoRepeat);
            QApplication::sendEvent(&target, &event);
        }
        QCOMPARE(heard, QStringLiteral("d83 d83 u83 "));
    }
};

QTEST_MAIN(TstHotKey)
#include "tst_hotkey.moc"
