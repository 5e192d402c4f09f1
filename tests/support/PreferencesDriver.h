#pragma once

#include "reports/ui/UserInit.h"
#include "support/ModalDriver.h"

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

} // namespace custodex::testing
