#pragma once

// Qt's QTRY_ checks report a failure to QTest's own log and return from the function, which a
// GoogleTest program never hears of: the test passes. Included instead of relying on <QTest>'s,
// they wait the same way, fail the test and return as Qt's do (constructors and lambdas too).

#include <QTest>
#include <gtest/gtest.h>

#undef QTRY_VERIFY_WITH_TIMEOUT
#define QTRY_VERIFY_WITH_TIMEOUT(expr, timeout)                                                    \
    do {                                                                                           \
        if (!QTest::qWaitFor([&]() { return static_cast<bool>(expr); }, timeout)) {                \
            ADD_FAILURE() << "still false after " << (timeout) << " ms: " #expr;                   \
            return;                                                                                \
        }                                                                                          \
    } while (false)

#undef QTRY_VERIFY
#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, 5000)

#undef QTRY_COMPARE_WITH_TIMEOUT
#define QTRY_COMPARE_WITH_TIMEOUT(actual, expected, timeout)                                       \
    do {                                                                                           \
        if (!QTest::qWaitFor([&]() { return (actual) == (expected); }, timeout)) {                 \
            EXPECT_EQ(actual, expected) << "after " << (timeout) << " ms";                         \
            return;                                                                                \
        }                                                                                          \
    } while (false)

#undef QTRY_COMPARE
#define QTRY_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 5000)
