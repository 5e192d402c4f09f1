#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace custodex {

// The colour printer question, made for each question. It has no close box; Escape answers
// No, which prints in the default black, white and silver and so loses nothing.
class TQueryColorPrinter : public QDialog {
    Q_OBJECT

public:
    explicit TQueryColorPrinter(QWidget* parent = nullptr);

    // Shows the question modally: true for Yes.
    bool AskColourPrinter();

    QLabel* Picture = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* YesBtn = nullptr;
    QPushButton* NoBtn = nullptr;
};

} // namespace custodex
