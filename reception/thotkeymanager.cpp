#include "reception/thotkeymanager.h"

#include "reception/tmanagerslist.h"

#include <QApplication>
#include <QWidget>

THotKeyManager::THotKeyManager(QObject *Owner) : QObject(Owner)
{
    if (!ManagersList)
        ManagersList = new TManagersList;
    ManagersList->AddManager(this);
}

THotKeyManager::~THotKeyManager()
{
    if (!ManagersList)
        return;
    ManagersList->RemoveManager(this);
    if (ManagersList->Count() == 0) {
        delete ManagersList;
        ManagersList = nullptr;
    }
}

void THotKeyManager::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (ManagersList)
        ManagersList->UpdateHook(Value);
}

void THotKeyManager::Loaded()
{
    if (ManagersList)
        ManagersList->UpdateHook(FEnabled);
}

bool THotKeyManager::Addressed() const
{
    if (FAppGlobal)
        return true;
    const auto *owner = qobject_cast<const QWidget *>(Owner());
    return owner && QApplication::activeWindow() == owner->window();
}
