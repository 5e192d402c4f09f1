#include "patterns/ui/ListBuilderWindow.h"

#include "calendar/CalendarModel.h"
#include "calendar/ProgramSettings.h"
#include "calendar/ui/DialogParts.h"
#include "output/ExportFile.h"
#include "patterns/IcsImport.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace custodex {

namespace {

QString LongDate(const QDate& date)
{
    return QLocale::c().toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

QPushButton* Button(QWidget* parent, const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

ListEntryDialog::ListEntryDialog(Prompter& messages, QWidget* parent)
    : QDialog(parent), Messages(messages)
{
    setObjectName(QStringLiteral("ListEntryDialog"));
    Overnight = new QRadioButton(QStringLiteral("&Overnight (ON)"), this);
    DayVisit = new QRadioButton(QStringLiteral("&Day visit (DV)"), this);
    Overnight->setChecked(true);
    From = new QDateEdit(this);
    To = new QDateEdit(this);
    for (QDateEdit* edit : {From, To}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    Reason = new QLineEdit(this);
    Reason->setMaxLength(100);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(Overnight);
    kinds->addWidget(DayVisit);
    kinds->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kind:"), kinds);
    form->addRow(QStringLiteral("&From:"), From);
    form->addRow(QStringLiteral("&To:"), To);
    form->addRow(QStringLiteral("&Reason:"), Reason);
    const OkCancelButtons buttons = LayOutWithOkCancel(*this, form);
    OkBtn = buttons.Ok;
    CancelBtn = buttons.Cancel;
    connect(OkBtn, &QPushButton::clicked, this, &ListEntryDialog::OkClick);
    // Moving the first day of a range moves its end along when it would fall before it.
    connect(From, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (To->isEnabled() && To->date() < date)
            To->setDate(date);
    });
    setMinimumWidth(420);
}

std::optional<std::vector<ListLine>> ListEntryDialog::Ask(const ListTemplate& list,
                                                          const ListLine& start, bool range)
{
    List = &list;
    Result.clear();
    setWindowTitle(range ? QStringLiteral("Add Entries") : QStringLiteral("Edit Entry"));
    (start.Kind == ListEntryKind::Overnight ? Overnight : DayVisit)->setChecked(true);
    // The span's days can be chosen, and one day outside it so a date typed past an end is
    // seen and refused with its message rather than silently held at the end.
    for (QDateEdit* edit : {From, To})
        edit->setDateRange(SpanFirstDay(list).addDays(-1), SpanLastDay(list).addDays(1));
    From->setDate(start.Date);
    To->setDate(start.Date);
    To->setEnabled(range);
    Reason->setText(start.Reason);
    Reason->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Result;
}

void ListEntryDialog::OkClick()
{
    const QDate from = From->date();
    const QDate to = To->isEnabled() ? To->date() : from;
    for (QDateEdit* edit : {From, To})
        if (!IsInSpan(*List, edit->date())) {
            Messages.Ask(PromptKind::Error,
                         LongDate(edit->date()) +
                             QStringLiteral(" is not within the list's 24 months (") +
                             LongDate(SpanFirstDay(*List)) + QStringLiteral(" to ") +
                             LongDate(SpanLastDay(*List)) + QStringLiteral(")."),
                         PromptButtons::Ok);
            edit->setFocus();
            return;
        }
    if (to < from) {
        Messages.Ask(PromptKind::Error, QStringLiteral("The last day comes before the first day."),
                     PromptButtons::Ok);
        To->setFocus();
        return;
    }
    if (const std::optional<QString> problem = ListReasonProblem(Reason->text())) {
        Messages.Ask(PromptKind::Error, *problem, PromptButtons::Ok);
        Reason->setFocus();
        return;
    }
    const ListEntryKind kind =
        Overnight->isChecked() ? ListEntryKind::Overnight : ListEntryKind::DayVisit;
    Result.clear();
    for (QDate day = from; day <= to; day = day.addDays(1))
        Result.push_back({true, kind, day, Reason->text(), QString()});
    accept();
}

IcsImportDialog::IcsImportDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IcsImportDialog"));
    setWindowTitle(QStringLiteral("Import .ics"));
    AsOvernights = new QRadioButton(QStringLiteral("As &overnights: one entry per night"), this);
    AsDayVisits = new QRadioButton(QStringLiteral("As &day visits: one entry per day"), this);
    AsOvernights->setChecked(true);
    Reason = new QLineEdit(this);
    Reason->setMaxLength(100);
    Reason->setPlaceholderText(QStringLiteral("each event's summary"));
    auto* form = new QFormLayout;
    form->addRow(AsOvernights);
    form->addRow(AsDayVisits);
    form->addRow(QStringLiteral("&Reason:"), Reason);
    const OkCancelButtons buttons = LayOutWithOkCancel(*this, form, QStringLiteral("Import"));
    connect(buttons.Ok, &QPushButton::clicked, this, &QDialog::accept);
}

TListBuilder::TListBuilder(Prompter& messages, FileDialogs& dialogs, ListTemplate start,
                           QString folder, bool forCalendar, QWidget* parent)
    : QMainWindow(parent), Messages(messages), Dialogs(dialogs), List(std::move(start)),
      Folder(std::move(folder))
{
    setObjectName(QStringLiteral("TListBuilder"));
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto* spanBox = new QGroupBox(QStringLiteral("The list's 24 months"), central);
    Client = new QLineEdit(List.ClientName, spanBox);
    Client->setObjectName(QStringLiteral("Client"));
    StartYear = new QSpinBox(spanBox);
    StartYear->setObjectName(QStringLiteral("StartYear"));
    StartYear->setRange(1900, 2999);
    StartYear->setValue(List.StartYear);
    StartMonth = new QComboBox(spanBox);
    StartMonth->setObjectName(QStringLiteral("StartMonth"));
    StartMonth->addItems(DisplayMonthNames());
    StartMonth->setCurrentIndex(List.StartMonthIndex);
    SpanLabel = new QLabel(spanBox);
    SpanLabel->setObjectName(QStringLiteral("SpanLabel"));
    auto* spanLayout = new QFormLayout(spanBox);
    spanLayout->addRow(QStringLiteral("&Client:"), Client);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(StartMonth);
    startRow->addWidget(StartYear);
    startRow->addStretch();
    auto* startLabel = new QLabel(QStringLiteral("Start &month and year:"), spanBox);
    startLabel->setBuddy(StartMonth);
    spanLayout->addRow(startLabel, startRow);
    spanLayout->addRow(QString(), SpanLabel);
    // Started for a calendar, the list belongs to that calendar's span and client.
    for (QWidget* field : std::initializer_list<QWidget*>{Client, StartYear, StartMonth})
        field->setEnabled(!forCalendar);

    Entries = new QTreeWidget(central);
    Entries->setObjectName(QStringLiteral("Entries"));
    Entries->setColumnCount(3);
    Entries->setHeaderLabels(
        {QStringLiteral("Kind"), QStringLiteral("Date"), QStringLiteral("Reason")});
    Entries->setRootIsDecorated(false);
    Entries->setUniformRowHeights(true);
    Entries->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Entries->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    AddBtn = Button(central, QStringLiteral("&Add..."), "AddBtn");
    EditBtn = Button(central, QStringLiteral("&Edit..."), "EditBtn");
    RemoveBtn = Button(central, QStringLiteral("&Remove"), "RemoveBtn");
    ImportBtn = Button(central, QStringLiteral("&Import .ics..."), "ImportBtn");
    OpenBtn = Button(central, QStringLiteral("&Open..."), "OpenBtn");
    SaveBtn = Button(central, QStringLiteral("&Save"), "SaveBtn");
    SaveAsBtn = Button(central, QStringLiteral("Sa&ve As..."), "SaveAsBtn");
    auto* closeBtn = Button(central, QStringLiteral("Close"), "CloseBtn");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {AddBtn, EditBtn, RemoveBtn, ImportBtn})
        buttons->addWidget(button);
    buttons->addSpacing(16);
    for (QPushButton* button : {OpenBtn, SaveBtn, SaveAsBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeBtn);
    auto* row = new QHBoxLayout;
    row->addWidget(Entries, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(spanBox);
    layout->addLayout(row, 1);

    EntryDialog = new ListEntryDialog(Messages, this);
    ImportDialog = new IcsImportDialog(this);
    connect(AddBtn, &QPushButton::clicked, this, &TListBuilder::AddClick);
    connect(EditBtn, &QPushButton::clicked, this, &TListBuilder::EditClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TListBuilder::RemoveClick);
    connect(ImportBtn, &QPushButton::clicked, this, &TListBuilder::ImportClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TListBuilder::OpenClick);
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveClick(); });
    connect(SaveAsBtn, &QPushButton::clicked, this, [this] { SaveAsClick(); });
    connect(closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(Entries, &QTreeWidget::itemActivated, this, &TListBuilder::EditClick);
    connect(Client, &QLineEdit::textEdited, this, [this](const QString& text) {
        List.ClientName = text;
        Touch();
    });
    connect(StartYear, &QSpinBox::valueChanged, this, [this](int year) {
        if (Filling)
            return;
        List.StartYear = year;
        ShowSpan();
        Touch();
    });
    connect(StartMonth, &QComboBox::currentIndexChanged, this, [this](int month) {
        if (Filling)
            return;
        List.StartMonthIndex = std::max(0, month);
        ShowSpan();
        Touch();
    });
    SortEntries(List);
    ShowSpan();
    ShowTitle();
    resize(760, 560);
}

void TListBuilder::ShowSpan()
{
    SpanLabel->setText(LongDate(SpanFirstDay(List)) + QStringLiteral(" to ") +
                       LongDate(SpanLastDay(List)));
    Fill(Entries->currentIndex().row());
}

void TListBuilder::ShowTitle()
{
    setWindowTitle((Path.isEmpty() ? ProposedTemplateFileName(List) : QFileInfo(Path).fileName()) +
                   (Changed ? QStringLiteral(" *") : QString()) +
                   QStringLiteral(" \u2014 Custom List Builder"));
}

void TListBuilder::Touch()
{
    Changed = true;
    ShowTitle();
}

void TListBuilder::Fill(int current)
{
    Entries->clear();
    for (const ListLine& line : List.Lines) {
        auto* item = new QTreeWidgetItem(Entries);
        if (!line.IsEntry) {
            item->setText(0, QStringLiteral("\u2014"));
            item->setText(2, line.Text + QStringLiteral("   (no entry; kept as written)"));
            item->setForeground(2, palette().color(QPalette::Disabled, QPalette::Text));
            continue;
        }
        item->setText(0, line.Kind == ListEntryKind::Overnight ? QStringLiteral("ON")
                                                               : QStringLiteral("DV"));
        item->setText(1, LongDate(line.Date));
        item->setText(2, IsInSpan(List, line.Date)
                             ? line.Reason
                             : line.Reason + QStringLiteral("   (outside the 24 months)"));
    }
    const int count = static_cast<int>(List.Lines.size());
    if (count > 0)
        Entries->setCurrentItem(Entries->topLevelItem(std::clamp(current, 0, count - 1)));
    EditBtn->setEnabled(count > 0);
    RemoveBtn->setEnabled(count > 0);
}

void TListBuilder::AddClick()
{
    const int row = Entries->currentIndex().row();
    ListLine start{true, ListEntryKind::Overnight, SpanFirstDay(List), QString(), QString()};
    if (row >= 0 && row < static_cast<int>(List.Lines.size()) &&
        List.Lines[static_cast<std::size_t>(row)].IsEntry) {
        start = List.Lines[static_cast<std::size_t>(row)];
        start.Date = start.Date.addDays(1);
    }
    if (!IsInSpan(List, start.Date))
        start.Date = SpanFirstDay(List);
    const auto added = EntryDialog->Ask(List, start, true);
    if (!added)
        return;
    for (const ListLine& entry : *added)
        InsertEntry(List, entry);
    Fill(row);
    Touch();
}

void TListBuilder::EditClick()
{
    const int row = Entries->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(List.Lines.size()) ||
        !List.Lines[static_cast<std::size_t>(row)].IsEntry)
        return;
    const auto edited = EntryDialog->Ask(List, List.Lines[static_cast<std::size_t>(row)], false);
    if (!edited || edited->empty() || edited->front() == List.Lines[static_cast<std::size_t>(row)])
        return;
    List.Lines.erase(List.Lines.begin() + row);
    InsertEntry(List, edited->front());
    Fill(row);
    Touch();
}

void TListBuilder::RemoveClick()
{
    const int row = Entries->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(List.Lines.size()))
        return;
    List.Lines.erase(List.Lines.begin() + row);
    Fill(row);
    Touch();
}

void TListBuilder::ImportClick()
{
    const QString path =
        Dialogs.OpenFileName({QStringLiteral("Import an iCalendar File"), Folder, QString(),
                              QStringLiteral("iCalendar Files (*.ics)"), QStringLiteral("ics")});
    if (path.isEmpty())
        return;
    const std::optional<QByteArray> bytes = ReadRegularFile(path);
    if (!bytes) {
        Messages.Ask(PromptKind::Error, QStringLiteral("Cannot read ") + path + QStringLiteral("."),
                     PromptButtons::Ok);
        return;
    }
    if (ImportDialog->exec() != QDialog::Accepted)
        return;
    const QString reason = ImportDialog->Reason->text();
    if (!reason.isEmpty())
        if (const std::optional<QString> problem = ListReasonProblem(reason)) {
            Messages.Ask(PromptKind::Error, *problem, PromptButtons::Ok);
            return;
        }
    const QString fileName = QFileInfo(path).fileName();
    const std::optional<IcsImportResult> result =
        RunImport(*bytes,
                  {ImportDialog->AsOvernights->isChecked() ? ListEntryKind::Overnight
                                                           : ListEntryKind::DayVisit,
                   reason},
                  fileName);
    if (!result) {
        Messages.Ask(PromptKind::Information,
                     QStringLiteral("The import of ") + fileName +
                         QStringLiteral(" was cancelled; the list is as it was."),
                     PromptButtons::Ok);
    }
    else if (!result->Ok) {
        // Nothing is taken from a file that is no calendar.
        Messages.Ask(PromptKind::Error, result->Error, PromptButtons::Ok);
    }
    else {
        const int added = InsertEntries(List, result->Entries);
        Fill(0);
        if (added > 0)
            Touch();
        // The first events left out are named; make-list names them all.
        Messages.Ask(PromptKind::Information, IcsImportReport(*result, added, fileName, 20),
                     PromptButtons::Ok);
    }
    if (CloseAfterImport) {
        CloseAfterImport = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

std::optional<IcsImportResult> TListBuilder::RunImport(const QByteArray& bytes,
                                                       const IcsImportRequest& request,
                                                       const QString& fileName)
{
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    IcsImportResult result;
    const ListTemplate span = List; // the thread reads its own copy
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        result = ImportIcsEntries(bytes, span, request,
                                  {[&](int eventsDone, int events) {
                                       done = eventsDone;
                                       total = events;
                                   },
                                   &cancel});
    }));
    QProgressDialog progress(QStringLiteral("Reading the events of ") + fileName +
                                 QStringLiteral("..."),
                             QStringLiteral("Cancel"), 0, 0, this);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(QStringLiteral("Import .ics"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QTimer tick;
    tick.setInterval(50);
    connect(&tick, &QTimer::timeout, &progress, [&] {
        if (const int events = total.load(); events > 0 && progress.maximum() != events)
            progress.setMaximum(events);
        progress.setValue(done.load());
    });
    connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancel = true; });
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    ImportCancel = &cancel;
    centralWidget()->setEnabled(false);
    worker->start();
    tick.start();
    loop.exec();
    worker->wait();
    tick.stop();
    progress.close();
    centralWidget()->setEnabled(true);
    ImportCancel = nullptr;
    if (result.Cancelled)
        return std::nullopt;
    return result;
}

void TListBuilder::OpenClick()
{
    if (Changed && Messages.Ask(PromptKind::Confirmation,
                                QStringLiteral("Open another list and lose the changes to this "
                                               "one?"),
                                PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    const QString path = Dialogs.OpenFileName({QStringLiteral("Open a Custom List"), Folder,
                                               QString(), TemplateFilter, QStringLiteral("tcl")});
    if (path.isEmpty())
        return;
    const std::optional<CustomListTemplate> read = ReadCustomListTemplate(path);
    if (!read) {
        const QString cause = LastReadFailureCause(path);
        Messages.Ask(PromptKind::Error,
                     QStringLiteral("Cannot open file ") + path + QLatin1Char('.') +
                         (cause.isEmpty() ? QString() : QStringLiteral("\n\r") + cause),
                     PromptButtons::Ok);
        return;
    }
    List = ListTemplateFromRead(*read, path, List);
    Path = path;
    Folder = QFileInfo(path).absolutePath();
    Filling = true;
    Client->setText(List.ClientName);
    StartYear->setValue(List.StartYear);
    StartMonth->setCurrentIndex(List.StartMonthIndex);
    Filling = false;
    Changed = false;
    ShowSpan();
    ShowTitle();
}

bool TListBuilder::SaveClick()
{
    // The file being edited is written over without asking.
    return Path.isEmpty() ? SaveAsClick() : WriteTo(Path, false);
}

bool TListBuilder::SaveAsClick()
{
    if (List.ClientName.trimmed().isEmpty() || !IsValidFileNameText(List.ClientName)) {
        Messages.Ask(PromptKind::Error,
                     QStringLiteral("The list needs a client name that can be part of a file "
                                    "name."),
                     PromptButtons::Ok);
        Client->setFocus();
        return false;
    }
    const QString path = Dialogs.SaveFileName({QStringLiteral("Save the Custom List"), Folder,
                                               ProposedTemplateFileName(List), TemplateFilter,
                                               QStringLiteral("tcl")});
    if (path.isEmpty())
        return false;
    return WriteTo(ExportFilePath(path, QStringLiteral(".tcl")), true);
}

bool TListBuilder::WriteTo(const QString& path, bool askBeforeReplacing)
{
    if (const int outside = EntriesOutsideSpan(List); outside > 0) {
        Messages.Ask(PromptKind::Error,
                     CountOf(outside, QStringLiteral("entry"), QStringLiteral("entries")) +
                         (outside == 1 ? QStringLiteral(" lies outside the list's 24 months.\n\r"
                                                        "Remove it, or change the start month "
                                                        "and year.")
                                       : QStringLiteral(" lie outside the list's 24 months.\n\r"
                                                        "Remove them, or change the start month "
                                                        "and year.")),
                     PromptButtons::Ok);
        return false;
    }
    if (askBeforeReplacing) {
        if (!WriteAskingBeforeReplacing(
                path, [this] { return TemplateFileBytes(List); }, Messages))
            return false;
    }
    else if (const FileWriteError error = WriteWholeFile(path, TemplateFileBytes(List));
             error != FileWriteError::None) {
        Messages.Ask(PromptKind::Error, WriteRefusalMessage(error, path), PromptButtons::Ok);
        return false;
    }
    Path = path;
    Folder = QFileInfo(path).absolutePath();
    Changed = false;
    ShowTitle();
    statusBar()->showMessage(QStringLiteral("Saved ") + QDir::toNativeSeparators(path));
    return true;
}

void TListBuilder::closeEvent(QCloseEvent* event)
{
    if (ImportCancel) {
        // The import ends first; then the window closes as it would, asking about changes.
        *ImportCancel = true;
        CloseAfterImport = true;
        event->ignore();
        return;
    }
    if (Changed) {
        const PromptAnswer answer = Messages.Ask(
            PromptKind::Confirmation, QStringLiteral("Save the changes to the custom list?"),
            PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel || (answer == PromptAnswer::Yes && !SaveClick())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace custodex
