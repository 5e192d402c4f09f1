#include "calendar/ui/Months.h"

#include "platform/Prompter.h"

#include <QLabel>
#include <QVBoxLayout>

namespace custodex {

TQDLMainCalendar::TQDLMainCalendar(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), Messages(prompter) {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    MonthYearLbl = new QLabel(central);
    MonthYearLbl->setObjectName(QStringLiteral("MonthYearLbl"));
    MonthYearLbl->setAlignment(Qt::AlignCenter);
    QFont font = MonthYearLbl->font();
    font.setPixelSize(32);
    font.setBold(true);
    MonthYearLbl->setFont(font);
    MonthYearLbl->setText(QStringLiteral("Custodex Calendar"));
    layout->addWidget(MonthYearLbl);
    setCentralWidget(central);
    // The fixed client area of the month view.
    setFixedSize(792, 554);
    RefreshCaption();
}

void TQDLMainCalendar::RefreshCaption() {
    setWindowTitle(Doc.WindowCaption);
}

} // namespace custodex
