#include "calendar/ui/DialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
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

} // namespace custodex
