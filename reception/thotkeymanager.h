#pragma once

#include <QFlags>
#include <QObject>
#include <functional>

// The three members of the shift state that the key capture reports.
enum TShiftStateItem : unsigned
{
    ssShift = 0x1,
    ssAlt = 0x2,
    ssCtrl = 0x4
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

// A key event handler: Key is the virtual-key code, which the handler may
// replace; 0 swallows the keystroke.
using TKeyEvent = std::function<void(QObject *Sender, quint16 &Key, TShiftState Shift)>;

// Hears every keystroke of the user-interface thread before the focused
// widget does. All managers share one keyboard hook, which exists only while
// some manager needs it. The owner is the window the manager belongs to.
class THotKeyManager : public QObject
{
public:
    explicit THotKeyManager(QObject *Owner);
    ~THotKeyManager() override;
    Q_DISABLE_COPY_MOVE(THotKeyManager)

    QObject *Owner() const { return parent(); }

    // Switching on installs the hook even without handlers; switching off
    // removes it unless another enabled manager has a handler.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // Off: keys are heard only while the owner's window is the active one.
    bool AppGlobal() const { return FAppGlobal; }
    void SetAppGlobal(bool Value) { FAppGlobal = Value; }

    // Assigning a handler alone leaves the hook as it is; it follows at the
    // next change of Enabled, creation, destruction or load.
    const TKeyEvent &OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
    const TKeyEvent &OnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }

    // Called by the owner once it has set the manager's properties up.
    void Loaded();

    // Whether a keystroke taken now is meant for this manager.
    bool Addressed() const;

private:
    bool FEnabled = true;
    bool FAppGlobal = false;
    TKeyEvent FOnKeyDown;
    TKeyEvent FOnKeyUp;
};
