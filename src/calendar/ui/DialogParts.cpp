#include "calendar/ui/DialogParts.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

OkCancelButtons LayOutWithOkCancel(QDialog& dialog, QLayout* form, const QString& okCaption)
{
    OkCancelButtons buttons{new QPushButton(okCaption, &dialog),
                            new QPushButton(QStringLiteral("Cancel"), &dialog)};
    buttons.Ok->setObjectName(QStringLiteral("OkBtn"));
    buttons.Cancel->setObjectName(QStringLiteral("CancelBtn"));
    buttons.Ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.Ok);
    row->addWidget(buttons.Cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addLayout(row);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

QToolButton* Arrow(QWidget* parent, Qt::ArrowType type, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    return button;
}

void NameComboEditFields(QWidget& window)
{
    for (QComboBox* box : window.findChildren<QComboBox*>()) {
        QLineEdit* field = box->lineEdit();
        if (!field || !field->accessibleName().isEmpty())
            continue;
        if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(box))
            field->setAccessibleName(named->text(QAccessible::Name));
    }
}

void RetitleWindow(QWidget& window, const QString& title)
{
    if (window.windowTitle() == title)
        return;
    window.setWindowTitle(title);
    QAccessibleEvent renamed(&window, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

} // namespace custodex
