#pragma once
// The report as an Excel workbook: one sheet per section, amounts as real numbers formatted "#,##0.00",
// a frozen title row and column widths that fit their contents.

#include <QString>

struct TRapportage;

// Writes the workbook at path (replacing a file there); raises with the writer's reason on failure.
void WriteRapportXlsx(const TRapportage& rapport, const QString& path);
