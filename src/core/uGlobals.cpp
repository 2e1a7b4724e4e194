#include "core/uGlobals.h"

bool QueltStart = false;
bool SluitZonderVraag = false;
int ShutdownExitCode = 0;

const char* const kScrambledPassword = "Ad zqQ #&!<Hvyy!ExF4";

QString UnscramblePassword(const QString& scrambled) {
    QString password;
    password.reserve(scrambled.size());
    for (int i = 0; i < scrambled.size(); ++i) password.append(QChar(scrambled[i].unicode() ^ (0x11 + i % 5)));
    return password;
}
