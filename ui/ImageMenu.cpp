#include "ui/ImageMenu.h"

#include "conversion/HalftoneNames.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace plovan {
namespace {

// The Halftone submenu's entry of each halftone, by the name it has in conversion/
// HalftoneNames: the submenu lists that table, in its order.
struct HalftoneText {
    const char *name;
    const char *text;
};
constexpr HalftoneText kHalftoneTexts[] = {
    {"none", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&None")},
    {"floyd-steinberg", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Floyd–Steinberg")},
    {"atkinson", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Atkinson")},
    {"ordered", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Ordered")},
    {"jarvis", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Jarvis–Judice–Ninke")},
    {"stucki", QT_TRANSLATE_NOOP("plovan::ImageMenu", "S&tucki")},
    {"sierra", QT_TRANSLATE_NOOP("plovan::ImageMenu", "S&ierra")},
    {"blue-noise", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Blue Noise")},
    {"clustered", QT_TRANSLATE_NOOP("plovan::ImageMenu", "&Clustered")},
};

// The entry's text, translated; a halftone without one here shows its name.
QString halftoneText(QLatin1StringView name)
{
    for (const HalftoneText &entry : kHalftoneTexts)
        if (name == QLatin1StringView(entry.name))
            return QCoreApplication::translate("plovan::ImageMenu", entry.text);
    return QString(name);
}

// "ImageHalftone" and the name in capitalised words: "floyd-steinberg" is
// "ImageHalftoneFloydSteinberg".
QString halftoneObjectName(QLatin1StringView name)
{
    QString objectName = QStringLiteral("ImageHalftone");
    for (const QString &word : QString(name).split(QLatin1Char('-'), Qt::SkipEmptyParts))
        objectName += word.left(1).toUpper() + word.mid(1);
    return objectName;
}

} // namespace

ImageMenu::ImageMenu(QObject *parent)
    : QObject(parent), menu_(std::make_unique<QMenu>(tr("&Image"))),
      widthMenu_(std::make_unique<QMenu>(tr("Printer &Width"))), halftoneMenu_(std::make_unique<QMenu>(tr("&Halftone"))),
      dotsMenu_(std::make_unique<QMenu>(tr("Printer &Dots")))
{
    menu_->setObjectName(QStringLiteral("ImageMenu"));

    widthMenu_->setObjectName(QStringLiteral("ImageWidthMenu"));
    widthMenu_->menuAction()->setObjectName(QStringLiteral("ImagePrinterWidth"));
    auto *widths = new QActionGroup(this);
    original_ = addChoice(widthMenu_.get(), widths, "ImageWidthOriginal", tr("Original Size"));
    connect(original_, &QAction::triggered, this, [this] {
        want([](ImageChoices &choices) { choices.printerWidth = 0; });
    });
    const QString paperTexts[] = {tr("384 dots (58 mm paper)"), tr("576 dots (80 mm paper)"), tr("832 dots (112 mm paper)")};
    for (size_t i = 0; i < std::size(kPaperWidths); ++i) {
        const int dots = kPaperWidths[i];
        paperWidths_[i] = addChoice(widthMenu_.get(), widths, nullptr, paperTexts[i]);
        paperWidths_[i]->setObjectName(QStringLiteral("ImageWidth%1").arg(dots));
        connect(paperWidths_[i], &QAction::triggered, this, [this, dots] {
            want([dots](ImageChoices &choices) { choices.printerWidth = dots; });
        });
    }
    otherWidth_ = addChoice(widthMenu_.get(), widths, "ImageWidthOther", tr("Other Width…"));
    connect(otherWidth_, &QAction::triggered, this, &ImageMenu::otherWidthWanted);
    menu_->addMenu(widthMenu_.get());

    centre_ = new QAction(tr("&Centre on Paper"), this);
    centre_->setObjectName(QStringLiteral("ImageCentre"));
    centre_->setCheckable(true);
    connect(centre_, &QAction::triggered, this, [this](bool checked) {
        want([checked](ImageChoices &choices) { choices.centre = checked; });
    });
    menu_->addAction(centre_);

    halftoneMenu_->setObjectName(QStringLiteral("ImageHalftoneMenu"));
    halftoneMenu_->menuAction()->setObjectName(QStringLiteral("ImageHalftone"));
    auto *halftones = new QActionGroup(this);
    for (const HalftoneName &entry : kHalftoneNames) {
        QAction *action = addChoice(halftoneMenu_.get(), halftones, nullptr, halftoneText(entry.name));
        action->setObjectName(halftoneObjectName(entry.name));
        connect(action, &QAction::triggered, this, [this, halftone = entry.halftone] {
            want([halftone](ImageChoices &choices) { choices.halftone = halftone; });
        });
        halftones_ << action;
    }
    QAction *halftoneSeparator = halftoneMenu_->addSeparator();
    halftoneSeparator->setObjectName(QStringLiteral("ImageHalftoneSeparator1"));
    serpentine_ = addCheck(halftoneMenu_.get(), "ImageSerpentine", tr("&Serpentine"));
    connect(serpentine_, &QAction::triggered, this, [this](bool checked) {
        want([checked](ImageChoices &choices) { choices.serpentine = checked; });
    });
    menu_->addMenu(halftoneMenu_.get());

    // How the printer's dots print, for the halftones to allow for. The dot gains are
    // written as plovan-cli's --dot-gain takes them, the same in every language.
    dotsMenu_->setObjectName(QStringLiteral("ImageDotsMenu"));
    dotsMenu_->menuAction()->setObjectName(QStringLiteral("ImagePrinterDots"));
    auto *dots = new QActionGroup(this);
    squareDots_ = addChoice(dotsMenu_.get(), dots, "ImageDotsSquare", tr("&Square (no model)"));
    connect(squareDots_, &QAction::triggered, this, [this] {
        want([](ImageChoices &choices) { choices.dotGainHundredths = 0; });
    });
    for (size_t i = 0; i < std::size(kNamedDotGains); ++i) {
        const int gain = kNamedDotGains[i];
        // "1.&2": the figure after the point takes the entry.
        namedDotGains_[i] = addChoice(dotsMenu_.get(), dots, nullptr, QStringLiteral("%1.&%2").arg(gain / 100).arg(gain % 100 / 10));
        namedDotGains_[i]->setObjectName(QStringLiteral("ImageDots%1").arg(gain));
        connect(namedDotGains_[i], &QAction::triggered, this, [this, gain] {
            want([gain](ImageChoices &choices) { choices.dotGainHundredths = gain; });
        });
    }
    otherDotGain_ = addChoice(dotsMenu_.get(), dots, "ImageDotsOther", tr("&Other…"));
    connect(otherDotGain_, &QAction::triggered, this, &ImageMenu::otherDotGainWanted);
    menu_->addMenu(dotsMenu_.get());

    QAction *separator = menu_->addSeparator();
    separator->setObjectName(QStringLiteral("ImageSeparator1"));
    QAction *automatic = menu_->addAction(tr("&Automatic Threshold"));
    automatic->setObjectName(QStringLiteral("ImageAutomaticThreshold"));
    connect(automatic, &QAction::triggered, this, &ImageMenu::automaticThresholdWanted);
    // "&Calibration" would share its letter with "&Centre on Paper".
    QAction *strip = menu_->addAction(tr("Calibration &Strip"));
    strip->setObjectName(QStringLiteral("ImageCalibrationStrip"));
    connect(strip, &QAction::triggered, this, &ImageMenu::calibrationStripWanted);

    // The picture's own choices, added to the menu by addPictureItems(). Turning is as the
    // picture is seen, mirrored or not.
    rotateRight_ = new QAction(tr("Rotate &Right"), this);
    rotateRight_->setObjectName(QStringLiteral("ImageRotateRight"));
    rotateRight_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(rotateRight_, &QAction::triggered, this, [this] {
        want([](ImageChoices &choices) { choices.orientation = ImageChoices::turnedAsSeen(choices.orientation, 1); });
    });
    rotateLeft_ = new QAction(tr("Rotate &Left"), this);
    rotateLeft_->setObjectName(QStringLiteral("ImageRotateLeft"));
    rotateLeft_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(rotateLeft_, &QAction::triggered, this, [this] {
        want([](ImageChoices &choices) { choices.orientation = ImageChoices::turnedAsSeen(choices.orientation, -1); });
    });
    mirror_ = addCheck(nullptr, "ImageMirror", tr("&Mirror"));
    connect(mirror_, &QAction::triggered, this, [this](bool checked) {
        want([checked](ImageChoices &choices) { choices.orientation.mirror = checked; });
    });
    trim_ = addCheck(nullptr, "ImageTrim", tr("&Trim White Margins"));
    connect(trim_, &QAction::triggered, this, [this](bool checked) {
        want([checked](ImageChoices &choices) { choices.trim = checked; });
    });
    // "&Tone" would share its letter with "&Trim White Margins".
    adjustTone_ = new QAction(tr("Adjust T&one…"), this);
    adjustTone_->setObjectName(QStringLiteral("ImageAdjustTone"));
    connect(adjustTone_, &QAction::triggered, this, &ImageMenu::adjustToneWanted);

    show(shown_);
    setPictureLoaded(false);
}

ImageMenu::~ImageMenu() = default;

QAction *ImageMenu::addChoice(QMenu *menu, QActionGroup *group, const char *name, const QString &text)
{
    auto *action = new QAction(text, this);
    if (name)
        action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    group->addAction(action); // exclusive: checking one unchecks the others
    menu->addAction(action);
    return action;
}

QAction *ImageMenu::addCheck(QMenu *menu, const char *name, const QString &text)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    if (menu)
        menu->addAction(action);
    return action;
}

void ImageMenu::addPictureItems()
{
    QAction *separator = menu_->addSeparator();
    separator->setObjectName(QStringLiteral("ImageSeparator3"));
    menu_->addActions({rotateRight_, rotateLeft_, mirror_, trim_, adjustTone_});
}

void ImageMenu::setPictureLoaded(bool loaded)
{
    for (QAction *action : {rotateRight_, rotateLeft_, mirror_, adjustTone_})
        action->setEnabled(loaded);
}

void ImageMenu::want(const std::function<void(ImageChoices &)> &change)
{
    ImageChoices wanted = shown_;
    change(wanted);
    Q_EMIT choicesWanted(wanted);
}

void ImageMenu::show(const ImageChoices &choices)
{
    shown_ = choices;
    bool named = choices.printerWidth == 0;
    original_->setChecked(named);
    for (size_t i = 0; i < std::size(kPaperWidths); ++i) {
        const bool chosen = choices.printerWidth == kPaperWidths[i];
        paperWidths_[i]->setChecked(chosen);
        named = named || chosen;
    }
    otherWidth_->setChecked(!named);
    centre_->setChecked(choices.centre);
    centre_->setEnabled(choices.printerWidth > 0);
    for (qsizetype i = 0; i < halftones_.size(); ++i)
        halftones_[i]->setChecked(choices.halftone == kHalftoneNames[size_t(i)].halftone);
    serpentine_->setChecked(choices.serpentine);
    serpentine_->setEnabled(isErrorDiffusion(choices.halftone));
    squareDots_->setChecked(choices.dotGainHundredths == 0);
    named = choices.dotGainHundredths == 0;
    for (size_t i = 0; i < std::size(kNamedDotGains); ++i) {
        const bool chosen = choices.dotGainHundredths == kNamedDotGains[i];
        namedDotGains_[i]->setChecked(chosen);
        named = named || chosen;
    }
    otherDotGain_->setChecked(!named);
    mirror_->setChecked(choices.orientation.mirror);
    trim_->setChecked(choices.trim);
}

} // namespace plovan
