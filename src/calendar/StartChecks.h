#pragma once

#include <QString>

// The checks the Start button makes on the start year and month before a span is built.

namespace custodex {

struct StartCheck {
    bool Ok = true;
    QString Message; // error text when not Ok
    int Value = 0;   // the year, or the month index
};

StartCheck CheckStartYear(const QString& yearText);
StartCheck CheckStartMonth(const QString& monthText);

} // namespace custodex
