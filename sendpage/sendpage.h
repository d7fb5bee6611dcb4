#pragma once

#include "sending/promptgenerator.h"
#include "sending/sendingsession.h"
#include "sendpage/keysound.h"
#include "sendpage/sendsettings.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <memory>

class AjustesPrincipais;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace record {
class Record;
}

namespace sending {

class KeyArea;
class KeySetup;
class SendFeedback;
class SerialKey;
class SerialLines;

// Sending practice: the learner chooses his key, is given a prompt (the
// course's characters, words of them, or his callsign) and sends it; the
// decoded text and his speed appear as he keys, the sidetone sounds at the
// main window's tone, and Done (or Enter) shows each character right or
// wrong with his timing, and stores the sending in the record.
//
// The keyboard keys keep keying whatever becomes of a serial key, whose
// faults are said on the page.
class SendPage : public QWidget
{
    Q_OBJECT

public:
    using LinesFactory = std::function<std::unique_ptr<SerialLines>()>;

    // main gives the tone (may be null); record is not owned (may be null:
    // nothing is stored). sound defaults to the sound device's sidetone,
    // lines to the real serial ports.
    SendPage(const AjustesPrincipais *main, record::Record *record, QWidget *parent = nullptr,
             std::unique_ptr<KeySound> sound = {}, const LinesFactory &lines = {});
    ~SendPage() override;
    Q_DISABLE_COPY_MOVE(SendPage)

    const SendSettings &settings() const { return current; }
    SendingSession &session() { return sending; }
    // Tests: the clock keys and events are timed on, and a fixed seed.
    void setClock(const std::function<KeyTime()> &clock);
    void setSeed(quint32 seed) { prompts = PromptGenerator(seed); }

    // A fresh prompt, and the sending starts over.
    void newPrompt();
    // Judges what was sent, shows it and stores it; false when nothing was
    // keyed.
    bool finish();

    KeySetup *setup = nullptr;
    QComboBox *promptKind = nullptr;
    QLineEdit *callsign = nullptr;
    QLabel *prompt = nullptr;
    KeyArea *keyArea = nullptr;
    QLabel *decoded = nullptr;
    QLabel *speed = nullptr;
    QLabel *message = nullptr;
    QPushButton *newButton = nullptr;
    QPushButton *doneButton = nullptr;
    SendFeedback *feedback = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void build();
    void retranslate();
    void settingsChanged();
    void applyKey();
    void save();
    void onEdge(const KeyEdge &edge);
    QString keyHint() const;

    const AjustesPrincipais *main;
    record::Record *record;
    std::unique_ptr<KeySound> sound;
    SerialKey *serial = nullptr;
    SendingSession sending;
    PromptGenerator prompts;
    SendSettings current;
    std::function<KeyTime()> clock;
    QDateTime started;
    QString text;
    bool keyedAny = false;
    QLabel *promptKindLabel = nullptr;
    QLabel *callsignLabel = nullptr;
    QLabel *keyAreaLabel = nullptr;
    QLabel *decodedLabel = nullptr;
};

} // namespace sending
