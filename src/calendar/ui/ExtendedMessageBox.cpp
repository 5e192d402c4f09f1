#include "calendar/ui/ExtendedMessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace custodex {

TExtendedMsgBox::TExtendedMsgBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TExtendedMsgBox"));
    setWindowTitle(QStringLiteral("ExtendedMsgBox"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* texts = new QVBoxLayout;
    for (QLabel** label : {&Message1, &Message2, &Message3}) {
        *label = new QLabel(this);
        (*label)->setWordWrap(true);
        (*label)->setFixedWidth(320);
        texts->addWidget(*label);
    }
    Message1->setObjectName(QStringLiteral("Message1"));
    Message2->setObjectName(QStringLiteral("Message2"));
    Message3->setObjectName(QStringLiteral("Message3"));
    texts->addWidget(new QLabel(QStringLiteral("Convert to an extended overnight stay?"), this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);

    YesButton = new QPushButton(QStringLiteral("&Yes"), this);
    YesToAllButton = new QPushButton(QStringLiteral("Yes to &All"), this);
    NoButton = new QPushButton(QStringLiteral("&No"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    YesButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    const struct {
        QPushButton* Button;
        ExtendedAnswer Answer;
    } answers[] = {{YesButton, ExtendedAnswer::Yes},
                   {YesToAllButton, ExtendedAnswer::All},
                   {NoButton, ExtendedAnswer::No},
                   {CancelButton, ExtendedAnswer::Cancel}};
    for (const auto& a : answers) {
        buttons->addWidget(a.Button);
        const ExtendedAnswer answer = a.Answer;
        connect(a.Button, &QPushButton::clicked, this, [this, answer] {
            Answer = answer;
            accept();
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ExtendedAnswer TExtendedMsgBox::Execute(const QString& message1, const QString& message2,
                                        const QString& message3)
{
    Message1->setText(message1);
    Message2->setText(message2);
    Message3->setText(message3);
    Answer = ExtendedAnswer::Cancel; // the close box counts as Cancel
    exec();
    return Answer;
}

} // namespace custodex
