#pragma once

#include <QString>

class QDialog;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

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

// One of the small auto-repeating up and down arrows beside a number field.
QToolButton* Arrow(QWidget* parent, Qt::ArrowType type, const QString& name);

// The edit field of every editable combo box under `window` takes the box's own name (from its
// label), so the field the keyboard lands in is not silent.
void NameComboEditFields(QWidget& window);

// Gives a window kept for reuse its title for this use, and tells assistive technology, which
// would otherwise keep announcing the title of the last use.
void RetitleWindow(QWidget& window, const QString& title);

} // namespace custodex
