#include "output/ui/ImageFormatDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace custodex {

TSelGraphicFormat::TSelGraphicFormat(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSelGraphicFormat"));
    setWindowTitle(QStringLiteral("Select Graphic Format - Jepeg or Bitmap"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    GroupBox1 = new QGroupBox(QStringLiteral("Select graphics format"), this);
    SelJpegFormat = new QRadioButton(
        QStringLiteral("Jepeg (.jpg) - Recommended for small file size.  Uses less disk space "
                       "than bitmap and files"),
        GroupBox1);
    SelJpegFormat->setObjectName(QStringLiteral("SelJpegFormat"));
    JpegNote = new QLabel(
        QStringLiteral("are easily e-mailed.  Compatible with most windows graphics programs."),
        GroupBox1);
    SelBitmapFormat = new QRadioButton(
        QStringLiteral("Bitmap (.bmp) - Recommended for highest possible Image quality and "
                       "compatibility with nearly"),
        GroupBox1);
    SelBitmapFormat->setObjectName(QStringLiteral("SelBitmapFormat"));
    BitmapNote = new QLabel(QStringLiteral("all windows graphics programs."), GroupBox1);

    // The continuation lines start under the radio buttons' texts.
    const int textIndent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                           style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    JpegNote->setIndent(textIndent);
    BitmapNote->setIndent(textIndent);
    auto* choices = new QVBoxLayout(GroupBox1);
    choices->addWidget(SelJpegFormat);
    choices->addWidget(JpegNote);
    choices->addSpacing(8);
    choices->addWidget(SelBitmapFormat);
    choices->addWidget(BitmapNote);

    OKToGo = new QPushButton(QStringLiteral("OK"), this);
    OKToGo->setObjectName(QStringLiteral("OKToGo"));
    OKToGo->setEnabled(false);
    OKToGo->setDefault(true);
    OKToGo->setMinimumWidth(90);
    for (QRadioButton* choice : {SelJpegFormat, SelBitmapFormat})
        connect(choice, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                OKToGo->setEnabled(true);
        });
    connect(OKToGo, &QPushButton::clicked, this, &TSelGraphicFormat::OKToGoClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKToGo);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(SelJpegFormat, SelBitmapFormat);
    setTabOrder(SelBitmapFormat, OKToGo);
}

void TSelGraphicFormat::OKToGoClick()
{
    SaveAsBitmap = SelBitmapFormat->isChecked();
    SaveAsJpeg = SelJpegFormat->isChecked();
    accept();
}

std::optional<ImageFormat> TSelGraphicFormat::ChooseImageFormat()
{
    SaveAsBitmap = false;
    SaveAsJpeg = false;
    (SelBitmapFormat->isChecked() ? SelBitmapFormat : SelJpegFormat)->setFocus();
    // The close box and Escape leave both clear: the caller's output is cancelled.
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    if (SaveAsBitmap)
        return ImageFormat::Bitmap;
    if (SaveAsJpeg)
        return ImageFormat::Jpeg;
    return std::nullopt;
}

} // namespace custodex
