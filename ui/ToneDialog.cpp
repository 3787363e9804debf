#include "ui/ToneDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace plovan {
namespace {

// The ranges of PrintSettings.h's Tone.
constexpr int kToneLimit = 100; // brightness and contrast, either way
constexpr int kLeastGamma = 10; // hundredths
constexpr int kMostGamma = 1000;
constexpr int kNeutralGamma = 100;

QSlider *toneSlider(QWidget *parent, const char *name, const QString &accessibleName, int minimum, int maximum)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setAccessibleName(accessibleName);
    slider->setRange(minimum, maximum);
    // The canvases follow the thumb as it moves.
    slider->setTracking(true);
    slider->setMinimumWidth(240);
    return slider;
}

// The numbers are taken when typed in full (Return, Tab, or the arrows), not digit by digit:
// "-50" is never -5 for a moment.
void takeWholeNumbers(QAbstractSpinBox *field, const char *name, const QString &accessibleName)
{
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setKeyboardTracking(false);
    field->setAlignment(Qt::AlignRight);
}

} // namespace

ToneDialog::ToneDialog(const Tone &tone, QWidget *parent) : QDialog(parent), tone_(tone)
{
    setObjectName(QStringLiteral("ToneDialog"));
    setWindowTitle(tr("Adjust Tone"));
    // The numbers as plovan-cli takes them ("1.50"), in every language.
    setLocale(QLocale::c());

    auto *grid = new QGridLayout;
    const auto addRow = [&](int row, const QString &text, QSlider *slider, QAbstractSpinBox *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(field, row, 2);
    };

    brightnessSlider_ = toneSlider(this, "ToneBrightnessSlider", tr("Brightness"), -kToneLimit, kToneLimit);
    brightnessSlider_->setPageStep(10);
    brightness_ = new QSpinBox(this);
    takeWholeNumbers(brightness_, "ToneBrightness", tr("Brightness"));
    brightness_->setRange(-kToneLimit, kToneLimit);
    addRow(0, tr("&Brightness:"), brightnessSlider_, brightness_);

    contrastSlider_ = toneSlider(this, "ToneContrastSlider", tr("Contrast"), -kToneLimit, kToneLimit);
    contrastSlider_->setPageStep(10);
    contrast_ = new QSpinBox(this);
    takeWholeNumbers(contrast_, "ToneContrast", tr("Contrast"));
    contrast_->setRange(-kToneLimit, kToneLimit);
    // "&Contrast" would share its letter with Cancel.
    addRow(1, tr("Co&ntrast:"), contrastSlider_, contrast_);

    gammaSlider_ = toneSlider(this, "ToneGammaSlider", tr("Gamma"), 0, kGammaPositions);
    // An arrow key moves the gamma by about 2.3 %, Page Up and Page Down by about 26 %.
    gammaSlider_->setSingleStep(10);
    gammaSlider_->setPageStep(100);
    gamma_ = new QDoubleSpinBox(this);
    takeWholeNumbers(gamma_, "ToneGamma", tr("Gamma"));
    gamma_->setDecimals(2);
    gamma_->setRange(kLeastGamma / 100.0, kMostGamma / 100.0);
    gamma_->setSingleStep(0.01);
    addRow(2, tr("&Gamma:"), gammaSlider_, gamma_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset, this);
    buttons->setObjectName(QStringLiteral("ToneButtons"));
    reset_ = buttons->button(QDialogButtonBox::Reset);
    reset_->setObjectName(QStringLiteral("ToneReset"));
    reset_->setText(tr("&Reset"));
    // Return is OK even with the focus on Reset, where Tab from the last number takes it:
    // a number typed, Tab and Return must not throw the numbers away. Space presses Reset.
    reset_->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    showTone(tone_);

    connect(brightnessSlider_, &QSlider::valueChanged, this, [this](int value) {
        Tone wanted = tone_;
        wanted.brightness = value;
        want(wanted);
    });
    connect(brightness_, &QSpinBox::valueChanged, this, [this](int value) {
        Tone wanted = tone_;
        wanted.brightness = value;
        want(wanted);
    });
    connect(contrastSlider_, &QSlider::valueChanged, this, [this](int value) {
        Tone wanted = tone_;
        wanted.contrast = value;
        want(wanted);
    });
    connect(contrast_, &QSpinBox::valueChanged, this, [this](int value) {
        Tone wanted = tone_;
        wanted.contrast = value;
        want(wanted);
    });
    connect(gammaSlider_, &QSlider::valueChanged, this, [this](int position) {
        Tone wanted = tone_;
        wanted.gammaHundredths = gammaAt(position);
        want(wanted);
    });
    connect(gamma_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        Tone wanted = tone_;
        wanted.gammaHundredths = std::clamp(int(std::lround(value * 100)), kLeastGamma, kMostGamma);
        want(wanted);
    });
    connect(reset_, &QPushButton::clicked, this, [this] { want(Tone{}); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ToneDialog::~ToneDialog() = default;

int ToneDialog::gammaAt(int position)
{
    const double gamma = std::pow(10.0, double(position) / (kGammaPositions / 2) - 1);
    return std::clamp(int(std::lround(gamma * 100)), kLeastGamma, kMostGamma);
}

int ToneDialog::gammaPosition(int hundredths)
{
    const double position = (std::log10(hundredths / 100.0) + 1) * (kGammaPositions / 2);
    return std::clamp(int(std::lround(position)), 0, kGammaPositions);
}

void ToneDialog::showTone(const Tone &tone)
{
    tone_ = tone;
    const QSignalBlocker blockers[] = {QSignalBlocker(brightnessSlider_), QSignalBlocker(brightness_),
                                       QSignalBlocker(contrastSlider_),   QSignalBlocker(contrast_),
                                       QSignalBlocker(gammaSlider_),      QSignalBlocker(gamma_)};
    brightnessSlider_->setValue(tone.brightness);
    brightness_->setValue(tone.brightness);
    contrastSlider_->setValue(tone.contrast);
    contrast_->setValue(tone.contrast);
    // A slider already at a position of this gamma stays there: many positions near 0.10
    // share a hundredth, and one under the user's hand must not be moved from it.
    if (gammaAt(gammaSlider_->value()) != tone.gammaHundredths)
        gammaSlider_->setValue(gammaPosition(tone.gammaHundredths));
    gamma_->setValue(tone.gammaHundredths / 100.0);
    reset_->setEnabled(!tone.isIdentity());
}

void ToneDialog::want(const Tone &tone)
{
    if (tone == tone_)
        return;
    // Shown at once, so the slider and its number agree while the window takes the tone.
    showTone(tone);
    Q_EMIT toneWanted(tone);
}

} // namespace plovan
