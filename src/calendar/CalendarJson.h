#pragma once

#include "calendar/CalendarModel.h"

#include <QJsonObject>
#include <QString>

// Summaries of a calendar for the command-line companion and for scripts.

namespace custodex {

QJsonObject CalendarInfoJson(const CalendarDocument& doc);
QString CalendarInfoText(const CalendarDocument& doc);

} // namespace custodex
