#pragma once

#include "platform/Prompter.h"

#include <QString>

// What a bulk engine (patterns, repeat patterns, custom lists, holidays, schedules) asks or
// tells in the middle of its work, so the same engine runs under a window, the command line
// and a test.

namespace custodex {

enum class OverwriteAnswer { Yes, YesToAll, No, NoToAll, Cancel };

// The answers an engine's overwrite question offers; an engine is given only those.
enum class OverwriteChoices {
    YesNo,                      // a holiday dialog's Apply
    YesYesToAllNoCancel,        // a pattern, repeat pattern or custom list run
    YesYesToAllNoNoToAllCancel, // a whole schedule
};

class OverwriteQuestions {
public:
    virtual ~OverwriteQuestions() = default;
    // "... is already marked as ... Overwrite it?" and its kin.
    virtual OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices choices) = 0;
    // A message with an OK button only.
    virtual void Tell(PromptKind kind, const QString& text) = 0;
};

// Asks through the program's message boxes.
class PrompterOverwriteQuestions : public OverwriteQuestions {
public:
    explicit PrompterOverwriteQuestions(Prompter& prompter) : m_prompter(prompter) {}
    OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices choices) override;
    void Tell(PromptKind kind, const QString& text) override;

private:
    Prompter& m_prompter;
};

} // namespace custodex
