#include "calendar/StartChecks.h"

#include <QValidator>
#include <gtest/gtest.h>

#include <memory>

using namespace custodex;

TEST(CheckStartYear, MessagesInOrder)
{
    const QString illegal =
        QStringLiteral("Illegal character in year.  Only the\n\rdigits 0 thru 9 are allowed.");
    const QString range =
        QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000");
    const struct {
        const char* Text;
        bool Ok;
        QString Message;
    } cases[] = {
        {"", false, QStringLiteral("You must enter a year before you can start a Calendar.")},
        {"20x4", false, illegal},
        {"+2024", false, illegal},
        {" 2024", false, illegal},
        {"2024 ", false, illegal},
        {"-999", false, illegal},
        {"999", false, range},
        {"3000", false, range},
        {"1000", true, QString()},
        {"2999", true, QString()}};
    for (const auto& c : cases) {
        const StartCheck check = CheckStartYear(QString::fromLatin1(c.Text));
        EXPECT_EQ(check.Ok, c.Ok) << c.Text;
        EXPECT_EQ(check.Message, c.Message) << c.Text;
    }
    EXPECT_EQ(CheckStartYear(QStringLiteral("2024")).Value, 2024);
}

TEST(CheckStartMonth, AcceptsAnyCaseAndRefusesOtherText)
{
    EXPECT_EQ(CheckStartMonth(QStringLiteral("march")).Value, 2);
    EXPECT_EQ(CheckStartMonth(QStringLiteral("SEPTEMBER")).Value, 8);
    EXPECT_EQ(CheckStartMonth(QStringLiteral("Start in March")).Value, 2);
    const StartCheck bad = CheckStartMonth(QStringLiteral("Mrch"));
    EXPECT_FALSE(bad.Ok);
    EXPECT_EQ(bad.Message, QStringLiteral("Please select a valid start month."));
}

TEST(StartYearValidator, TakesAtMostFourDigitsAndNothingElse)
{
    const std::unique_ptr<QValidator> validator(NewStartYearValidator(nullptr));
    const struct {
        QString Text;
        QValidator::State State;
    } cases[] = {
        {QStringLiteral("2024"), QValidator::Acceptable},
        {QStringLiteral("20"), QValidator::Acceptable},
        {QString(), QValidator::Acceptable},
        {QStringLiteral("+2024"), QValidator::Invalid},
        {QStringLiteral(" 2024"), QValidator::Invalid},
        {QStringLiteral("2024 "), QValidator::Invalid},
        {QStringLiteral("20245"), QValidator::Invalid},
        {QStringLiteral("20a4"), QValidator::Invalid},
        {QStringLiteral("\u0662\u0660\u0662\u0664"), QValidator::Invalid}, // Arabic-Indic digits
    };
    for (const auto& c : cases) {
        QString text = c.Text;
        int position = static_cast<int>(text.size());
        EXPECT_EQ(validator->validate(text, position), c.State) << c.Text.toStdString();
    }
}
