#pragma once

#include "calendar/Colour.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace custodex::testing {

struct RecordedPrompt {
    PromptKind Kind;
    QString Text;
    PromptButtons Buttons;
};

// Answers message boxes from a script; a prompt nobody expected fails the test.
class ScriptedPrompter : public Prompter {
public:
    struct Expected {
        QString Text;
        PromptAnswer Answer;
    };

    void Expect(const QString& text, PromptAnswer answer = PromptAnswer::Ok)
    {
        Script.push_back({text, answer});
    }

    PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons buttons) override
    {
        Seen.push_back({kind, text, buttons});
        if (WhileShown)
            WhileShown(text); // what the user sees behind the message box
        if (Script.empty()) {
            ADD_FAILURE() << "unexpected prompt: " << text.toStdString();
            return PromptAnswer::Cancel;
        }
        const Expected next = Script.front();
        Script.pop_front();
        EXPECT_EQ(text, next.Text);
        return next.Answer;
    }

    ~ScriptedPrompter() override
    {
        for (const Expected& left : Script)
            ADD_FAILURE() << "prompt never shown: " << left.Text.toStdString();
    }

    std::vector<RecordedPrompt> Seen;
    std::deque<Expected> Script;
    std::function<void(const QString&)> WhileShown;
};

class RecordingHelp : public HelpService {
public:
    void ShowHelpTopic(QWidget* owner, const QString& topic) override
    {
        Shown.push_back({owner, topic});
    }
    void CloseAllHelp() override { ++CloseAllCalls; }

    std::vector<std::pair<QWidget*, QString>> Shown;
    int CloseAllCalls = 0;
};

// Returns scripted paths; an empty one stands for Cancel.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString OpenFileName(const FileDialogRequest& request) override { return Next(request); }
    QString SaveFileName(const FileDialogRequest& request) override { return Next(request); }

    std::deque<QString> Paths;
    std::vector<FileDialogRequest> Requests;

private:
    QString Next(const FileDialogRequest& request)
    {
        Requests.push_back(request);
        if (Paths.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.Title.toStdString();
            return QString();
        }
        const QString path = Paths.front();
        Paths.pop_front();
        return path;
    }
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool Start(const QString& program, const QStringList& arguments) override
    {
        Started.push_back({program, arguments});
        return true;
    }
    std::vector<std::pair<QString, QStringList>> Started;
};

// Answers the colour dialog from a script, in stored colour values; an empty answer stands
// for Cancel.
class ScriptedColours : public ColourChooser {
public:
    std::optional<QColor> ChooseColour(const QColor& initial, QWidget*) override
    {
        Offered.push_back(ValueFromColour(initial));
        if (Answers.empty())
            return std::nullopt;
        const std::optional<std::int32_t> answer = Answers.front();
        Answers.pop_front();
        if (!answer)
            return std::nullopt;
        return ColourFromValue(*answer);
    }
    std::deque<std::optional<std::int32_t>> Answers;
    std::vector<std::int32_t> Offered;
};

} // namespace custodex::testing
