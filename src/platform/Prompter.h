#pragma once

#include <QString>

// Every message box goes through a Prompter, so a test can record the prompts and answer
// them from a script.

namespace custodex {

enum class PromptKind { Error, Warning, Information, Confirmation };

enum class PromptButtons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    YesCancel,
    YesYesToAllNoCancel,
    YesYesToAllNoNoToAllCancel, // a whole schedule's overwrite question
    Retry,
    Cancel,
    Abort
};

enum class PromptAnswer { Ok, Cancel, Yes, YesToAll, No, NoToAll, Retry, Abort };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons buttons) = 0;
};

} // namespace custodex
