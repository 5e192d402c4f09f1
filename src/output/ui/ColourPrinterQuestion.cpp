#include "output/ui/ColourPrinterQuestion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

// A small colour printer with a printed page coming out of it.
QPixmap ColourPrinterPicture()
{
    QPixmap picture(56, 56);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(14.5, 4.5, 27, 20)); // paper waiting at the back
    painter.setBrush(QColor(150, 150, 160));
    painter.drawRoundedRect(QRectF(4.5, 20.5, 47, 20), 3, 3); // body
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(12.5, 34.5, 31, 18)); // printed page
    const QColor inks[] = {QColor(0, 160, 220), QColor(220, 0, 140), QColor(240, 200, 0)};
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRectF(16, 38 + 4.5 * i, 24, 3), inks[i]);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 190, 60));
    painter.drawEllipse(QPointF(45, 26), 2, 2); // power light
    return picture;
}

} // namespace

TQueryColorPrinter::TQueryColorPrinter(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TQueryColorPrinter"));
    setWindowTitle(QStringLiteral("Confirm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Picture = new QLabel(this);
    Picture->setPixmap(ColourPrinterPicture());
    Label1 = new QLabel(QStringLiteral("Is your printer capable of printing colors?"), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = new QLabel(QStringLiteral("(By answering \"No\" you can print in black"), this);
    Label3 = new QLabel(QStringLiteral("and white even if you have a color printer)"), this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addSpacing(6);
    texts->addWidget(Label2);
    texts->addWidget(Label3);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(Picture, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(texts);

    YesBtn = new QPushButton(QStringLiteral("&Yes"), this);
    YesBtn->setObjectName(QStringLiteral("YesBtn"));
    NoBtn = new QPushButton(QStringLiteral("&No"), this);
    NoBtn->setObjectName(QStringLiteral("NoBtn"));
    YesBtn->setDefault(true);
    connect(YesBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(YesBtn);
    buttons->addWidget(NoBtn);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setContentsMargins(16, 14, 20, 12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TQueryColorPrinter::AskColourPrinter()
{
    YesBtn->setFocus();
    return exec() == QDialog::Accepted;
}

} // namespace custodex
