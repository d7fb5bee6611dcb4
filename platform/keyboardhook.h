#pragma once

#include <cstdint>

class QKeyEvent;

// A thread-local keyboard hook chain for the user-interface thread, written
// against the calls of the classic hook service. One application-wide event
// filter, installed while any hook exists, hands every key press and release
// to the chain once, before the focused widget sees it, as a virtual-key code
// (wParam) and the keystroke flags (lParam):
//   bits 0-15  repeat count
//   bits 16-23 scan code (the evdev code where the platform reports one)
//   bit 29     context code: Alt is held
//   bit 30     previous key state: 1 for releases and auto-repeats
//   bit 31     transition state: 0 going down, 1 being released
// Auto-repeat reaches the chain as further downs without ups, as on the
// original platform. A hook that returns non-zero swallows the keystroke;
// a key code passed on to the end of the chain in place of the original is
// what the target widget receives.
namespace platform {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD = std::uint32_t;

struct HookRecord;
using HHOOK = HookRecord *;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_KEYBOARD = 2;
inline constexpr int HC_ACTION = 0;
inline constexpr int HC_NOREMOVE = 3;

// Virtual-key codes the translation produces (letters and main-row digits are
// their ASCII capitals, 'A' = 65, '0' = 48).
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_SNAPSHOT = 0x2C;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_LWIN = 0x5B;
inline constexpr int VK_APPS = 0x5D;
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F24 = 0x87;
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;
inline constexpr int VK_OEM_1 = 0xBA;      // ;:
inline constexpr int VK_OEM_PLUS = 0xBB;   // =+
inline constexpr int VK_OEM_COMMA = 0xBC;  // ,<
inline constexpr int VK_OEM_MINUS = 0xBD;  // -_
inline constexpr int VK_OEM_PERIOD = 0xBE; // .>
inline constexpr int VK_OEM_2 = 0xBF;      // /?
inline constexpr int VK_OEM_3 = 0xC0;      // `~
inline constexpr int VK_OEM_4 = 0xDB;      // [{
inline constexpr int VK_OEM_5 = 0xDC;      // \|
inline constexpr int VK_OEM_6 = 0xDD;      // ]}
inline constexpr int VK_OEM_7 = 0xDE;      // '"
inline constexpr int VK_OEM_102 = 0xE2;    // the extra key beside left Shift

inline constexpr LPARAM KF_CONTEXT = LPARAM(1) << 29;
inline constexpr LPARAM KF_PREVIOUS = LPARAM(1) << 30;
inline constexpr LPARAM KF_UP = LPARAM(1) << 31;

// Installs hook procedure proc at the head of the chain of thread threadId.
// Only WH_KEYBOARD hooks of the calling thread are served, and only on the
// thread of a running application; anything else fails and returns null.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, void *module, DWORD threadId);

// Removes a hook; false for a handle that is not installed. A hook removed
// while a keystroke is on its way through the chain is skipped from then on.
bool UnhookWindowsHookEx(HHOOK hook);

// Hands the keystroke to the next hook of the chain being run and returns its
// result; past the last hook, the keystroke goes to its target with wParam as
// its key code and the result is 0. As on the original platform the handle
// is not needed to find the next hook, so a null handle is harmless. Outside
// a run of the chain it does nothing and returns 0.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Negative while the key is down, as far as the keystrokes taken so far tell.
// Shift, Control and Alt follow the modifiers of the last keystroke.
std::int16_t GetKeyState(int virtualKey);

// A small number naming the calling thread.
DWORD GetCurrentThreadId();

// What became of one keystroke handed to the chain.
struct HookOutcome
{
    LRESULT result = 0;    // the head hook's result
    bool delivered = true; // false: a hook swallowed it
    WPARAM key = 0;        // the key code the target receives
};

// Runs the calling thread's chain for one keystroke, as the message loop does
// for each key message it takes. The event filter calls this; tests feed
// keystrokes through it directly.
HookOutcome CallKeyboardHooks(int code, WPARAM wParam, LPARAM lParam);

// Records a key as held or released for GetKeyState. The event filter keeps
// this up to date; tests use it to hold keys without a window.
void SetKeyState(int virtualKey, bool down);

// The virtual-key code of a Qt key event: the key's, not the typed
// character's; 0 for a key with no code.
int VirtualKeyOf(const QKeyEvent &event);

// The keystroke flags of a Qt key event.
LPARAM KeystrokeFlagsOf(const QKeyEvent &event);

} // namespace platform
