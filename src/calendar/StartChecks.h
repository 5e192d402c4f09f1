#pragma once

#include <QString>

class QObject;
class QValidator;

// The checks the Start button makes on the start year and month before a span is built, and
// the rule of the boxes the start year is typed into.

namespace custodex {

struct StartCheck {
    bool Ok = true;
    QString Message; // error text when not Ok
    int Value = 0;   // the year, or the month index
};

StartCheck CheckStartYear(const QString& yearText);
StartCheck CheckStartMonth(const QString& monthText);

// The one input rule of every start-year box (the main window's and the wizard's): at most
// four digits 0 to 9, so no box takes a sign, a blank or a fifth character.
QValidator* NewStartYearValidator(QObject* parent);

} // namespace custodex
