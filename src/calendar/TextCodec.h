#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's 8-bit text files. Written as Windows-1252 when every character fits (older
// copies read it), else as UTF-8 behind a byte-order mark. Read as UTF-8 only behind that
// mark, else as Windows-1252, whose five undefined bytes read as the matching C1 controls.
// Guessing from the bytes would misread legacy text that happens to be valid UTF-8; this
// way every file reads back to the text it was written from, and every legacy byte survives.

namespace custodex {

// `ok` (when given) turns false for a file behind the mark whose bytes are not UTF-8.
QString DecodeText(const QByteArray& bytes, bool* ok = nullptr);
QByteArray EncodeText(const QString& text);

// Splits on LF, dropping one CR before it; a final line without LF counts as a line. A CR
// anywhere else reads as a blank, as the writers store it.
QStringList SplitTextLines(const QString& text);

} // namespace custodex
