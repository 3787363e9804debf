// The window's dialogs, each with the stand-in a test puts in its place: the open-file dialog
// of Load Image, the file dialogs of logo data text, the question whether to save a text
// that is not logo data text, the printer width of Other Width and the dot gain of Printer
// Dots' Other; and About Plovan.
#include "ui/Window1.h"

#include "Version.h"
#include "conversion/DotModel.h"
#include "platform/Picture.h"
#include "ui/PictureFileNames.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>

namespace plovan {

std::optional<QString> Window1::chooseFile(const FileTypeSet &types)
{
    if (chooser_)
        return chooser_(types);
    const QString path = QFileDialog::getOpenFileName(this, tr("Load Image"), QString(), pictureNameFilter(types));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> Window1::chooseLogoTextFile(LogoTextDialog dialog)
{
    if (logoTextChooser_)
        return logoTextChooser_(dialog);
    const QString filter = tr("Logo data text (*.txt);;All files (*)");
    const QString path = dialog == LogoTextDialog::Open
        ? QFileDialog::getOpenFileName(this, tr("Open Logo Data Text"), QString(), filter)
        : QFileDialog::getSaveFileName(this, tr("Save Logo Data Text As"), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool Window1::askSaveAnyway(const QString &question)
{
    if (saveAnyway_)
        return saveAnyway_(question);
    QMessageBox box(QMessageBox::Warning, windowTitle(), question, QMessageBox::NoButton, this);
    QPushButton *save = box.addButton(tr("&Save Anyway"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    // Return keeps the file system as it was: saving a broken text takes a deliberate choice.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == save;
}

std::optional<int> Window1::askPrinterWidth(int proposed)
{
    if (widthChooser_)
        return widthChooser_(proposed);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OtherWidthDialog"));
    dialog.setWindowTitle(tr("Printer Width"));
    dialog.setAccessibleDescription(tr("The width of the printer's print head, for a printer not in the menu"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(tr("Width of the print head in dots:"));
    dialog.setIntRange(1, Picture::kMaxSide);
    dialog.setIntStep(1);
    dialog.setIntValue(proposed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

std::optional<int> Window1::askDotGain(int proposed)
{
    if (dotGainChooser_)
        return dotGainChooser_(proposed);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OtherDotGainDialog"));
    dialog.setWindowTitle(tr("Printer Dots"));
    dialog.setAccessibleDescription(tr("How much larger than its cell the printer's round dot is, as the calibration "
                                       "strip finds it"));
    // R is written as plovan-cli's --dot-gain takes it, with a point in every language.
    dialog.setLocale(QLocale::c());
    dialog.setInputMode(QInputDialog::DoubleInput);
    dialog.setLabelText(tr("Dot diameter over the cell's diagonal (%1 to %2):")
                            .arg(QStringLiteral("1.00"), QStringLiteral("1.41")));
    dialog.setDoubleDecimals(2);
    dialog.setDoubleRange(kMinDotGain / 100.0, kMaxDotGain / 100.0);
    dialog.setDoubleStep(0.01);
    dialog.setDoubleValue(proposed / 100.0);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return int(std::lround(dialog.doubleValue() * 100));
}

QString Window1::aboutText()
{
    return QStringLiteral("Plovan\n") + tr("Version %1").arg(QLatin1String(kVersion)) + QStringLiteral("\n\n")
        + tr("Turns a JPEG or PNG logo into logo data text for a receipt printer.");
}

void Window1::HelpAbout_Action()
{
    QMessageBox::about(this, tr("About Plovan"), aboutText());
}

} // namespace plovan
