#include "calendar/OverwriteQuestions.h"

namespace custodex {

namespace {

PromptButtons ButtonsOf(OverwriteChoices choices)
{
    switch (choices) {
    case OverwriteChoices::YesNo:
        return PromptButtons::YesNo;
    case OverwriteChoices::YesYesToAllNoCancel:
        return PromptButtons::YesYesToAllNoCancel;
    case OverwriteChoices::YesYesToAllNoNoToAllCancel:
        break;
    }
    return PromptButtons::YesYesToAllNoNoToAllCancel;
}

} // namespace

OverwriteAnswer PrompterOverwriteQuestions::AskOverwrite(const QString& question,
                                                         OverwriteChoices choices)
{
    switch (m_prompter.Ask(PromptKind::Confirmation, question, ButtonsOf(choices))) {
    case PromptAnswer::Yes:
        return OverwriteAnswer::Yes;
    case PromptAnswer::YesToAll:
        return OverwriteAnswer::YesToAll;
    case PromptAnswer::No:
        return OverwriteAnswer::No;
    case PromptAnswer::NoToAll:
        return OverwriteAnswer::NoToAll;
    default:
        return OverwriteAnswer::Cancel;
    }
}

void PrompterOverwriteQuestions::Tell(PromptKind kind, const QString& text)
{
    m_prompter.Ask(kind, text, PromptButtons::Ok);
}

} // namespace custodex
