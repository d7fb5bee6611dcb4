#include "reception/tmanagerslist.h"

#include "reception/thotkeymanager.h"

using namespace platform;

TManagersList *ManagersList = nullptr;
HHOOK HookHandle = nullptr;

TManagersList::TManagersList()
{
    HookHandle = nullptr;
}

TManagersList::~TManagersList()
{
    if (HookHandle) {
        UnhookWindowsHookEx(HookHandle);
        HookHandle = nullptr;
    }
}

void TManagersList::AddManager(THotKeyManager *m)
{
    FItems.append(m);
    UpdateHook(false);
}

void TManagersList::RemoveManager(THotKeyManager *m)
{
    FItems.removeAt(FItems.indexOf(m));
    UpdateHook(false);
}

void TManagersList::UpdateHook(bool Force)
{
    bool Need = Force;
    if (!Need) {
        for (const THotKeyManager *m : std::as_const(FItems)) {
            if (m->Enabled() && (m->OnKeyDown() || m->OnKeyUp())) {
                Need = true;
                break;
            }
        }
    }
    if (Need && !HookHandle) {
        // A failed install leaves null behind; the next need tries again.
        HookHandle =
            SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, nullptr, GetCurrentThreadId());
    } else if (!Need && HookHandle) {
        UnhookWindowsHookEx(HookHandle);
        HookHandle = nullptr;
    }
}

LRESULT KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION)
        return CallNextHookEx(HookHandle, code, wParam, lParam);

    TShiftState Shift;
    if (GetKeyState(VK_SHIFT) < 0)
        Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        Shift |= ssCtrl;
    if (lParam & KF_CONTEXT)
        Shift |= ssAlt;
    quint16 Key = quint16(wParam & 0xFFFF);
    const bool released = lParam & KF_UP;

    const int n = ManagersList ? ManagersList->Count() : 0;
    for (int i = 0; i < n; ++i) {
        // A handler may create or destroy managers: never step past the list
        // as it stands now.
        if (!ManagersList || i >= ManagersList->Count())
            break;
        THotKeyManager *m = ManagersList->Items(i);
        if (!m->Enabled() || !m->Addressed())
            continue;
        // A copy, so that a handler may destroy its own manager.
        const TKeyEvent handler = released ? m->OnKeyUp() : m->OnKeyDown();
        if (handler)
            handler(m, Key, Shift);
    }

    if (Key == 0)
        return 1;
    return CallNextHookEx(HookHandle, code, WPARAM(Key), lParam);
}
