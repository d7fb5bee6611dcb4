#pragma once

#include "platform/keyboardhook.h"

#include <QList>

class THotKeyManager;

// The managers of the process in the order they were created, and the one
// keyboard hook they share.
class TManagersList
{
public:
    TManagersList();
    // Removes the hook if it is still installed.
    ~TManagersList();
    Q_DISABLE_COPY_MOVE(TManagersList)

    void AddManager(THotKeyManager *m);
    void RemoveManager(THotKeyManager *m);

    // Installs the hook when Force is set or some enabled manager has a
    // handler; removes it otherwise. AppGlobal plays no part.
    void UpdateHook(bool Force);

    int Count() const { return int(FItems.size()); }
    THotKeyManager *Items(int i) const { return FItems.at(i); }

private:
    QList<THotKeyManager *> FItems;
};

// Created with the first manager, destroyed with the last.
extern TManagersList *ManagersList;
// The installed hook, or null. A hook exists only while the list does.
extern platform::HHOOK HookHandle;

// Hands a keystroke to the managers in creation order: downs (auto-repeats
// included) to OnKeyDown, releases to OnKeyUp. The one Key is passed from
// handler to handler; 0 at the end swallows the keystroke, any other value
// is passed on in place of the original.
platform::LRESULT KeyboardHookProc(int code, platform::WPARAM wParam, platform::LPARAM lParam);
