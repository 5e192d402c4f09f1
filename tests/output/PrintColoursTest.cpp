#include "output/PrintColours.h"

#include "support/ScriptedOutputPrompts.h"

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

constexpr std::int32_t Blue = 0xFF0000; // red in the low byte

TEST(PrinterColours, DefaultColoursAskNothing)
{
    CalendarDocument document;
    ScriptedOutputPrompts prompts; // any question fails the test
    EXPECT_EQ(ColoursForPrinter(document, prompts, nullptr), DefaultMarkColours);
    {
        PrinterColoursScope scope(document, prompts, nullptr);
        EXPECT_EQ(MarkColoursOf(document), DefaultMarkColours);
    }
    EXPECT_EQ(prompts.ColourQuestions, 0);
}

TEST(PrinterColours, AnyChangedColourAsksAndNoPrintsTheDefaultsForThisPrintoutOnly)
{
    const MarkColours changed[] = {
        {0x00FF00, 0xC0C0C0, 0}, {0xFFFFFF, Blue, 0}, {0xFFFFFF, 0xC0C0C0, 0x0000FF}};
    for (const MarkColours& own : changed) {
        SCOPED_TRACE(::testing::Message()
                     << std::hex << own.Background << ' ' << own.Overnight << ' ' << own.DayVisit);
        CalendarDocument document;
        SetMarkColours(document, own);
        document.ChangesPending = false;
        ScriptedOutputPrompts prompts;
        prompts.ColourAnswers = {false, true};
        {
            PrinterColoursScope scope(document, prompts, nullptr);
            EXPECT_EQ(MarkColoursOf(document), DefaultMarkColours);
        }
        EXPECT_EQ(MarkColoursOf(document), own);
        {
            PrinterColoursScope scope(document, prompts, nullptr);
            EXPECT_EQ(MarkColoursOf(document), own);
        }
        EXPECT_EQ(MarkColoursOf(document), own);
        EXPECT_EQ(prompts.ColourQuestions, 2);
        EXPECT_FALSE(document.ChangesPending);
    }
}

TEST(PrinterColours, ColoursComeBackWhenThePrintoutEndsEarly)
{
    CalendarDocument document;
    document.OvernightColour = Blue;
    ScriptedOutputPrompts prompts;
    prompts.ColourAnswers = {false};
    try {
        PrinterColoursScope scope(document, prompts, nullptr);
        throw std::runtime_error("printer gone");
    }
    catch (const std::runtime_error&) {
    }
    EXPECT_EQ(document.OvernightColour, Blue);
}

} // namespace
