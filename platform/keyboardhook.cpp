#include "platform/keyboardhook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace platform {

struct HookRecord
{
    HOOKPROC proc = nullptr;
    bool removed = false;
};

namespace {

// All of this is touched on the user-interface thread only: hooks are served
// there and nowhere else, so no lock is needed.

std::vector<std::shared_ptr<HookRecord>> chain; // head (newest) first

// One run of the chain per keystroke; runs nest when a hook pumps events.
struct ChainRun
{
    std::vector<std::shared_ptr<HookRecord>> hooks;
    std::size_t next = 0;
    bool reachedEnd = false;
    WPARAM finalKey = 0;
};
std::vector<ChainRun *> runs;

std::array<bool, 256> keysDown{};

bool onUiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Linux platforms report xkb keycodes: the evdev code plus 8.
constexpr quint32 XkbOffset = 8;

int mainBlockKeyOfEvdev(quint32 evdev)
{
    // Positions of the main block on a PC keyboard; letters by their QWERTY
    // places, which is what the original platform reports for layouts
    // without Latin letters.
    static constexpr std::array<std::uint8_t, 87> table = [] {
        std::array<std::uint8_t, 87> t{};
        t[1] = VK_ESCAPE;
        for (int d = 1; d <= 9; ++d)
            t[1 + d] = std::uint8_t('0' + d);
        t[11] = '0';
        t[12] = VK_OEM_MINUS;
        t[13] = VK_OEM_PLUS;
        t[14] = VK_BACK;
        t[15] = VK_TAB;
        const char *row1 = "QWERTYUIOP";
        for (int i = 0; i < 10; ++i)
            t[16 + i] = std::uint8_t(row1[i]);
        t[26] = VK_OEM_4;
        t[27] = VK_OEM_6;
        t[28] = VK_RETURN;
        t[29] = VK_CONTROL;
        const char *row2 = "ASDFGHJKL";
        for (int i = 0; i < 9; ++i)
            t[30 + i] = std::uint8_t(row2[i]);
        t[39] = VK_OEM_1;
        t[40] = VK_OEM_7;
        t[41] = VK_OEM_3;
        t[42] = VK_SHIFT;
        t[43] = VK_OEM_5;
        const char *row3 = "ZXCVBNM";
        for (int i = 0; i < 7; ++i)
            t[44 + i] = std::uint8_t(row3[i]);
        t[51] = VK_OEM_COMMA;
        t[52] = VK_OEM_PERIOD;
        t[53] = VK_OEM_2;
        t[54] = VK_SHIFT;
        t[56] = VK_MENU;
        t[57] = VK_SPACE;
        t[58] = VK_CAPITAL;
        t[86] = VK_OEM_102;
        return t;
    }();
    return evdev < table.size() ? table[evdev] : 0;
}

struct KeyPair
{
    int qt;
    int vk;
};

// Keys that are the same wherever they sit on the keyboard.
constexpr KeyPair fixedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},      {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},          {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},         {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},  {Qt::Key_Insert, VK_INSERT},     {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Super_L, VK_LWIN},      {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
};

// Unshifted symbols of a US keyboard, for events that carry no keycode.
constexpr KeyPair symbolKeys[] = {
    {Qt::Key_Semicolon, VK_OEM_1},   {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},   {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},   {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},   {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
};

constexpr KeyPair keypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

template <std::size_t N> int lookUp(const KeyPair (&table)[N], int qtKey)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [qtKey](const KeyPair &p) { return p.qt == qtKey; });
    return it == std::end(table) ? 0 : it->vk;
}

template <std::size_t N> int lookUpQt(const KeyPair (&table)[N], int vk)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [vk](const KeyPair &p) { return p.vk == vk; });
    return it == std::end(table) ? 0 : it->qt;
}

// The Qt key and text a replacement key code stands for, so that the target
// widget receives an event it understands.
std::unique_ptr<QKeyEvent> replacementEvent(const QKeyEvent &original, int vk)
{
    Qt::KeyboardModifiers modifiers = original.modifiers() & ~Qt::KeypadModifier;
    int qtKey = 0;
    QString text;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (vk >= 'A' && vk <= 'Z') {
        qtKey = vk;
        text = QChar(shift ? vk : vk - 'A' + 'a');
    } else if (vk >= '0' && vk <= '9') {
        qtKey = vk;
        text = QChar(vk);
    } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        qtKey = Qt::Key_0 + (vk - VK_NUMPAD0);
        text = QChar('0' + (vk - VK_NUMPAD0));
        modifiers |= Qt::KeypadModifier;
    } else if (vk >= VK_F1 && vk <= VK_F24) {
        qtKey = Qt::Key_F1 + (vk - VK_F1);
    } else if ((qtKey = lookUpQt(fixedKeys, vk)) == 0) {
        qtKey = lookUpQt(symbolKeys, vk);
        if (qtKey)
            text = QChar(qtKey);
    }
    if (vk == VK_SPACE)
        text = QStringLiteral(" ");
    return std::make_unique<QKeyEvent>(
        original.type(), qtKey ? qtKey : Qt::Key_unknown, modifiers, original.nativeScanCode(),
        quint32(vk), original.nativeModifiers(), text, original.isAutoRepeat(), original.count());
}

// Sees every key event of the user-interface thread. A key event travels to
// the window, then to the focus widget, then up through ignoring parents, and
// this filter is asked at every step: only the first step of a keystroke goes
// to the hook chain.
class KeyFilter : public QObject
{
public:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == mInjected || continuesLastKeystroke(receiver, *key))
            return false;
        remember(receiver, *key);
        // The original platform repeats a held key as further downs only.
        if (key->type() == QEvent::KeyRelease && key->isAutoRepeat())
            return false;
        const int vk = VirtualKeyOf(*key);
        if (vk == 0)
            return false;

        const bool down = key->type() == QEvent::KeyPress;
        keysDown[VK_SHIFT] = key->modifiers() & Qt::ShiftModifier;
        keysDown[VK_CONTROL] = key->modifiers() & Qt::ControlModifier;
        keysDown[VK_MENU] = key->modifiers() & Qt::AltModifier;
        const HookOutcome outcome =
            CallKeyboardHooks(HC_ACTION, WPARAM(vk), KeystrokeFlagsOf(*key));
        keysDown[std::size_t(vk) & 0xFF] = down;
        if (!outcome.delivered || outcome.key == 0)
            return true;
        if (outcome.key == WPARAM(vk))
            return false;

        // Another key goes on in place of this one.
        const auto replacement = replacementEvent(*key, int(outcome.key & 0xFFFF));
        const QKeyEvent *outer = mInjected;
        mInjected = replacement.get();
        QCoreApplication::sendEvent(receiver, replacement.get());
        mInjected = outer;
        return true;
    }

private:
    bool continuesLastKeystroke(QObject *receiver, const QKeyEvent &key) const
    {
        if (&key != mLast.event || key.type() != mLast.type || key.key() != mLast.key ||
            key.modifiers() != mLast.modifiers || key.nativeScanCode() != mLast.scanCode ||
            key.isAutoRepeat() != mLast.autoRepeat || key.timestamp() != mLast.timestamp)
            return false;
        if (!receiver->isWidgetType())
            return false;
        // From the window to its focus widget, or from a widget to its parent.
        if (qobject_cast<QWindow *>(mLast.receiver.data()))
            return true;
        return mLast.receiver && mLast.receiver->isWidgetType() &&
               receiver == mLast.receiver->parent();
    }

    void remember(QObject *receiver, const QKeyEvent &key)
    {
        mLast = {&key,
                 key.type(),
                 key.key(),
                 key.modifiers(),
                 key.nativeScanCode(),
                 key.isAutoRepeat(),
                 key.timestamp(),
                 receiver};
    }

    struct LastKeystroke
    {
        const QKeyEvent *event = nullptr;
        QEvent::Type type = QEvent::None;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode = 0;
        bool autoRepeat = false;
        quint64 timestamp = 0;
        QPointer<QObject> receiver;
    };

    LastKeystroke mLast;
    const QKeyEvent *mInjected = nullptr;
};

QPointer<KeyFilter> filter;

void attachFilter()
{
    if (!filter) {
        filter = new KeyFilter;
        filter->setParent(QCoreApplication::instance());
    }
    QCoreApplication::instance()->installEventFilter(filter);
}

void detachFilter()
{
    if (filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(filter);
}

LRESULT callNext(ChainRun &run, int code, WPARAM wParam, LPARAM lParam)
{
    while (run.next < run.hooks.size()) {
        const std::shared_ptr<HookRecord> hook = run.hooks[run.next++];
        if (!hook->removed)
            return hook->proc(code, wParam, lParam);
    }
    run.reachedEnd = true;
    run.finalKey = wParam;
    return 0;
}

} // namespace

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, void * /*module*/, DWORD threadId)
{
    if (idHook != WH_KEYBOARD || !proc || threadId != GetCurrentThreadId() || !onUiThread())
        return nullptr;
    auto record = std::make_shared<HookRecord>();
    record->proc = proc;
    chain.insert(chain.begin(), record);
    attachFilter();
    return record.get();
}

bool UnhookWindowsHookEx(HHOOK hook)
{
    const auto it = std::find_if(chain.begin(), chain.end(),
                                 [hook](const auto &record) { return record.get() == hook; });
    if (!hook || it == chain.end())
        return false;
    (*it)->removed = true;
    chain.erase(it);
    if (chain.empty())
        detachFilter();
    return true;
}

LRESULT CallNextHookEx(HHOOK /*hook*/, int code, WPARAM wParam, LPARAM lParam)
{
    if (runs.empty())
        return 0;
    return callNext(*runs.back(), code, wParam, lParam);
}

std::int16_t GetKeyState(int virtualKey)
{
    // The left and right variants read the generic modifier.
    switch (virtualKey) {
    case 0xA0:
    case 0xA1:
        virtualKey = VK_SHIFT;
        break;
    case 0xA2:
    case 0xA3:
        virtualKey = VK_CONTROL;
        break;
    case 0xA4:
    case 0xA5:
        virtualKey = VK_MENU;
        break;
    default:
        break;
    }
    const bool down = virtualKey >= 0 && virtualKey < 256 && keysDown[std::size_t(virtualKey)];
    return down ? std::int16_t(0x8000) : std::int16_t(0);
}

DWORD GetCurrentThreadId()
{
    static std::atomic<DWORD> nextId{1};
    thread_local const DWORD id = nextId++;
    return id;
}

HookOutcome CallKeyboardHooks(int code, WPARAM wParam, LPARAM lParam)
{
    ChainRun run;
    run.hooks = chain;
    runs.push_back(&run);
    HookOutcome outcome;
    outcome.result = callNext(run, code, wParam, lParam);
    runs.pop_back();
    outcome.delivered = outcome.result == 0;
    outcome.key = run.reachedEnd ? run.finalKey : wParam;
    return outcome;
}

void SetKeyState(int virtualKey, bool down)
{
    if (virtualKey >= 0 && virtualKey < 256)
        keysDown[std::size_t(virtualKey)] = down;
}

int VirtualKeyOf(const QKeyEvent &event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return VK_NUMPAD0 + (key - Qt::Key_0);
        if (const int vk = lookUp(keypadKeys, key))
            return vk;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    if (const int vk = lookUp(fixedKeys, key))
        return vk;
    // Shifted digits, symbols and letters of other scripts: the key's place.
    const quint32 scan = event.nativeScanCode();
    if (scan >= XkbOffset) {
        if (const int vk = mainBlockKeyOfEvdev(scan - XkbOffset))
            return vk;
    }
    return lookUp(symbolKeys, key);
}

LPARAM KeystrokeFlagsOf(const QKeyEvent &event)
{
    const bool release = event.type() == QEvent::KeyRelease;
    LPARAM flags = std::clamp(event.count(), 1, 0xFFFF);
    const quint32 scan = event.nativeScanCode();
    if (scan >= XkbOffset)
        flags |= LPARAM((scan - XkbOffset) & 0xFF) << 16;
    if ((event.modifiers() & Qt::AltModifier) || (!release && event.key() == Qt::Key_Alt))
        flags |= KF_CONTEXT;
    if (release || event.isAutoRepeat())
        flags |= KF_PREVIOUS;
    if (release)
        flags |= KF_UP;
    return flags;
}

} // namespace platform
