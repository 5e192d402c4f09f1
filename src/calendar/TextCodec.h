#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's 8-bit text files: read as UTF-8 when the bytes are valid UTF-8, else as
// Windows-1252; written as Windows-1252 when every character fits (older copies read it),
// else as UTF-8.

namespace custodex {

QString DecodeText(const QByteArray& bytes);
QByteArray EncodeText(const QString& text);

// Splits on LF, dropping one CR before it; a final line without LF counts as a line.
QStringList SplitTextLines(const QString& text);

} // namespace custodex
