#pragma once

#include "platform/OutputPrompts.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace custodex {

// The graphic format dialog: bitmap or JPEG for pictures of pages. Made once and kept, so
// the last choice is selected and OK enabled the next time.
class TSelGraphicFormat : public QDialog {
    Q_OBJECT

public:
    explicit TSelGraphicFormat(QWidget* parent = nullptr);

    // Clears the setting, shows the dialog modally and returns the format chosen with OK;
    // nothing when the dialog was closed any other way.
    std::optional<ImageFormat> ChooseImageFormat();

    // The image format setting: at most one of the two is set.
    bool SaveAsBitmap = false;
    bool SaveAsJpeg = false;

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* SelJpegFormat = nullptr;
    QLabel* JpegNote = nullptr;
    QRadioButton* SelBitmapFormat = nullptr;
    QLabel* BitmapNote = nullptr;
    QPushButton* OKToGo = nullptr;

private:
    void OKToGoClick();
};

} // namespace custodex
