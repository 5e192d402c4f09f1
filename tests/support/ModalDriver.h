#pragma once

#include "support/QtTryChecks.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace custodex::testing {

namespace detail {
inline void PollForModal(std::function<void(QWidget*)> action, std::shared_ptr<bool> ran, int left)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        *ran = true;
        action(modal);
        return;
    }
    if (left > 0)
        QTimer::singleShot(5, [action, ran, left] { PollForModal(action, ran, left - 1); });
}
} // namespace detail

// Acts on the next modal dialog once it is showing, from the event loop, so no test blocks
// on exec(). Returns a flag the test checks to know the action ran.
inline std::shared_ptr<bool> WhenModal(std::function<void(QWidget*)> action, int attempts = 1000)
{
    auto ran = std::make_shared<bool>(false);
    QTimer::singleShot(0, [action, ran, attempts] { detail::PollForModal(action, ran, attempts); });
    return ran;
}

} // namespace custodex::testing
