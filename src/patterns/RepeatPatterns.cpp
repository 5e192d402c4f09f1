#include "patterns/RepeatPatterns.h"

#include "calendar/TextCodec.h"
#include "patterns/BulkDialogRules.h"
#include "platform/FileAccess.h"

#include <algorithm>

namespace custodex {

namespace {

const QString MaximumNameMessage =
    QStringLiteral("Stop!  The maximum name length is 80 characters,");
const QString AsteriskMessage = QStringLiteral("Error!  Illegal to start a name with an asterick.");
const QString ExclamationMessage = QStringLiteral("Explanation marks are not allowed in a name.");

bool IsRepeatLetter(QChar letter)
{
    return letter == QLatin1Char('O') || letter == QLatin1Char('D') || letter == QLatin1Char('N');
}

bool ValidIndex(const QStringList& items, int index)
{
    return index >= 0 && index < items.size();
}

} // namespace

QString RepeatPatternItem(const RepeatPattern& pattern)
{
    return pattern.Name + RepeatPatternSeparator + pattern.Letters;
}

RepeatPattern SplitRepeatPatternItem(const QString& item)
{
    const qsizetype at = item.indexOf(RepeatPatternSeparator);
    if (at < 0)
        return {item, QString()};
    return {item.left(at), item.mid(at + RepeatPatternSeparator.size())};
}

QString RepeatPatternPath(const QString& clientFolder)
{
    return clientFolder + RepeatPatternFileName;
}

std::optional<QStringList> ReadRepeatPatterns(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return RepeatPatternsFromBytes(*bytes);
}

QStringList RepeatPatternsFromBytes(const QByteArray& bytes)
{
    // Lines may end in CR alone too, as an older editor leaves them.
    QString text = DecodeText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList items = SplitTextLines(text);
    items.removeIf([](const QString& line) { return line.isEmpty(); });
    return items;
}

int FirstMalformedRepeatPattern(const QStringList& items)
{
    for (int i = 0; i < items.size(); ++i) {
        const qsizetype at = items[i].indexOf(RepeatPatternSeparator);
        const QString letters =
            at < 0 ? QString() : items[i].mid(at + RepeatPatternSeparator.size());
        if (letters.isEmpty() || !std::all_of(letters.begin(), letters.end(), IsRepeatLetter))
            return i;
    }
    return -1;
}

QByteArray RepeatPatternBytes(const QStringList& items)
{
    QString text;
    for (QString item : items) {
        // A line break inside an item would make two patterns of it.
        item.replace(QLatin1Char('\r'), QLatin1Char(' '));
        item.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += item + QStringLiteral("\r\n");
    }
    return EncodeText(text);
}

FileWriteError WriteRepeatPatterns(const QString& path, const QStringList& items)
{
    return WriteWholeFile(path, RepeatPatternBytes(items));
}

QStringList TypedNameRules(QString& text)
{
    QStringList messages;
    if (text.startsWith(QLatin1Char('*'))) {
        messages << AsteriskMessage;
        while (text.startsWith(QLatin1Char('*')))
            text.remove(0, 1);
    }
    const qsizetype bang = text.indexOf(QLatin1Char('!'));
    if (bang >= 0) {
        messages << ExclamationMessage;
        text = text.left(std::min<qsizetype>(bang, 90));
    }
    if (text.size() == RepeatPatternNameCapacity)
        messages << MaximumNameMessage;
    return messages;
}

QString RepeatPatternNameError(const QStringList& items, const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Please enter a name for your repeat pattern.");
    if (name.contains(RepeatPatternSeparator))
        return QStringLiteral(
            "Please remove the \"|\" character from your\n\rpattern name and try again.");
    // The tail of a longer name counts as used, as it always has.
    const QString key = name.toUpper() + QStringLiteral(" |");
    for (const QString& item : items)
        if (item.toUpper().contains(key))
            return QStringLiteral("A pattern named ") + name + QStringLiteral(" already ") +
                   QStringLiteral("\n\r") +
                   QStringLiteral("exists.  Please change the name and try again.");
    return QString();
}

RepeatLettersCheck CheckRepeatLetters(const QString& letters)
{
    RepeatLettersCheck check;
    check.Letters = letters;
    for (QChar& letter : check.Letters) {
        if (letter == QLatin1Char('o') || letter == QLatin1Char('n') || letter == QLatin1Char('d'))
            letter = letter.toUpper();
        const bool legal = IsRepeatLetter(letter);
        check.Carets += legal ? QLatin1Char(' ') : QLatin1Char('^');
        check.Legal = check.Legal && legal;
    }
    return check;
}

void OpenRepeatPatternEditor(RepeatPatternEditorState& state, const QString& clientFolder)
{
    state = RepeatPatternEditorState{};
    state.Path = RepeatPatternPath(clientFolder);
    state.Items = ReadRepeatPatterns(state.Path).value_or(QStringList());
}

AcceptResult AcceptRepeatPattern(RepeatPatternEditorState& state, const QString& name,
                                 const QString& letters, Prompter& prompter,
                                 const std::function<void(const RepeatLettersCheck&)>& shown)
{
    AcceptResult result;
    const RepeatLettersCheck check = CheckRepeatLetters(letters);
    result.Letters = check.Letters;
    result.Carets = check.Carets;
    if (shown)
        shown(check);
    if (!check.Legal) {
        prompter.Ask(PromptKind::Error, IllegalLettersMessage, PromptButtons::Ok);
        result.Focus = EditorFocus::Letters;
    }
    // The name is checked too, so one Accept reports an empty name after illegal letters.
    const QString nameError = RepeatPatternNameError(state.Items, name);
    if (!nameError.isEmpty()) {
        prompter.Ask(PromptKind::Error, nameError, PromptButtons::Ok);
        result.Focus = EditorFocus::Name;
    }
    if (!check.Legal || !nameError.isEmpty())
        return result;
    state.Items << RepeatPatternItem({name, check.Letters});
    state.Changed = true;
    state.MayClose = false;
    result.Added = true;
    return result;
}

std::optional<RepeatPattern> ModifyRepeatPattern(RepeatPatternEditorState& state, int index,
                                                 Prompter& prompter)
{
    if (!ValidIndex(state.Items, index))
        return std::nullopt;
    const QString item = state.Items.at(index);
    if (prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Modify pattern ") + item + QStringLiteral("?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return std::nullopt;
    state.Items.removeAt(index);
    state.Changed = true;
    return SplitRepeatPatternItem(item);
}

bool DeleteRepeatPattern(RepeatPatternEditorState& state, int index, Prompter& prompter)
{
    if (!ValidIndex(state.Items, index))
        return false;
    const QString item = state.Items.at(index);
    if (prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Are you sure you want to delete custom pattern\n\r") + item +
                         QStringLiteral("?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    state.Items.removeAt(index);
    prompter.Ask(PromptKind::Information,
                 QStringLiteral("Custom pattern ") + item + QStringLiteral(" deleted."),
                 PromptButtons::Ok);
    const FileWriteError error = WriteRepeatPatterns(state.Path, state.Items);
    if (error != FileWriteError::None) {
        // The list still differs from the file: Save/Close tries again.
        prompter.Ask(PromptKind::Error, WriteRefusalMessage(error, state.Path), PromptButtons::Ok);
        state.Changed = true;
    }
    state.MayClose = false;
    return true;
}

bool SaveRepeatPatterns(RepeatPatternEditorState& state, const QString& clientFolder,
                        Prompter& prompter)
{
    if (state.Changed && !state.Items.isEmpty()) {
        const FileWriteError error = WriteRepeatPatterns(state.Path, state.Items);
        if (error != FileWriteError::None) {
            prompter.Ask(PromptKind::Error, WriteRefusalMessage(error, state.Path),
                         PromptButtons::Ok);
            return false;
        }
        prompter.Ask(PromptKind::Information,
                     QStringLiteral("Custom patterns saved to file ") + clientFolder +
                         RepeatPatternFileName,
                     PromptButtons::Ok);
        state.Changed = false;
    }
    state.MayClose = true;
    return true;
}

bool CancelRepeatPatternEditor(RepeatPatternEditorState& state, Prompter& prompter)
{
    if (!state.Changed)
        return CloseRepeatPatternEditor(state, prompter);
    if (prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Canceling now will lose all changes.\n\rContinue anyhow?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    // Asked once is enough: the close that follows does not ask again.
    state.MayClose = true;
    return true;
}

bool CloseRepeatPatternEditor(RepeatPatternEditorState& state, Prompter& prompter)
{
    if (state.MayClose)
        return true;
    bool unsaved = true;
    if (!MayCloseWithChanges(nullptr, unsaved, prompter))
        return false;
    state.MayClose = true;
    return true;
}

} // namespace custodex
