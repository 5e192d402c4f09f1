#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace custodex {

class TRevisionHistory : public QDialog {
    Q_OBJECT

public:
    explicit TRevisionHistory(QWidget* parent = nullptr);
    QPlainTextEdit* Memo = nullptr;
};

class TTheAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TTheAboutBox(QWidget* parent = nullptr);
    QLabel* VersionLabel = nullptr;

    // Opens the revision history (a click on the version label).
    void VersionLabelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// This program's own release notes, newest first.
QString ReleaseNotes();

} // namespace custodex
