#pragma once

#include "sendpage/sendsettings.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QSpinBox;

namespace sending {

// The learner's choice of key: straight (Space, mouse, a serial line) or
// paddles (two keyboard keys or two serial lines), the keyer's mode and
// speed, and the serial port and lines. Only what the chosen key uses is
// enabled.
class KeySetup : public QGroupBox
{
    Q_OBJECT

public:
    explicit KeySetup(QWidget *parent = nullptr);

    // Shows s; the port list is read afresh (a stored port that is not
    // there now stays listed, so the choice is kept).
    void setSettings(const SendSettings &s);
    // s with the choices made here.
    void apply(SendSettings &s) const;
    void retranslate();

    QComboBox *key = nullptr;
    QComboBox *paddleKeys = nullptr;
    QComboBox *mode = nullptr;
    QSpinBox *speed = nullptr;
    QComboBox *port = nullptr;
    QComboBox *straightLine = nullptr;
    QComboBox *dotLine = nullptr;
    QComboBox *dashLine = nullptr;

signals:
    void changed();

private:
    void enableForKey();
    static void fillLines(QComboBox *box);
    static void selectData(QComboBox *box, int value);

    QLabel *keyLabel = nullptr;
    QLabel *paddleKeysLabel = nullptr;
    QLabel *modeLabel = nullptr;
    QLabel *speedLabel = nullptr;
    QLabel *portLabel = nullptr;
    QLabel *straightLineLabel = nullptr;
    QLabel *dotLineLabel = nullptr;
    QLabel *dashLineLabel = nullptr;
};

} // namespace sending
