#pragma once

#include "cli/CliCommand.h"

// quality and care: the quality time and care time reports' figures on a calendar file, after
// the checks the menu commands make (running a stale hourly distribution first), as text or
// JSON.

namespace custodex::cli {

// --pictures DIR [--format bmp|jpg], as both commands take them.
struct PictureOptionSet {
    QCommandLineOption Pictures{
        QStringLiteral("pictures"),
        QStringLiteral("Also writes the report's pages as pictures of 1200 x 1575 pixels into "
                       "DIR, named as the program names them (an existing picture of that name "
                       "is replaced, as the program does)."),
        QStringLiteral("DIR")};
    QCommandLineOption Format{
        QStringLiteral("format"),
        QStringLiteral("The pictures' format: bmp (24-bit bitmap, the default) or jpg (JPEG at "
                       "the encoder's default settings)."),
        QStringLiteral("bmp|jpg"), QStringLiteral("bmp")};
};

// quality IN.cdb [--json] [--pictures DIR [--format bmp|jpg]]
class QualityCommand : public Command {
public:
    QualityCommand();
    bool PaintsPictures() const override { return true; }

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (the seventeen result texts, days, period with "
                       "from and to, notes) instead of the summary as text.")};
    const PictureOptionSet m_pictures;
};

// care IN.cdb [--period first|second|both] [--json] [--pictures DIR [--format bmp|jpg]]
class CareCommand : public Command {
public:
    CareCommand();
    bool PaintsPictures() const override { return true; }

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_period{
        QStringLiteral("period"),
        QStringLiteral("The years the report covers: first, second or both (default both)."),
        QStringLiteral("first|second|both"), QStringLiteral("both")};
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (the ten result texts, days, totalCareHours, "
                       "period with from and to) instead of the summary as text.")};
    const PictureOptionSet m_pictures;
};

} // namespace custodex::cli
