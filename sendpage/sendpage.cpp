#include "sendpage/sendpage.h"

#include "app/errorguard.h"
#include "course/coursesettings.h"
#include "record/record.h"
#include "sending/qtseriallines.h"
#include "sending/serialkey.h"
#include "sendpage/keyarea.h"
#include "sendpage/keysetup.h"
#include "sendpage/platformkeysound.h"
#include "sendpage/sendfeedback.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sending {
namespace {

constexpr int Groups = 5;
constexpr int Words = 5;
constexpr int CallsignRepeats = 3;

} // namespace

SendPage::SendPage(const AjustesPrincipais *main, record::Record *record, QWidget *parent,
                   std::unique_ptr<KeySound> sound, const LinesFactory &lines)
    : QWidget(parent), main(main), record(record), sound(std::move(sound))
{
    if (!this->sound)
        this->sound = std::make_unique<PlatformKeySound>();
    std::unique_ptr<SerialLines> port = lines ? lines() : std::make_unique<QtSerialLines>();
    serial = new SerialKey(std::move(port), this);
    build();
    setClock({});
    current = SendSettings::load();
    setup->setSettings(current);
    applyKey();

    connect(setup, &KeySetup::changed, this, &SendPage::settingsChanged);
    connect(promptKind, &QComboBox::activated, this, [this] {
        current.prompt = SendSettings::Prompt(promptKind->currentIndex());
        save();
        newPrompt();
    });
    connect(callsign, &QLineEdit::editingFinished, this, [this] {
        if (callsign->text() == current.callsign)
            return;
        current.callsign = callsign->text();
        save();
        if (current.prompt == SendSettings::Prompt::Callsign)
            newPrompt();
    });
    connect(newButton, &QPushButton::clicked, this, [this] {
        newPrompt();
        keyArea->setFocus();
    });
    connect(doneButton, &QPushButton::clicked, this, [this] {
        finish();
        keyArea->setFocus();
    });
    connect(keyArea, &KeyArea::pressed, &sending.key(), &KeyInput::press);
    connect(keyArea, &KeyArea::released, &sending.key(), &KeyInput::release);
    connect(serial, &SerialKey::pressed, &sending.key(), &KeyInput::press);
    connect(serial, &SerialKey::released, &sending.key(), &KeyInput::release);
    // The key area's hint says the keyboard keys on.
    connect(serial, &SerialKey::failed, message, &QLabel::setText);
    connect(&sending.key(), &KeyInput::keyed, this, &SendPage::onEdge);
    connect(&sending, &SendingSession::decoded, this, [this](const QString &t) {
        text += t;
        decoded->setText(text);
    });
    connect(&sending, &SendingSession::speedChanged, this,
            [this](double wpm) { speed->setText(tr("%1 WPM").arg(qRound(wpm))); });
}

SendPage::~SendPage()
{
    serial->stop();
}

void SendPage::build()
{
    setup = new KeySetup(this);
    promptKind = new QComboBox(this);
    for (int i = 0; i < 3; ++i)
        promptKind->addItem(QString());
    promptKindLabel = new QLabel(this);
    promptKindLabel->setBuddy(promptKind);
    callsign = new QLineEdit(this);
    callsign->setMaxLength(SendSettings::MaxText);
    callsignLabel = new QLabel(this);
    callsignLabel->setBuddy(callsign);
    auto *choices = new QFormLayout;
    choices->addRow(promptKindLabel, promptKind);
    choices->addRow(callsignLabel, callsign);

    prompt = new QLabel(this);
    QFont big = prompt->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    prompt->setFont(big);
    prompt->setWordWrap(true);
    prompt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    keyArea = new KeyArea(this);
    keyAreaLabel = new QLabel(this);
    keyAreaLabel->setWordWrap(true);
    auto *areaLayout = new QVBoxLayout(keyArea);
    areaLayout->addWidget(keyAreaLabel);
    keyAreaLabel->setAlignment(Qt::AlignCenter);
    decoded = new QLabel(this);
    decoded->setFont(big);
    decoded->setWordWrap(true);
    decodedLabel = new QLabel(this);
    speed = new QLabel(this);
    message = new QLabel(this);
    message->setWordWrap(true);
    newButton = new QPushButton(this);
    doneButton = new QPushButton(this);
    for (QPushButton *b : {newButton, doneButton})
        b->setAutoDefault(false);
    feedback = new SendFeedback(this);

    auto *top = new QHBoxLayout;
    top->addWidget(setup, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(choices);
    right->addWidget(prompt);
    right->addStretch();
    top->addLayout(right, 1);
    auto *heard = new QHBoxLayout;
    heard->addWidget(decodedLabel);
    heard->addWidget(decoded, 1);
    heard->addWidget(speed);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(message, 1);
    buttons->addWidget(newButton);
    buttons->addWidget(doneButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(keyArea);
    layout->addLayout(heard);
    layout->addLayout(buttons);
    layout->addWidget(feedback, 1);
    retranslate();
}

void SendPage::retranslate()
{
    setWindowTitle(tr("Send"));
    setup->retranslate();
    promptKind->setItemText(0, tr("The course's characters"));
    promptKind->setItemText(1, tr("Words of the course's characters"));
    promptKind->setItemText(2, tr("My callsign"));
    promptKindLabel->setText(tr("&Send:"));
    promptKind->setAccessibleName(tr("What to send"));
    callsignLabel->setText(tr("&Callsign:"));
    callsign->setAccessibleName(tr("Your callsign"));
    prompt->setAccessibleName(tr("Text to send"));
    keyArea->setAccessibleName(tr("Key area"));
    keyArea->setAccessibleDescription(keyHint());
    keyAreaLabel->setText(keyHint());
    decodedLabel->setText(tr("Decoded:"));
    decoded->setAccessibleName(tr("Decoded text"));
    speed->setAccessibleName(tr("Your speed"));
    message->setAccessibleName(tr("Message"));
    newButton->setText(tr("&New text"));
    doneButton->setText(tr("&Done"));
    doneButton->setAccessibleDescription(tr("Shows how you sent the text and keeps it. Enter "
                                            "does the same."));
    feedback->retranslate();
}

QString SendPage::keyHint() const
{
    switch (current.key) {
    case SendSettings::Key::Space:
        return tr("Click here or tab here, then key with the Space bar.");
    case SendSettings::Key::Mouse:
        return tr("Key with the left mouse button here.");
    case SendSettings::Key::SerialStraight:
        return tr("Key with the serial key, or with the Space bar while this area has the focus.");
    case SendSettings::Key::PaddleKeys:
    case SendSettings::Key::SerialPaddles:
        break;
    }
    return current.paddles == SendSettings::PaddlePair::ZX
               ? tr("Key the paddles with Z (dot) and X (dash) while this area has the focus.")
               : tr("Key the paddles with left Ctrl (dot) and right Ctrl (dash) while this area "
                    "has the focus.");
}

void SendPage::setClock(const std::function<KeyTime()> &c)
{
    clock = c ? c : std::function<KeyTime()>([] { return std::chrono::steady_clock::now(); });
    keyArea->clock().setNow(clock);
    sending.key().setClock(clock);
}

void SendPage::save()
{
    ComGuarda(this, [this] { current.save(); });
}

void SendPage::settingsChanged()
{
    setup->apply(current);
    save();
    applyKey();
}

void SendPage::applyKey()
{
    KeyInput &key = sending.key();
    key.setKind(current.paddlesInUse() ? KeyInput::Kind::Paddles : KeyInput::Kind::Straight);
    key.keyer().setMode(current.modeB ? IambicKeyer::Mode::B : IambicKeyer::Mode::A);
    key.keyer().setWpm(current.keyerWpm);
    keyArea->setKey(current.key, current.paddles);
    promptKind->setCurrentIndex(int(current.prompt));
    callsign->setText(current.callsign);
    keyAreaLabel->setText(keyHint());
    keyArea->setAccessibleDescription(keyHint());
    serial->stop();
    message->clear();
    if (!isVisible() || !current.serialInUse())
        return;
    if (current.port.isEmpty()) {
        message->setText(tr("No serial port was found."));
        return;
    }
    if (current.key == SendSettings::Key::SerialStraight)
        serial->startStraight(current.port, current.straightLine);
    else
        serial->startPaddles(current.port, current.dotLine, current.dashLine);
}

void SendPage::newPrompt()
{
    const course::CourseSettings course = course::CourseSettings::load();
    const QStringList characters = course.order.lessonCharacters(course.lesson);
    QString p;
    switch (current.prompt) {
    case SendSettings::Prompt::Characters:
        p = prompts.characters(characters, Groups);
        break;
    case SendSettings::Prompt::Words:
        p = prompts.words(characters, Words);
        break;
    case SendSettings::Prompt::Callsign:
        p = prompts.callsign(current.callsign, CallsignRepeats);
        if (p.isEmpty())
            message->setText(tr("Type your callsign to send it."));
        break;
    }
    prompt->setText(p);
    text.clear();
    decoded->clear();
    speed->clear();
    keyedAny = false;
    sending.key().releaseAll(clock());
    sending.key().drain();
    sending.start(p, current.paddlesInUse() ? current.keyerWpm : current.lastWpm);
}

bool SendPage::finish()
{
    if (!keyedAny)
        return false;
    const SendingResult result = sending.finish(clock());
    feedback->showResult(result);
    if (result.wpm > 0) {
        current.lastWpm = qBound(5, qRound(result.wpm), 60);
        save();
    }
    if (record != nullptr && !sending.prompt().isEmpty()) {
        record::Run run;
        run.when = started;
        run.kind = record::Kind::Sending;
        run.charWpm = result.wpm;
        run.effectiveWpm = result.wpm;
        run.sent = sending.prompt();
        run.typed = result.decoded;
        run.accuracy = result.accuracy * 100;
        run.answers = result.answers(started);
        record->store(run);
    }
    newPrompt();
    return true;
}

void SendPage::onEdge(const KeyEdge &edge)
{
    sound->key(edge);
    keyArea->setDown(edge.down);
    if (edge.down && !keyedAny) {
        keyedAny = true;
        started = QDateTime::currentDateTimeUtc();
    }
}

void SendPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    current = SendSettings::load();
    setup->setSettings(current);
    setup->apply(current); // a port list that changed may have moved the choice
    applyKey();
    if (!sound->prepare(main))
        message->setText(tr("The sidetone cannot be played."));
    newPrompt();
    keyArea->setFocus();
}

void SendPage::hideEvent(QHideEvent *event)
{
    serial->stop();
    sending.key().releaseAll(clock());
    sending.key().drain();
    QWidget::hideEvent(event);
}

void SendPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SendPage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        finish();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace sending
