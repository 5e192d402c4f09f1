#include "calendar/ui/DurationFieldKeys.h"

#include "platform/Prompter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace custodex {

DurationFieldKeys::DurationFieldKeys(QLineEdit* hours, QLineEdit* minutes, Duration& duration,
                                     Prompter& messages, std::function<void()> changed)
    : QObject(hours), Hours(hours), Minutes(minutes), Value(duration), Messages(messages),
      Changed(std::move(changed))
{
    const QString hint = QStringLiteral("Type hours and minutes such as 830 or 10:30; "
                                        "Up/Down step, Page Up/Page Down by a quarter hour");
    for (QLineEdit* field : {Hours, Minutes}) {
        field->installEventFilter(this);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setWhatsThis(hint);
        if (!field->toolTip().isEmpty())
            field->setToolTip(field->toolTip() + QLatin1Char('\n') + hint);
        else
            field->setToolTip(hint);
    }
}

bool DurationFieldKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // Each visit to a field starts a new entry; the window coming back to the front is
        // no new visit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Typing = {watched == Minutes, QString()};
    }
    else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        Typing.MinutesField = watched == Minutes;
        const TypedKey typed = DurationKey(Value, Typing, key->key(), key->text());
        if (!typed.Taken)
            return false;
        if (typed.Refusal.isEmpty()) {
            Changed();
            return true;
        }
        auto* field = static_cast<QLineEdit*>(watched);
        Messages.Ask(PromptKind::Error, typed.Refusal, PromptButtons::Ok);
        field->setFocus();
        Typing = {watched == Minutes, QString()};
        return true;
    }
    return false;
}

} // namespace custodex
