#pragma once
// The one way to write a document that replaces an older one only when complete (a report as PDF or
// workbook): it is written into a hidden partial file beside its place, flushed to the disk and then given
// the document's name in one step, so the old document stays whole until the new one is.

#include <QFile>
#include <QString>

#include <functional>

// Writes the document at path through write, which fills the partial file it is given: through the open
// file itself (a writer on a QIODevice), or by its fileName() (a writer that opens the file on its own and
// raises when it fails). A write that fails, also one the writer itself does not notice (a full disk), a
// flush that fails or a name that cannot be given raise a Dutch message naming the document and leave what
// was at path as it was; the partial file is removed.
//
// Partial files beside path that a run left when it ended (killed, a power cut) are removed first; one that
// a running writer still holds is left to it.
void SchrijfBestand(const QString& path, const std::function<void(QFile& tijdelijk)>& write);
