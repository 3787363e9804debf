#include "ui/ImageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace plovan {
namespace {

// The halftones in menu order, each at the index of its action.
constexpr Halftone kHalftones[] = {Halftone::None, Halftone::FloydSteinberg, Halftone::Atkinson, Halftone::Ordered};

} // namespace

ImageMenu::ImageMenu(QObject *parent)
    : QObject(parent), menu_(std::make_unique<QMenu>(tr("&Image"))),
      widthMenu_(std::make_unique<QMenu>(tr("Printer &Width"))), halftoneMenu_(std::make_unique<QMenu>(tr("&Halftone")))
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
    const struct {
        const char *name;
        QString text;
    } halftoneEntries[] = {
        {"ImageHalftoneNone", tr("&None")},
        {"ImageHalftoneFloydSteinberg", tr("&Floyd–Steinberg")},
        {"ImageHalftoneAtkinson", tr("&Atkinson")},
        {"ImageHalftoneOrdered", tr("&Ordered")},
    };
    for (size_t i = 0; i < std::size(kHalftones); ++i) {
        halftones_[i] = addChoice(halftoneMenu_.get(), halftones, halftoneEntries[i].name, halftoneEntries[i].text);
        connect(halftones_[i], &QAction::triggered, this, [this, i] {
            want([i](ImageChoices &choices) { choices.halftone = kHalftones[i]; });
        });
    }
    menu_->addMenu(halftoneMenu_.get());

    QAction *separator = menu_->addSeparator();
    separator->setObjectName(QStringLiteral("ImageSeparator1"));
    QAction *automatic = menu_->addAction(tr("&Automatic Threshold"));
    automatic->setObjectName(QStringLiteral("ImageAutomaticThreshold"));
    connect(automatic, &QAction::triggered, this, &ImageMenu::automaticThresholdWanted);

    show(shown_);
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
    for (size_t i = 0; i < std::size(kHalftones); ++i)
        halftones_[i]->setChecked(choices.halftone == kHalftones[i]);
}

} // namespace plovan
