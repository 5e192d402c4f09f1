#include "output/ui/CsvExportDialog.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace custodex {

TCsvConvert::TCsvConvert(Prompter& prompter, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), Messages(prompter), Dialogs(dialogs)
{
    setObjectName(QStringLiteral("TCsvConvert"));
    setWindowTitle(QStringLiteral("Calendar to Comma Separated Values (.csv) File Format"));
    auto check = [](const QString& caption, const char* name, QWidget* parent) {
        auto* box = new QCheckBox(caption, parent);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    auto* fixed = new QGroupBox(QStringLiteral("Columns"), this);
    CsvYear = check(QStringLiteral("Year  (Always)"), "CsvYear", fixed);
    CsvMonth = check(QStringLiteral("Month  (Always)"), "CsvMonth", fixed);
    CsvDay = check(QStringLiteral("Day of Month  (Always)"), "CsvDay", fixed);
    CsvWeekDay = check(QStringLiteral("Day of &Week"), "CsvWeekDay", fixed);
    for (QCheckBox* always : {CsvYear, CsvMonth, CsvDay}) {
        always->setChecked(true);
        always->setEnabled(false);
    }
    auto* fixedLayout = new QVBoxLayout(fixed);
    for (QCheckBox* box : {CsvYear, CsvMonth, CsvDay, CsvWeekDay})
        fixedLayout->addWidget(box);

    CsvOvrNites = new QGroupBox(QStringLiteral("&Over Night Stays"), this);
    CsvOvrNites->setObjectName(QStringLiteral("CsvOvrNites"));
    CsvOvrNites->setCheckable(true);
    CsvOvrNites->setChecked(false);
    CsvOvrNiteReason =
        check(QStringLiteral("Over Night Stay Reason"), "CsvOvrNiteReason", CsvOvrNites);
    CsvOvrNiteStrtTime =
        check(QStringLiteral("Start Time of Over Night Stay"), "CsvOvrNiteStrtTime", CsvOvrNites);
    CsvOvrNiteEndTime =
        check(QStringLiteral("End Time of Over Night Stay"), "CsvOvrNiteEndTime", CsvOvrNites);
    CsvOvrNiteStrtTime->setToolTip(QStringLiteral("Written as a number: 6:00PM becomes 1800"));
    CsvOvrNiteEndTime->setToolTip(CsvOvrNiteStrtTime->toolTip());
    auto* overnightLayout = new QVBoxLayout(CsvOvrNites);
    for (QCheckBox* box : {CsvOvrNiteReason, CsvOvrNiteStrtTime, CsvOvrNiteEndTime})
        overnightLayout->addWidget(box);

    CsvDayVisits = new QGroupBox(QStringLiteral("&Day Visits"), this);
    CsvDayVisits->setObjectName(QStringLiteral("CsvDayVisits"));
    CsvDayVisits->setCheckable(true);
    CsvDayVisits->setChecked(false);
    CsvDayVisitReason =
        check(QStringLiteral("Day Visit Reason"), "CsvDayVisitReason", CsvDayVisits);
    CsvDayVisitStrtTime =
        check(QStringLiteral("Start Time of Day Visit"), "CsvDayVisitStrtTime", CsvDayVisits);
    CsvDayVisitEndTime =
        check(QStringLiteral("End Time of Day Visit"), "CsvDayVisitEndTime", CsvDayVisits);
    CsvDayVisitStrtTime->setToolTip(QStringLiteral("Written as a number: 6:00PM becomes 1800"));
    CsvDayVisitEndTime->setToolTip(CsvDayVisitStrtTime->toolTip());
    auto* dayVisitLayout = new QVBoxLayout(CsvDayVisits);
    for (QCheckBox* box : {CsvDayVisitReason, CsvDayVisitStrtTime, CsvDayVisitEndTime})
        dayVisitLayout->addWidget(box);

    CsvBlankDays =
        check(QStringLiteral("&All days (includes days without an overnight stay or a day visit)"),
              "CsvBlankDays", this);

    auto* separators = new QGroupBox(QStringLiteral("Field Separator"), this);
    RadioComma = new QRadioButton(QStringLiteral(", (comma)"), separators);
    RadioSemicolon = new QRadioButton(QStringLiteral("; (semicolon)"), separators);
    RadioCustom = new QRadioButton(QStringLiteral("Custom"), separators);
    RadioEdit = new QLineEdit(separators);
    RadioEdit->setObjectName(QStringLiteral("RadioEdit"));
    RadioEdit->setMaxLength(1);
    RadioEdit->setFixedWidth(30);
    auto* separatorLayout = new QHBoxLayout(separators);
    separatorLayout->addWidget(RadioComma);
    separatorLayout->addWidget(RadioSemicolon);
    separatorLayout->addWidget(RadioCustom);
    separatorLayout->addWidget(RadioEdit);
    separatorLayout->addStretch();
    connect(RadioEdit, &QLineEdit::textEdited, this, [this] { RadioCustom->setChecked(true); });

    SaveBtn = new QPushButton(QStringLiteral("&Save .csv"), this);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    connect(SaveBtn, &QPushButton::clicked, this, &TCsvConvert::SaveBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QGridLayout;
    groups->addWidget(fixed, 0, 0, 2, 1);
    groups->addWidget(CsvOvrNites, 0, 1);
    groups->addWidget(CsvDayVisits, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(CsvBlankDays);
    layout->addWidget(separators);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this, CsvBlankDays); // the long caption reads in full
}

CsvOptions TCsvConvert::Options() const
{
    CsvOptions options;
    options.WeekDay = CsvWeekDay->isChecked();
    options.Overnights = CsvOvrNites->isChecked();
    options.OvernightReason = CsvOvrNiteReason->isChecked();
    options.OvernightStart = CsvOvrNiteStrtTime->isChecked();
    options.OvernightEnd = CsvOvrNiteEndTime->isChecked();
    options.DayVisits = CsvDayVisits->isChecked();
    options.DayVisitReason = CsvDayVisitReason->isChecked();
    options.DayVisitStart = CsvDayVisitStrtTime->isChecked();
    options.DayVisitEnd = CsvDayVisitEndTime->isChecked();
    options.AllDays = CsvBlankDays->isChecked();
    return options;
}

void TCsvConvert::Execute(CalendarDocument& doc)
{
    Doc = &doc;
    Words.clear();
    RadioComma->setChecked(true);
    RadioEdit->clear();
    FitCaption(this, CsvBlankDays);
    exec();
    Doc = nullptr;
}

void TCsvConvert::SaveBtnClick()
{
    if (!Doc)
        return;
    const CsvSeparatorChoice choice = RadioSemicolon->isChecked() ? CsvSeparatorChoice::Semicolon
                                      : RadioCustom->isChecked()  ? CsvSeparatorChoice::Custom
                                                                  : CsvSeparatorChoice::Comma;
    const std::optional<QChar> separator = CsvSeparator(choice, RadioEdit->text());
    if (!separator) {
        Messages.Ask(PromptKind::Error, CsvSeparatorMessage, PromptButtons::Ok);
        accept();
        return;
    }
    FileDialogRequest request{QStringLiteral("Create a Calendar .csv file"), Doc->ClientFolder,
                              Doc->ClientName, QStringLiteral("Comma Separated Values (*.csv)"),
                              QStringLiteral("csv")};
    // The dialog's own overwrite question would be about the name typed, not the file
    // written once ".csv" is added; SaveCsvFile asks about the real one.
    const QString chosen = Dialogs.SaveFileName(request);
    if (!chosen.isEmpty()) {
        CsvOptions options = Options();
        options.Separator = *separator;
        if (SaveCsvFile(*Doc, chosen, options, Messages))
            Words = QStringLiteral("Exported ") + QFileInfo(CsvFilePath(chosen)).fileName() +
                    QStringLiteral(" in ") +
                    QDir::toNativeSeparators(QFileInfo(CsvFilePath(chosen)).absolutePath());
    }
    accept();
}

} // namespace custodex
