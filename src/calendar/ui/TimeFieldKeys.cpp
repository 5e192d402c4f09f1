#include "calendar/ui/TimeFieldKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace custodex {

namespace {

class TimeFieldKeyFilter : public QObject {
public:
    TimeFieldKeyFilter(QObject* parent, std::function<void()> open)
        : QObject(parent), Open(std::move(open))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers =
            key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
        const bool opens = (modifiers == Qt::NoModifier &&
                            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                             key->key() == Qt::Key_Space || key->key() == Qt::Key_F4)) ||
                           (modifiers == Qt::AltModifier && key->key() == Qt::Key_Down);
        if (!opens)
            return QObject::eventFilter(watched, event);
        Open();
        return true;
    }

private:
    std::function<void()> Open;
};

} // namespace

void OpenTimeEntryOnKeys(QLineEdit* field, std::function<void()> open)
{
    field->setFocusPolicy(Qt::StrongFocus);
    field->installEventFilter(new TimeFieldKeyFilter(field, std::move(open)));
}

} // namespace custodex
