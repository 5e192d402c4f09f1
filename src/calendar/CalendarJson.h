#pragma once

#include "calendar/CalendarModel.h"

#include <QJsonObject>
#include <QString>

// Summaries of a calendar for the command-line companion and for scripts.

namespace custodex {

QJsonObject CalendarInfoJson(const CalendarDocument& doc);
// {"name", "measure", "atLeast"}: a count as a number, a percentage as its text ("40.0%").
QJsonObject GuidelineJson(const Guideline& guideline);
QString CalendarInfoText(const CalendarDocument& doc);

} // namespace custodex
