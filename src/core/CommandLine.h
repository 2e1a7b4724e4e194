#pragma once

#include <QStringList>

// True when the arguments hold the switch quelt_start after "-" or "/", in any letter case.
bool HasQueltStartSwitch(const QStringList& arguments);
