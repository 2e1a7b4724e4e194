#pragma once
// Text processing of the message dialog, kept free of widgets so it can be tested on its own.

#include "core/OrvMessages.h"

#include <QString>

// Every kind of line break (CR LF, CR, LF) made CR LF.
QString NormaliseLineBreaks(const QString& text);

// Drops the program identifiers (such as "TdmMain.OpenWerkgevers:") that routines put in front of an
// error message: words mixing small letters with two or more capitals, unless they hold a "-".
QString StripIdentifierWords(const QString& text);

struct TMessageText {
    QString Message;  // shown in the message area
    QString Detail;   // the full text: details area, clipboard, print
    bool HasDetails() const { return Detail != Message; }
};

// What the dialog shows for a text of the given kind. Only errors are shortened.
TMessageText ProcessMessageText(TOrvMessageType kind, const QString& text);
