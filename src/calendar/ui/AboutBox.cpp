#include "calendar/ui/AboutBox.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace custodex {

QString ReleaseNotes()
{
    return QStringLiteral(
        "Version 4.10\n"
        "Calendar files are now saved through a temporary file that replaces the old one only when "
        "it is "
        "complete, so a full disk or a lost connection can no longer destroy a saved calendar. "
        "Reasons may "
        "hold semicolons and up to 100 characters without losing their day-visit times. The "
        "program runs "
        "once per user and a crashed copy no longer blocks the next start.\n\n"
        "Version 4.00\n"
        "Quality time now subtracts away-from-home activities, with a pie chart on its report. The "
        "care time "
        "report shows each parent's share of all hours of the chosen period.\n\n"
        "Version 3.50\n"
        "Custom repeat patterns and custom list templates. The extended overnight scan joins "
        "consecutive "
        "overnights into one stay.\n\n"
        "Version 3.00\n"
        "Two-year calendars with separate counters for each year. Hourly distribution report with "
        "a check of "
        "every entered time.\n\n"
        "Version 2.00\n"
        "Day visits with their own times and reasons, United States, Canadian and United Kingdom "
        "holiday "
        "lists, and the no-nap marker.\n\n"
        "Version 1.00\n"
        "First release: overnight stays marked day by day, with counters and printed calendars.");
}

TRevisionHistory::TRevisionHistory(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TRevisionHistory"));
    setWindowTitle(QStringLiteral("The Calendar Revision History"));
    auto* heading = new QLabel(QStringLiteral("Revision History"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    heading->setFont(bold);
    Memo = new QPlainTextEdit(ReleaseNotes(), this);
    Memo->setReadOnly(true);
    Memo->setFixedSize(625, 497);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    layout->addWidget(Memo);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

QPixmap CalendarPicture()
{
    QPixmap picture(96, 96);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRoundedRect(QRectF(6, 12, 84, 78), 6, 6);
    painter.setBrush(QColor(128, 0, 0));
    painter.drawRect(QRectF(6, 12, 84, 18));
    painter.setBrush(QColor(192, 192, 192));
    painter.setPen(QPen(Qt::gray, 1));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            painter.drawRect(QRectF(12 + 15 * c, 36 + 13 * r, 12, 10));
    return picture;
}

} // namespace

TTheAboutBox::TTheAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TTheAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* picture = new QLabel(this);
    picture->setPixmap(CalendarPicture());
    auto* product = new QLabel(QStringLiteral("Custodex Calendar"), this);
    QFont big = product->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 6);
    product->setFont(big);
    VersionLabel = new QLabel(QStringLiteral("Version 4.10"), this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setCursor(Qt::PointingHandCursor);
    VersionLabel->setToolTip(QStringLiteral("Click to see the revision history"));
    VersionLabel->installEventFilter(this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(product, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("For Windows 95, 98, NT, ME, XP and 2000"), this),
                      0, Qt::AlignHCenter);
    layout->addWidget(VersionLabel, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("(2 Year w/Quality Time)"), this), 0,
                      Qt::AlignHCenter);
    layout->addWidget(
        new QLabel(
            QStringLiteral(
                "(This software is based in part on the work of the Independent JPEG Group)"),
            this),
        0, Qt::AlignHCenter);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TTheAboutBox::VersionLabelClick()
{
    TRevisionHistory history(this);
    history.exec();
}

bool TTheAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == VersionLabel && event->type() == QEvent::MouseButtonRelease) {
        VersionLabelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TTheAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - frameGeometry().width()) / 2, area.top());
    }
}

} // namespace custodex
