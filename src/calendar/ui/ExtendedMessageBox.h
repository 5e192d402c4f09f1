#pragma once

#include "calendar/ExtendedScan.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace custodex {

// The four-answer question of the extended-overnight scan.
class TExtendedMsgBox : public QDialog {
    Q_OBJECT

public:
    explicit TExtendedMsgBox(QWidget* parent = nullptr);
    ExtendedAnswer Execute(const QString& message1, const QString& message2,
                           const QString& message3);

    QLabel* Message1 = nullptr;
    QLabel* Message2 = nullptr;
    QLabel* Message3 = nullptr;
    QPushButton* YesButton = nullptr;
    QPushButton* YesToAllButton = nullptr;
    QPushButton* NoButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    ExtendedAnswer Answer = ExtendedAnswer::Cancel;
};

} // namespace custodex
