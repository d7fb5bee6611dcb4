#include "sendpage/keysetup.h"

#include "sending/serialkey.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace sending {

KeySetup::KeySetup(QWidget *parent) : QGroupBox(parent)
{
    auto *form = new QFormLayout(this);
    auto add = [this, form](QLabel *&label, QWidget *field) {
        label = new QLabel(this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    key = new QComboBox(this);
    for (int i = 0; i <= int(SendSettings::Key::SerialPaddles); ++i)
        key->addItem(QString(), i);
    add(keyLabel, key);
    paddleKeys = new QComboBox(this);
    paddleKeys->addItem(QString(), int(SendSettings::PaddlePair::Ctrl));
    paddleKeys->addItem(QString(), int(SendSettings::PaddlePair::ZX));
    add(paddleKeysLabel, paddleKeys);
    mode = new QComboBox(this);
    mode->addItem(QString(), 0);
    mode->addItem(QString(), 1);
    add(modeLabel, mode);
    speed = new QSpinBox(this);
    speed->setRange(SendSettings::MinWpm, SendSettings::MaxWpm);
    add(speedLabel, speed);
    port = new QComboBox(this);
    add(portLabel, port);
    straightLine = new QComboBox(this);
    dotLine = new QComboBox(this);
    dashLine = new QComboBox(this);
    for (QComboBox *box : {straightLine, dotLine, dashLine})
        fillLines(box);
    add(straightLineLabel, straightLine);
    add(dotLineLabel, dotLine);
    add(dashLineLabel, dashLine);
    retranslate();

    for (QComboBox *box : {key, paddleKeys, mode, port, straightLine, dotLine, dashLine})
        connect(box, &QComboBox::activated, this, [this] {
            enableForKey();
            emit changed();
        });
    connect(speed, &QSpinBox::valueChanged, this, &KeySetup::changed);
}

void KeySetup::fillLines(QComboBox *box)
{
    box->addItem(QStringLiteral("CTS"), int(SerialLines::Cts));
    box->addItem(QStringLiteral("DSR"), int(SerialLines::Dsr));
    box->addItem(QStringLiteral("DCD"), int(SerialLines::Dcd));
}

void KeySetup::selectData(QComboBox *box, int value)
{
    box->setCurrentIndex(qMax(0, box->findData(value)));
}

void KeySetup::retranslate()
{
    setTitle(tr("Key"));
    const QStringList keys{tr("Straight key: Space bar"),
                           tr("Straight key: left mouse button on the key area"),
                           tr("Straight key: serial port line"), tr("Paddles: two keyboard keys"),
                           tr("Paddles: two serial port lines")};
    for (int i = 0; i < keys.size(); ++i)
        key->setItemText(i, keys.at(i));
    paddleKeys->setItemText(0, tr("Left Ctrl dot, right Ctrl dash"));
    paddleKeys->setItemText(1, tr("Z dot, X dash"));
    mode->setItemText(0, tr("Iambic A"));
    mode->setItemText(1, tr("Iambic B"));
    speed->setSuffix(tr(" WPM"));
    keyLabel->setText(tr("&Key:"));
    paddleKeysLabel->setText(tr("Paddle ke&ys:"));
    modeLabel->setText(tr("Keyer &mode:"));
    speedLabel->setText(tr("K&eyer speed:"));
    portLabel->setText(tr("Serial &port:"));
    straightLineLabel->setText(tr("Key &line:"));
    dotLineLabel->setText(tr("D&ot line:"));
    dashLineLabel->setText(tr("Das&h line:"));
    key->setAccessibleName(tr("Key"));
    paddleKeys->setAccessibleName(tr("Paddle keys"));
    mode->setAccessibleName(tr("Keyer mode"));
    speed->setAccessibleName(tr("Keyer speed in words per minute"));
    port->setAccessibleName(tr("Serial port"));
    straightLine->setAccessibleName(tr("Serial line of the straight key"));
    dotLine->setAccessibleName(tr("Serial line of the dot paddle"));
    dashLine->setAccessibleName(tr("Serial line of the dash paddle"));
}

void KeySetup::setSettings(const SendSettings &s)
{
    const QSignalBlocker blockSpeed(speed);
    selectData(key, int(s.key));
    selectData(paddleKeys, int(s.paddles));
    mode->setCurrentIndex(s.modeB ? 1 : 0);
    speed->setValue(s.keyerWpm);
    port->clear();
    QStringList ports = SerialKey::portNames();
    if (!s.port.isEmpty() && !ports.contains(s.port))
        ports.prepend(s.port);
    port->addItems(ports);
    port->setCurrentIndex(qMax(0, int(ports.indexOf(s.port))));
    selectData(straightLine, int(s.straightLine));
    selectData(dotLine, int(s.dotLine));
    selectData(dashLine, int(s.dashLine));
    enableForKey();
}

void KeySetup::apply(SendSettings &s) const
{
    s.key = SendSettings::Key(key->currentData().toInt());
    s.paddles = SendSettings::PaddlePair(paddleKeys->currentData().toInt());
    s.modeB = mode->currentIndex() == 1;
    s.keyerWpm = speed->value();
    s.port = port->currentText();
    s.straightLine = SerialLines::Line(straightLine->currentData().toUInt());
    s.dotLine = SerialLines::Line(dotLine->currentData().toUInt());
    s.dashLine = SerialLines::Line(dashLine->currentData().toUInt());
}

void KeySetup::enableForKey()
{
    SendSettings s;
    apply(s);
    paddleKeys->setEnabled(s.paddlesInUse());
    mode->setEnabled(s.paddlesInUse());
    speed->setEnabled(s.paddlesInUse());
    port->setEnabled(s.serialInUse());
    straightLine->setEnabled(s.key == SendSettings::Key::SerialStraight);
    dotLine->setEnabled(s.key == SendSettings::Key::SerialPaddles);
    dashLine->setEnabled(s.key == SendSettings::Key::SerialPaddles);
}

} // namespace sending
