#pragma once
// The program's own messages: caption always "Pavenda", Dutch buttons.

#include <QString>

void ZemloInfo(const QString& text);
void ZemloError(const QString& text);
int ZemloQuestion(const QString& text, bool allowCancel);
