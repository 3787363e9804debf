#pragma once

#include "conversion/PrintSettings.h"

#include <QDialog>

class QDoubleSpinBox;
class QPushButton;
class QSlider;
class QSpinBox;

namespace plovan {

// "Adjust Tone": brightness and contrast, -100 to 100, and gamma, 0.10 to 10.00 in
// hundredths, each a slider with the number beside it, the two kept in step; "Reset" (0, 0,
// 1.00), OK and Cancel. Like the Image menu it only shows a tone and asks for one: every
// change of a control sends the tone wanted, and the window answers with showTone(), with
// that tone once taken or with the one it kept. Putting back what was there before the
// dialog opened, on Cancel, Escape or closing it (rejected()), is the window's too.
// Children by object name: "ToneBrightness" and "ToneBrightnessSlider", "ToneContrast" and
// "ToneContrastSlider", "ToneGamma" and "ToneGammaSlider" (each number field and its
// slider), "ToneReset" and "ToneButtons" (OK and Cancel).
class ToneDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToneDialog(const Tone &tone, QWidget *parent = nullptr);
    ~ToneDialog() override;

    // The tone the controls show.
    const Tone &tone() const { return tone_; }
    // Shows `tone` in every control, asking for nothing.
    void showTone(const Tone &tone);

    // The gamma slider runs on a log scale, evenly through the powers of ten: position p is
    // the gamma 10^(p / 1000 - 1), 0.10 at 0, 1.00 in the middle and 10.00 at the end, in
    // whole hundredths. Its number field takes every hundredth.
    static constexpr int kGammaPositions = 2000;
    static int gammaAt(int position);
    static int gammaPosition(int hundredths);

Q_SIGNALS:
    void toneWanted(const plovan::Tone &tone);

private:
    void want(const Tone &tone);

    Tone tone_;
    QSlider *brightnessSlider_ = nullptr;
    QSpinBox *brightness_ = nullptr;
    QSlider *contrastSlider_ = nullptr;
    QSpinBox *contrast_ = nullptr;
    QSlider *gammaSlider_ = nullptr;
    QDoubleSpinBox *gamma_ = nullptr;
    QPushButton *reset_ = nullptr;
};

} // namespace plovan
