#pragma once

#include "platform/OutputPrompts.h"

#include <gtest/gtest.h>

#include <deque>

namespace custodex::testing {

// Answers the image format and colour printer questions from a script; a question nobody
// expected, or an answer never asked for, fails the test.
class ScriptedOutputPrompts : public OutputPrompts {
public:
    std::optional<ImageFormat> ChooseImageFormat(QWidget*) override
    {
        ++FormatQuestions;
        if (Formats.empty()) {
            ADD_FAILURE() << "unexpected image format question";
            return std::nullopt;
        }
        const std::optional<ImageFormat> answer = Formats.front();
        Formats.pop_front();
        return answer;
    }

    bool AskColourPrinter(QWidget*) override
    {
        ++ColourQuestions;
        if (ColourAnswers.empty()) {
            ADD_FAILURE() << "unexpected colour printer question";
            return false;
        }
        const bool answer = ColourAnswers.front();
        ColourAnswers.pop_front();
        return answer;
    }

    ~ScriptedOutputPrompts() override
    {
        if (!Formats.empty())
            ADD_FAILURE() << Formats.size() << " image format answer(s) never asked for";
        if (!ColourAnswers.empty())
            ADD_FAILURE() << ColourAnswers.size() << " colour printer answer(s) never asked for";
    }

    std::deque<std::optional<ImageFormat>> Formats; // nothing: closed without OK
    std::deque<bool> ColourAnswers;                 // true: Yes
    int FormatQuestions = 0;
    int ColourQuestions = 0;
};

} // namespace custodex::testing
