#pragma once

#include "calendar/CalendarModel.h"

#include <QMainWindow>

class QLabel;

namespace custodex {

class Prompter;

// The main window. It owns the one calendar document that exists at a time.
class TQDLMainCalendar : public QMainWindow {
    Q_OBJECT

public:
    explicit TQDLMainCalendar(Prompter& prompter, QWidget* parent = nullptr);

    CalendarDocument& Document() { return Doc; }
    void RefreshCaption();

private:
    Prompter& Messages;
    CalendarDocument Doc;
    QLabel* MonthYearLbl = nullptr;
};

} // namespace custodex
