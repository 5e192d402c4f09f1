#pragma once

#include <QHash>
#include <QPointer>
#include <QString>

class QWidget;

namespace custodex {

// Help topics of the program's own help pages.
inline const QString HelpCalendar = QStringLiteral("html/cale1nzi.htm");
inline const QString HelpDayEditorOvernight = QStringLiteral("html/cale896c.htm");
inline const QString HelpDayEditorDayVisit = QStringLiteral("html/cale8hx0.htm");
inline const QString HelpPreferences = QStringLiteral("html/cale4asz.htm");
inline const QString HelpDistribution = QStringLiteral("html/cale46t0.htm");
inline const QString HelpAwayTimes = QStringLiteral("html/cale6bhv.htm");

class HelpService {
public:
    virtual ~HelpService() = default;
    // Opens the topic in a help window owned by `owner`; does not wait.
    virtual void ShowHelpTopic(QWidget* owner, const QString& topic) = 0;
    virtual void CloseAllHelp() = 0;
};

// Shows the pages shipped in the program's resources (":/help/<topic>") in browser windows,
// one window per topic: asking for a topic that is open brings its window to the front.
class HelpWindows : public HelpService {
public:
    void ShowHelpTopic(QWidget* owner, const QString& topic) override;
    void CloseAllHelp() override;
    int OpenCount() const;

private:
    QHash<QString, QPointer<QWidget>> Windows; // by topic
};

} // namespace custodex
