#pragma once

#include "patterns/ui/PatternWindow.h"

// The four pattern dialogs: odd/even/all and monthly patterns, each for overnight stays and
// for day visits. They differ only in their texts and rules, which the engine knows by the
// dialog and the kind of mark.

namespace custodex {

class TOddEvenAllON : public TPatternWindow {
    Q_OBJECT
public:
    TOddEvenAllON(Prompter& prompter, TUserClock& clock, std::function<void()> preview,
                  std::function<void()> refresh, QWidget* parent)
        : TPatternWindow(PatternDialog::OddEvenAll, ListKind::Overnights, prompter, clock,
                         std::move(preview), std::move(refresh), parent)
    {
        setObjectName(QStringLiteral("TOddEvenAllON"));
    }
};

class TOddEvenAllDV : public TPatternWindow {
    Q_OBJECT
public:
    TOddEvenAllDV(Prompter& prompter, TUserClock& clock, std::function<void()> preview,
                  std::function<void()> refresh, QWidget* parent)
        : TPatternWindow(PatternDialog::OddEvenAll, ListKind::DayVisits, prompter, clock,
                         std::move(preview), std::move(refresh), parent)
    {
        setObjectName(QStringLiteral("TOddEvenAllDV"));
    }
};

class TOversPerMonth : public TPatternWindow {
    Q_OBJECT
public:
    TOversPerMonth(Prompter& prompter, TUserClock& clock, std::function<void()> preview,
                   std::function<void()> refresh, QWidget* parent)
        : TPatternWindow(PatternDialog::Monthly, ListKind::Overnights, prompter, clock,
                         std::move(preview), std::move(refresh), parent)
    {
        setObjectName(QStringLiteral("TOversPerMonth"));
    }
};

class TDaysPerMonth : public TPatternWindow {
    Q_OBJECT
public:
    TDaysPerMonth(Prompter& prompter, TUserClock& clock, std::function<void()> preview,
                  std::function<void()> refresh, QWidget* parent)
        : TPatternWindow(PatternDialog::Monthly, ListKind::DayVisits, prompter, clock,
                         std::move(preview), std::move(refresh), parent)
    {
        setObjectName(QStringLiteral("TDaysPerMonth"));
    }
};

} // namespace custodex
