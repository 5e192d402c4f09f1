#pragma once

#include <QString>

class QDialog;
class QLayout;
class QPushButton;

namespace custodex {

struct OkCancelButtons {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
};

// Lays out a small dialog: `form` above a row of OK (captioned `okCaption`) and Cancel on the
// right. OK is the default button, so Enter gives it; Cancel and Escape reject the dialog. The
// caller connects OK, which checks the form before it accepts.
OkCancelButtons LayOutWithOkCancel(QDialog& dialog, QLayout* form,
                                   const QString& okCaption = QStringLiteral("OK"));

} // namespace custodex
