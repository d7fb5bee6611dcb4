#include "platform/keyboardhook.h"
#include "test/thotkeymanager.h"
#include "test/tmanagerslist.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>
#include <thread>

using namespace platform;

namespace {

struct Heard
{
    QObject *sender;
    quint16 key;
    TShiftState shift;
    bool down;
};

// What every handler of a test heard, in order.
QList<Heard> heard;

TKeyEvent recorder(bool down)
{
    return [down](QObject *sender, quint16 &key, TShiftState shift) {
        heard.append({sender, key, shift, down});
    };
}

// What a hook installed below the managers' hook was passed.
struct Passed
{
    int code;
    WPARAM wParam;
    LPARAM lParam;
};
QList<Passed> passedOn;

LRESULT spyHook(int code, WPARAM wParam, LPARAM lParam)
{
    passedOn.append({code, wParam, lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr LPARAM Down = 1;
constexpr LPARAM Up = 1 | KF_PREVIOUS | KF_UP;

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

    void virtualKey_data();
    void virtualKey();
    void keystrokeFlags_data();
    void keystrokeFlags();

    void hookFollowsEnabledAndHandlers();
    void handlerAssignedLaterWaitsForNextUpdate();
    void loadCompletionForcesByEnabled();
    void listLivesFromFirstToLastManager();
    void installFailsOffTheUiThread();

    void downsRepeatsAndUps_data();
    void downsRepeatsAndUps();
    void shiftState_data();
    void shiftState();
    void managersInCreationOrderShareKey_data();
    void managersInCreationOrderShareKey();
    void otherHookCodesPassUnchanged();
    void disabledOrInactiveOwnerHearsNothing();
    void handlerSwitchingItselfOffMidKeystroke();
    void handlerDestroyingAManagerMidKeystroke();

    void qtKeystrokeReportedOnceBeforeTheWidget();
    void keystrokeThroughTheWindowReportedOnce();
    void swallowedAndReplacedKeysReachTheWidget();
    void autoRepeatReleaseIsNotAnUp();
};

void TstHotKey::virtualKey_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("scanCode");
    QTest::addColumn<int>("expected");

    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("A") << int(Qt::Key_A) << 0 << 0 << 65;
    QTest::newRow("Shift+A") << int(Qt::Key_A) << shift << 0 << 65;
    QTest::newRow("Z") << int(Qt::Key_Z) << 0 << 0 << 90;
    QTest::newRow("0") << int(Qt::Key_0) << 0 << 0 << 48;
    QTest::newRow("9") << int(Qt::Key_9) << 0 << 0 << 57;
    // Qt reports the shifted symbol; the key is still the digit key.
    QTest::newRow("Shift+1 as !") << int(Qt::Key_Exclam) << shift << 10 << 49;
    QTest::newRow("Shift+0 as )") << int(Qt::Key_ParenRight) << shift << 19 << 48;
    QTest::newRow("AZERTY 1 as &") << int(Qt::Key_Ampersand) << 0 << 10 << 49;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 90 << 96;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 0 << 105;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << 0 << VK_MULTIPLY;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << 0 << 50 << 16;
    QTest::newRow("Control") << int(Qt::Key_Control) << 0 << 37 << 17;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << 0 << 64 << 18;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 65 << 32;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 0 << 112;
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0 << 123;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 0 << VK_ESCAPE;
    QTest::newRow("Cyrillic ef on the A key") << 0x0444 << 0 << 38 << 65;
    QTest::newRow("cedilla on the ; key") << int(Qt::Key_Ccedilla) << 0 << 47 << VK_OEM_1;
    QTest::newRow("minus without keycode") << int(Qt::Key_Minus) << 0 << 0 << VK_OEM_MINUS;
    QTest::newRow("unknown key") << int(Qt::Key_LaunchMail) << 0 << 0 << 0;
}

void TstHotKey::virtualKey()
{
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, scanCode);
    QFETCH(int, expected);
    const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers),
                          quint32(scanCode), 0, 0);
    QCOMPARE(VirtualKeyOf(event), expected);
}

void TstHotKey::keystrokeFlags_data()
{
    QTest::addColumn<bool>("press");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<int>("scanCode");
    QTest::addColumn<qint64>("expected");

    const qint64 scanA = qint64(30) << 16;
    QTest::newRow("down") << true << int(Qt::Key_A) << 0 << false << 38 << qint64(1 | scanA);
    QTest::newRow("repeat") << true << int(Qt::Key_A) << 0 << true << 38
                            << qint64(1 | scanA | KF_PREVIOUS);
    QTest::newRow("up") << false << int(Qt::Key_A) << 0 << false << 38
                        << qint64(1 | scanA | KF_PREVIOUS | KF_UP);
    QTest::newRow("Alt held") << true << int(Qt::Key_A) << int(Qt::AltModifier) << false << 0
                              << qint64(1 | KF_CONTEXT);
    QTest::newRow("Alt itself") << true << int(Qt::Key_Alt) << 0 << false << 0
                                << qint64(1 | KF_CONTEXT);
    QTest::newRow("Shift held") << true << int(Qt::Key_A) << int(Qt::ShiftModifier) << false << 0
                                << qint64(1);
}

void TstHotKey::keystrokeFlags()
{
    QFETCH(bool, press);
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(int, scanCode);
    QFETCH(qint64, expected);
    const QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey,
                          Qt::KeyboardModifiers(modifiers), quint32(scanCode), 0, 0, QString(),
                          autoRepeat);
    QCOMPARE(qint64(KeystrokeFlagsOf(event)), expected);
}

void TstHotKey::hookFollowsEnabledAndHandlers()
{
    QObject owner;
    auto *a = new THotKeyManager(&owner);
    QCOMPARE(HookHandle, nullptr); // a new manager has no handler

    // Switching on installs the hook even without a handler...
    a->SetEnabled(false);
    QCOMPARE(HookHandle, nullptr);
    a->SetEnabled(true);
    QVERIFY(HookHandle != nullptr);
    // ...and the next update that is not forced finds no need for it.
    auto *b = new THotKeyManager(&owner);
    QCOMPARE(HookHandle, nullptr);

    b->SetOnKeyDown(recorder(true));
    b->SetEnabled(false);
    b->SetEnabled(true);
    QVERIFY(HookHandle != nullptr);
    // Switching another manager off keeps the hook b needs.
    a->SetEnabled(false);
    QVERIFY(HookHandle != nullptr);
    b->SetEnabled(false);
    QCOMPARE(HookHandle, nullptr);
    // Setting the same value again changes nothing.
    a->SetEnabled(false);
    QCOMPARE(HookHandle, nullptr);
}

void TstHotKey::handlerAssignedLaterWaitsForNextUpdate()
{
    QObject owner;
    auto *a = new THotKeyManager(&owner);
    a->SetAppGlobal(true);
    a->SetOnKeyDown(recorder(true));
    QCOMPARE(HookHandle, nullptr);
    CallKeyboardHooks(HC_ACTION, 'A', Down);
    QVERIFY(heard.isEmpty());

    // Any later update finds the handler: here, another manager's creation.
    auto *b = new THotKeyManager(&owner);
    QVERIFY(HookHandle != nullptr);
    CallKeyboardHooks(HC_ACTION, 'A', Down);
    QCOMPARE(heard.size(), 1);
    delete b;
    QVERIFY(HookHandle != nullptr);
}

void TstHotKey::loadCompletionForcesByEnabled()
{
    QObject owner;
    auto *a = new THotKeyManager(&owner);
    a->Loaded();
    QVERIFY(HookHandle != nullptr); // enabled, even without handlers

    auto *b = new THotKeyManager(&owner);
    b->SetEnabled(false);
    QCOMPARE(HookHandle, nullptr);
    b->Loaded();
    QCOMPARE(HookHandle, nullptr);

    a->SetOnKeyDown(recorder(true));
    b->Loaded(); // a disabled manager leaves the hook another one needs
    QVERIFY(HookHandle != nullptr);
}

void TstHotKey::listLivesFromFirstToLastManager()
{
    QCOMPARE(ManagersList, nullptr);
    auto owner = std::make_unique<QObject>();
    auto *a = new THotKeyManager(owner.get());
    auto *b = new THotKeyManager(owner.get());
    QVERIFY(ManagersList != nullptr);
    QCOMPARE(ManagersList->Count(), 2);
    QCOMPARE(ManagersList->Items(0), a);
    QCOMPARE(ManagersList->Items(1), b);

    b->SetOnKeyDown(recorder(true));
    b->Loaded();
    QVERIFY(HookHandle != nullptr);
    delete a;
    QCOMPARE(ManagersList->Count(), 1);
    QVERIFY(HookHandle != nullptr);
    // The owner takes the last manager with it, and the hook with the list.
    owner.reset();
    QCOMPARE(ManagersList, nullptr);
    QCOMPARE(HookHandle, nullptr);
    CallKeyboardHooks(HC_ACTION, 'A', Down);
    QVERIFY(heard.isEmpty());
}

void TstHotKey::installFailsOffTheUiThread()
{
    QCOMPARE(SetWindowsHookExA(1, spyHook, nullptr, GetCurrentThreadId()), nullptr);
    QCOMPARE(SetWindowsHookExA(WH_KEYBOARD, nullptr, nullptr, GetCurrentThreadId()), nullptr);
    QCOMPARE(SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId() + 1), nullptr);
    HHOOK fromWorker = reinterpret_cast<HHOOK>(1);
    DWORD workerId = 0;
    std::thread worker([&] {
        workerId = GetCurrentThreadId();
        fromWorker = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, workerId);
    });
    worker.join();
    QVERIFY(workerId != GetCurrentThreadId());
    QCOMPARE(fromWorker, nullptr);
    QVERIFY(!UnhookWindowsHookEx(nullptr));
}

void TstHotKey::downsRepeatsAndUps_data()
{
    QTest::addColumn<QList<qint64>>("keystrokes");
    QTest::addColumn<QString>("events");

    QTest::newRow("press") << QList<qint64>{qint64(Down)} << "d";
    QTest::newRow("release") << QList<qint64>{qint64(Up)} << "u";
    QTest::newRow("held with two repeats")
        << QList<qint64>{qint64(Down), qint64(1 | KF_PREVIOUS), qint64(1 | KF_PREVIOUS), qint64(Up)}
        << "dddu";
    QTest::newRow("repeat count above one") << QList<qint64>{qint64(5 | KF_PREVIOUS)} << "d";
}

void TstHotKey::downsRepeatsAndUps()
{
    QFETCH(QList<qint64>, keystrokes);
    QFETCH(QString, events);
    QObject owner;
    THotKeyManager m(&owner);
    m.SetAppGlobal(true);
    m.SetOnKeyDown(recorder(true));
    m.SetOnKeyUp(recorder(false));
    m.Loaded();
    for (qint64 flags : keystrokes)
        QVERIFY(CallKeyboardHooks(HC_ACTION, 'Q', LPARAM(flags)).delivered);
    QString seen;
    for (const Heard &h : std::as_const(heard)) {
        seen += h.down ? u'd' : u'u';
        QCOMPARE(h.key, quint16('Q'));
        QCOMPARE(h.sender, &m);
    }
    QCOMPARE(seen, events);
}

void TstHotKey::shiftState_data()
{
    QTest::addColumn<bool>("shiftDown");
    QTest::addColumn<bool>("controlDown");
    QTest::addColumn<bool>("altDown");
    QTest::addColumn<qint64>("flags");
    QTest::addColumn<int>("expected");

    QTest::newRow("none") << false << false << false << qint64(Down) << 0;
    QTest::newRow("Shift") << true << false << false << qint64(Down) << int(ssShift);
    QTest::newRow("Control") << false << true << false << qint64(Down) << int(ssCtrl);
    // Alt comes from the keystroke's context bit, not from the key's state.
    QTest::newRow("Alt context") << false << false << false << qint64(Down | KF_CONTEXT)
                                 << int(ssAlt);
    QTest::newRow("Alt key state only") << false << false << true << qint64(Down) << 0;
    QTest::newRow("all three") << true << true << false << qint64(Up | KF_CONTEXT)
                               << int(ssShift | ssCtrl | ssAlt);
}

void TstHotKey::shiftState()
{
    QFETCH(bool, shiftDown);
    QFETCH(bool, controlDown);
    QFETCH(bool, altDown);
    QFETCH(qint64, flags);
    QFETCH(int, expected);
    QObject owner;
    THotKeyManager m(&owner);
    m.SetAppGlobal(true);
    m.SetOnKeyDown(recorder(true));
    m.SetOnKeyUp(recorder(false));
    m.Loaded();
    SetKeyState(VK_SHIFT, shiftDown);
    SetKeyState(VK_CONTROL, controlDown);
    SetKeyState(VK_MENU, altDown);
    CallKeyboardHooks(HC_ACTION, 'A', LPARAM(flags));
    QCOMPARE(heard.size(), 1);
    QCOMPARE(int(heard[0].shift), expected);
}

void TstHotKey::managersInCreationOrderShareKey_data()
{
    QTest::addColumn<int>("firstSets");
    QTest::addColumn<int>("secondSees");
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<int>("passedKey");

    QTest::newRow("unchanged") << -1 << int('A') << true << int('A');
    QTest::newRow("replaced") << int('B') << int('B') << true << int('B');
    // The second manager is still called, with 0, and the keystroke is gone.
    QTest::newRow("swallowed") << 0 << 0 << false << -1;
}

void TstHotKey::managersInCreationOrderShareKey()
{
    QFETCH(int, firstSets);
    QFETCH(int, secondSees);
    QFETCH(bool, delivered);
    QFETCH(int, passedKey);

    const HHOOK below = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
    QVERIFY(below);
    {
        QObject owner;
        THotKeyManager first(&owner);
        THotKeyManager second(&owner);
        for (THotKeyManager *m : {&first, &second})
            m->SetAppGlobal(true);
        second.SetOnKeyDown(recorder(true));
        first.SetOnKeyDown([&](QObject *sender, quint16 &key, TShiftState shift) {
            heard.append({sender, key, shift, true});
            if (firstSets >= 0)
                key = quint16(firstSets);
        });
        first.Loaded();

        const HookOutcome outcome = CallKeyboardHooks(HC_ACTION, 'A', Down);
        QCOMPARE(heard.size(), 2);
        QCOMPARE(heard[0].sender, &first);
        QCOMPARE(heard[1].sender, &second);
        QCOMPARE(int(heard[1].key), secondSees);
        QCOMPARE(outcome.delivered, delivered);
        if (passedKey < 0) {
            QCOMPARE(outcome.result, LRESULT(1));
            QVERIFY(passedOn.isEmpty());
        } else {
            QCOMPARE(int(outcome.key), passedKey);
            QCOMPARE(passedOn.size(), 1);
            QCOMPARE(int(passedOn[0].wParam), passedKey);
            QCOMPARE(passedOn[0].lParam, Down);
        }
    }
    QVERIFY(UnhookWindowsHookEx(below));
}

void TstHotKey::otherHookCodesPassUnchanged()
{
    const HHOOK below = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
    {
        QObject owner;
        THotKeyManager m(&owner);
        m.SetAppGlobal(true);
        m.SetOnKeyDown([](QObject *, quint16 &key, TShiftState) { key = 0; });
        m.SetOnKeyUp([](QObject *, quint16 &key, TShiftState) { key = 0; });
        m.Loaded();
        const LPARAM flags = Down | KF_CONTEXT | (LPARAM(30) << 16);
        const HookOutcome outcome = CallKeyboardHooks(HC_NOREMOVE, 'A', flags);
        QVERIFY(outcome.delivered);
        QCOMPARE(passedOn.size(), 1);
        QCOMPARE(passedOn[0].code, HC_NOREMOVE);
        QCOMPARE(passedOn[0].wParam, WPARAM('A'));
        QCOMPARE(passedOn[0].lParam, flags);
    }
    UnhookWindowsHookEx(below);
}

void TstHotKey::disabledOrInactiveOwnerHearsNothing()
{
    QWidget active;
    QWidget inactive;
    THotKeyManager global(&inactive);
    THotKeyManager local(&inactive);
    THotKeyManager disabled(&active);
    THotKeyManager onActive(&active);
    global.SetAppGlobal(true);
    for (THotKeyManager *m : {&global, &local, &disabled, &onActive})
        m->SetOnKeyDown(recorder(true));
    disabled.SetEnabled(false);
    onActive.Loaded();

    active.show();
    QApplication::setActiveWindow(&active);
    QVERIFY(QTest::qWaitForWindowActive(&active));
    CallKeyboardHooks(HC_ACTION, 'A', Down);
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[0].sender, &global);
    QCOMPARE(heard[1].sender, &onActive);
}

void TstHotKey::handlerSwitchingItselfOffMidKeystroke()
{
    const HHOOK below = SetWindowsHookExA(WH_KEYBOARD, spyHook, nullptr, GetCurrentThreadId());
    {
        QObject owner;
        THotKeyManager m(&owner);
        m.SetAppGlobal(true);
        m.SetOnKeyDown([&m](QObject *, quint16 &key, TShiftState) {
            m.SetEnabled(false);
            key = 'Z';
        });
        m.Loaded();
        const HookOutcome outcome = CallKeyboardHooks(HC_ACTION, 'A', Down);
        QCOMPARE(HookHandle, nullptr); // removed at once...
        QVERIFY(outcome.delivered);    // ...and the keystroke still finished its way
        QCOMPARE(outcome.key, WPARAM('Z'));
        QCOMPARE(passedOn.size(), 1);
        CallKeyboardHooks(HC_ACTION, 'A', Down);
        QCOMPARE(passedOn.size(), 2);
        QCOMPARE(passedOn[1].wParam, WPARAM('A'));
    }
    UnhookWindowsHookEx(below);
}

void TstHotKey::handlerDestroyingAManagerMidKeystroke()
{
    QObject owner;
    auto *first = new THotKeyManager(&owner);
    auto *second = new THotKeyManager(&owner);
    auto *third = new THotKeyManager(&owner);
    for (THotKeyManager *m : {first, second, third}) {
        m->SetAppGlobal(true);
        m->SetOnKeyDown(recorder(true));
    }
    // The first handler destroys itself and the last manager.
    first->SetOnKeyDown([&](QObject *sender, quint16 &key, TShiftState shift) {
        heard.append({sender, key, shift, true});
        delete third;
        delete first;
    });
    first->Loaded();
    QVERIFY(CallKeyboardHooks(HC_ACTION, 'A', Down).delivered);
    // The walk goes on by index in the shortened list and never past its end.
    QCOMPARE(heard.size(), 1);
    QCOMPARE(ManagersList->Count(), 1);
    CallKeyboardHooks(HC_ACTION, 'A', Down);
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[1].sender, second);
}

namespace {

// A window whose inner widget ignores keys, so that Qt hands every key on to
// the parent and the line edit: the filter is asked at every step.
struct KeyWindow
{
    QWidget window;
    QWidget *inner = new QWidget(&window);
    QLineEdit *edit = new QLineEdit(&window);
    KeyWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(inner);
        layout->addWidget(edit);
        inner->setFocusPolicy(Qt::StrongFocus);
    }
};

} // namespace

void TstHotKey::qtKeystrokeReportedOnceBeforeTheWidget()
{
    KeyWindow w;
    THotKeyManager m(&w.window);
    m.SetAppGlobal(true);
    QString textWhenHeard = QStringLiteral("unset");
    m.SetOnKeyDown([&](QObject *sender, quint16 &key, TShiftState shift) {
        heard.append({sender, key, shift, true});
        textWhenHeard = w.edit->text();
    });
    m.SetOnKeyUp(recorder(false));
    m.Loaded();

    // Shift goes down, K is typed, Shift comes up: four keystrokes, each once.
    QTest::keyClick(w.inner, Qt::Key_K, Qt::ShiftModifier);
    QString seen;
    for (const Heard &h : std::as_const(heard))
        seen += QStringLiteral("%1%2 ").arg(QChar(h.down ? u'd' : u'u')).arg(h.key);
    QCOMPARE(seen, QStringLiteral("d16 d75 u75 u16 "));
    QCOMPARE(heard[1].shift, TShiftState(ssShift));

    heard.clear();
    QTest::keyClick(w.edit, Qt::Key_7);
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[0].key, quint16('7'));
    QCOMPARE(heard[0].shift, TShiftState());
    QCOMPARE(textWhenHeard, QString()); // heard before the line edit took it
    QCOMPARE(w.edit->text(), QStringLiteral("7"));
}

void TstHotKey::keystrokeThroughTheWindowReportedOnce()
{
    KeyWindow w;
    THotKeyManager m(&w.window);
    m.SetOnKeyDown(recorder(true));
    m.SetOnKeyUp(recorder(false));
    m.Loaded();
    w.window.show();
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.edit->setFocus();

    // The platform's way in: to the window first, then to the focus widget.
    QTest::keyClick(w.window.windowHandle(), Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[0].key, quint16(VK_NUMPAD0 + 5));
    QCOMPARE(w.edit->text(), QStringLiteral("5"));
}

void TstHotKey::swallowedAndReplacedKeysReachTheWidget()
{
    KeyWindow w;
    THotKeyManager m(&w.window);
    m.SetAppGlobal(true);
    m.SetOnKeyDown([](QObject *, quint16 &key, TShiftState) {
        if (key == 'X')
            key = 0;
        else if (key == 'A')
            key = 'B';
    });
    m.Loaded();
    QTest::keyClicks(w.edit, QStringLiteral("xaxc"));
    QCOMPARE(w.edit->text(), QStringLiteral("bc"));
}

void TstHotKey::autoRepeatReleaseIsNotAnUp()
{
    QWidget target;
    THotKeyManager m(&target);
    m.SetAppGlobal(true);
    m.SetOnKeyDown(recorder(true));
    m.SetOnKeyUp(recorder(false));
    m.Loaded();
    // A held key on X11: press, then release and press pairs marked as
    // auto-repeat, then the real release.
    const auto send = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_S, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&target, &event);
    };
    send(QEvent::KeyPress, false);
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
    send(QEvent::KeyRelease, false);
    QString seen;
    for (const Heard &h : std::as_const(heard))
        seen += h.down ? u'd' : u'u';
    QCOMPARE(seen, QStringLiteral("dddu"));
}

QTEST_MAIN(TstHotKey)
#include "tst_hotkey.moc"
