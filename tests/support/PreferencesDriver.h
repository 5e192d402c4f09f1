#pragma once

#include "app/MainWindow.h"
#include "calendar/ui/PreferencesDialog.h"
#include "support/ModalDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace custodex::testing {

// Starting a calendar opens the preferences; these tests take the defaults with Ok.
inline std::shared_ptr<bool> AcceptPreferencesWhenShown()
{
    return WhenModal([](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
    });
}

// Clicks Start and takes the preferences it opens with Ok.
inline void ClickStart(TQDLMainCalendar& window)
{
    auto accepted = AcceptPreferencesWhenShown();
    QTest::mouseClick(window.StartBtn, Qt::LeftButton);
    ASSERT_TRUE(*accepted);
}

// Types the client, start year and month into the main window and starts the calendar.
inline void StartCalendar(TQDLMainCalendar& window, const QString& client, const QString& year,
                          const QString& month)
{
    window.ClientName->setText(client);
    window.UserYear->setCurrentText(year);
    window.SelUserMonth->setCurrentText(month);
    ClickStart(window);
}

} // namespace custodex::testing
