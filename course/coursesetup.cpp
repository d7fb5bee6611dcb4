#include "course/coursesetup.h"

#include "course/coursesettings.h"
#include "course/groupgenerator.h"
#include "morse/trainerscale.h"
#include "settings/ajustesprincipais.h"
#include "translations/translations.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace course {
namespace {

QString Number(double value)
{
    return QLocale(Translations::code(Translations::current())).toString(value, 'f', 1);
}

QLabel *Label(QWidget *parent, QWidget *buddy)
{
    auto *label = new QLabel(parent);
    label->setBuddy(buddy);
    return label;
}

// Buttons answer Space, as buttons do; Enter belongs to the fields.
QPushButton *Button(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setAutoDefault(false);
    return button;
}

QString OrderHelp()
{
    return CourseSetup::tr(
        "The characters in the order they are learnt; prosigns in angle brackets, like <AR>.");
}

void Select(QComboBox *box, int data)
{
    const int index = box->findData(data);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

CourseSetup::CourseSetup(CourseSettings &settings, const AjustesPrincipais *main, QWidget *parent)
    : QWidget(parent), current(settings), main(main)
{
    build();
    retranslate();
    showSettings();
}

// Created in the order of the tab chain.
void CourseSetup::build()
{
    lessonGroup = new QGroupBox(this);
    lessonBox = new QComboBox(lessonGroup);
    lessonLabel = Label(lessonGroup, lessonBox);
    lessonInfo = new QLabel(lessonGroup);
    lessonInfo->setWordWrap(true);
    orderEdit = new QLineEdit(lessonGroup);
    orderLabel = Label(lessonGroup, orderEdit);
    orderApply = Button(lessonGroup);
    orderDefault = Button(lessonGroup);
    orderError = new QLabel(lessonGroup);
    orderError->setWordWrap(true);
    orderError->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    orderError->hide();
    auto *orderButtons = new QHBoxLayout;
    orderButtons->addWidget(orderApply);
    orderButtons->addWidget(orderDefault);
    orderButtons->addStretch(1);
    auto *lessonForm = new QFormLayout(lessonGroup);
    lessonForm->addRow(lessonLabel, lessonBox);
    lessonForm->addRow(lessonInfo);
    lessonForm->addRow(orderLabel, orderEdit);
    lessonForm->addRow(QString(), orderButtons);
    lessonForm->addRow(orderError);

    speedGroup = new QGroupBox(this);
    charSpeed = new QSpinBox(speedGroup);
    charSpeed->setRange(CourseSettings::MinCharWpm, CourseSettings::MaxCharWpm);
    charSpeedLabel = Label(speedGroup, charSpeed);
    effectiveSpeed = new QSpinBox(speedGroup);
    effectiveSpeed->setRange(CourseSettings::MinEffectiveWpm, CourseSettings::MaxCharWpm);
    effectiveSpeedLabel = Label(speedGroup, effectiveSpeed);
    groupSize = new QComboBox(speedGroup);
    groupSizeLabel = Label(speedGroup, groupSize);
    duration = new QComboBox(speedGroup);
    durationLabel = Label(speedGroup, duration);
    threshold = new QSpinBox(speedGroup);
    threshold->setRange(CourseSettings::MinThreshold, CourseSettings::MaxThreshold);
    thresholdLabel = Label(speedGroup, threshold);
    scaleNote = new QLabel(speedGroup);
    scaleNote->setWordWrap(true);
    auto *speedForm = new QFormLayout(speedGroup);
    speedForm->addRow(charSpeedLabel, charSpeed);
    speedForm->addRow(effectiveSpeedLabel, effectiveSpeed);
    speedForm->addRow(groupSizeLabel, groupSize);
    speedForm->addRow(durationLabel, duration);
    speedForm->addRow(thresholdLabel, threshold);
    speedForm->addRow(scaleNote);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lessonGroup, 1);
    layout->addWidget(speedGroup, 1);

    connect(lessonBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        current.lesson = current.order.clampLesson(index + 1);
        showLessonInfo();
    });
    connect(orderApply, &QPushButton::clicked, this, [this] { applyOrder(orderEdit->text()); });
    connect(orderEdit, &QLineEdit::returnPressed, this, [this] { applyOrder(orderEdit->text()); });
    connect(orderDefault, &QPushButton::clicked, this, [this] { applyOrder(KochOrder().text()); });
    connect(charSpeed, &QSpinBox::valueChanged, this, [this](int wpm) {
        current.charWpm = wpm;
        effectiveSpeed->setMaximum(wpm);
    });
    connect(effectiveSpeed, &QSpinBox::valueChanged, this,
            [this](int wpm) { current.effectiveWpm = wpm; });
    connect(groupSize, &QComboBox::currentIndexChanged, this,
            [this] { current.groupSize = groupSize->currentData().toInt(); });
    connect(duration, &QComboBox::currentIndexChanged, this,
            [this] { current.minutes = duration->currentData().toInt(); });
    connect(threshold, &QSpinBox::valueChanged, this, [this](int p) { current.threshold = p; });
}

void CourseSetup::retranslate()
{
    lessonGroup->setTitle(tr("Lesson"));
    lessonLabel->setText(tr("&Lesson:"));
    lessonBox->setAccessibleName(tr("Lesson"));
    lessonBox->setAccessibleDescription(
        tr("Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen."));
    orderLabel->setText(tr("Koch &order:"));
    orderEdit->setAccessibleName(tr("Koch order"));
    orderEdit->setAccessibleDescription(OrderHelp());
    orderApply->setText(tr("&Use this order"));
    orderDefault->setText(tr("Stan&dard order"));
    orderDefault->setAccessibleDescription(tr("Back to the order most trainers share."));

    speedGroup->setTitle(tr("Speeds and groups"));
    charSpeedLabel->setText(tr("&Character speed:"));
    charSpeed->setAccessibleName(tr("Character speed in PARIS words per minute"));
    effectiveSpeedLabel->setText(tr("&Effective speed:"));
    effectiveSpeed->setAccessibleName(tr("Effective speed in PARIS words per minute"));
    effectiveSpeed->setAccessibleDescription(
        tr("Below the character speed, the gaps between characters and words are longer "
           "(Farnsworth); the characters keep their speed."));
    for (QSpinBox *box : {charSpeed, effectiveSpeed})
        box->setSuffix(tr(" WPM"));
    groupSizeLabel->setText(tr("&Group size:"));
    groupSize->setAccessibleName(tr("Group size"));
    durationLabel->setText(tr("Durat&ion:"));
    duration->setAccessibleName(tr("Duration of a run"));
    thresholdLabel->setText(tr("&Pass mark:"));
    threshold->setAccessibleName(tr("Pass mark"));
    threshold->setAccessibleDescription(tr("A run at least this accurate opens the next lesson."));
    threshold->setSuffix(tr(" %"));
    fillChoices();
    fillLessons();
    showScaleNote();
    // A refusal shown stays shown, in the new language.
    if (!orderError->text().isEmpty())
        applyOrder(orderEdit->text());
}

void CourseSetup::fillLessons()
{
    const QSignalBlocker blocker(lessonBox);
    lessonBox->clear();
    const KochOrder &order = current.order;
    for (int n = 1; n <= order.lastLesson(); ++n) {
        QString text = tr("Lesson %1 (+%2)").arg(n).arg(order.newCharacter(n));
        if (n < current.lessonOpen)
            text = tr("%1, passed").arg(text);
        else if (n > current.lessonOpen)
            text = tr("%1, not reached yet").arg(text);
        lessonBox->addItem(text, n);
    }
    lessonBox->setCurrentIndex(current.lesson - 1);
    showLessonInfo();
}

void CourseSetup::fillChoices()
{
    {
        const QSignalBlocker blocker(groupSize);
        groupSize->clear();
        for (int n = 1; n <= GroupGenerator::MaxSize; ++n)
            groupSize->addItem(tr("%n character(s)", nullptr, n), n);
        groupSize->addItem(tr("Mixed, %1 to %2 characters")
                               .arg(GroupGenerator::MinMixed)
                               .arg(GroupGenerator::MaxMixed),
                           GroupGenerator::Mixed);
        Select(groupSize, current.groupSize);
    }
    const QSignalBlocker blocker(duration);
    duration->clear();
    for (const int minutes : {1, 2, 5})
        duration->addItem(tr("%n minute(s)", nullptr, minutes), minutes);
    Select(duration, current.minutes);
}

void CourseSetup::showSettings()
{
    orderEdit->setText(current.order.text());
    orderEdit->setCursorPosition(0);
    fillLessons();
    const QSignalBlocker a(charSpeed), b(effectiveSpeed), c(threshold);
    charSpeed->setValue(current.charWpm);
    effectiveSpeed->setMaximum(current.charWpm);
    effectiveSpeed->setValue(current.effectiveWpm);
    threshold->setValue(current.threshold);
    Select(groupSize, current.groupSize);
    Select(duration, current.minutes);
}

void CourseSetup::showLessonInfo()
{
    const int lesson = current.lesson;
    QString info = tr("Characters: %1. New: %2.")
                       .arg(current.order.lessonCharacters(lesson).join(QLatin1Char(' ')),
                            current.order.newCharacter(lesson));
    info += QLatin1Char(' ') + tr("Runs so far: %1.").arg(current.runs.value(lesson));
    if (current.boosted(lesson))
        info += QLatin1Char(' ') + tr("In the first %n run(s) the new character comes up twice "
                                      "as often as each other.",
                                      nullptr, CourseSettings::BoostedRuns);
    lessonInfo->setText(info);
}

void CourseSetup::showScaleNote()
{
    scaleNote->setVisible(main != nullptr);
    if (!main)
        return;
    const int unit = main->UnidadeVelocidade();
    scaleNote->setText(tr("The course counts PARIS words per minute. The main window's %1 PpM is "
                          "the trainer's own scale: %2 WPM by PARIS for its characters, %3 WPM "
                          "with its longer gaps.")
                           .arg(AjustesPrincipais::PpmDaPosicao(unit))
                           .arg(Number(TrainerScale::CharacterWpm(unit)),
                                Number(TrainerScale::EffectiveWpm(unit))));
}

void CourseSetup::applyOrder(const QString &text)
{
    QString error;
    const KochOrder order = KochOrder::parse(text, &error);
    orderError->setText(error);
    orderError->setVisible(!error.isEmpty());
    orderEdit->setAccessibleDescription(error.isEmpty() ? OrderHelp() : error);
    if (!error.isEmpty()) {
        orderEdit->setFocus();
        return;
    }
    current.setOrder(order);
    orderEdit->setText(order.text());
    orderEdit->setCursorPosition(0);
    fillLessons();
    emit orderChanged();
}

void CourseSetup::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

} // namespace course
