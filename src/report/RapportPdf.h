#pragma once
// The report as a PDF on A4 (landscape, so every column fits): a header with the program's name, the
// report's title and the date on every page, page numbers "Pagina n van m", amounts in the Dutch format,
// and the concern advice as a section of its own starting on a new page.

#include <QDate>
#include <QString>

struct TRapportage;

// Writes the PDF at path (replacing a file there only when complete); needs a QGuiApplication.
void WriteRapportPdf(const TRapportage& rapport, const QString& path, const QDate& datum);
