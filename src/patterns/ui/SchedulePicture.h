#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

// The small picture of a schedule's first four weeks in the standard-schedule window: seven
// columns of weekdays, a cell per day with its number, the non-custodial parent's nights in
// the calendar's overnight colour, weekly day visits marked, and a key with the parents'
// titles.

namespace custodex {

class SchedulePicture : public QWidget {
    Q_OBJECT

public:
    explicit SchedulePicture(QWidget* parent);

    struct Day {
        int DayOfMonth = 0;
        QChar Letter; // 'O', 'D' or 'N', as the schedule's plan gives them
    };
    struct Look {
        QColor Overnight;
        QColor DayVisit;
        QColor Background;
        QString NonCustodial; // the parents' titles
        QString Custodial;
    };

    // `weekdays` are the column heads, from the first day's weekday on.
    void Show(const QStringList& weekdays, const std::vector<Day>& days, const Look& look);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList Weekdays;
    std::vector<Day> Days;
    Look Colours;
};

} // namespace custodex
