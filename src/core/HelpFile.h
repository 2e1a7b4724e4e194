#pragma once
// Where the help file is opened from. The help file next to the program is copied to the user's temporary
// directory so it always opens from a local disk; a copy of the same size is reused.

#include <QString>

inline constexpr const char* kHelpFileName = "Zemlo2024.CHM";

// The help file to use: the temporary copy, or the one next to the program when the copy cannot be made,
// or empty when there is no help file. Never raises.
QString PlaceHelpFile(const QString& programDirectory, const QString& temporaryDirectory);

// The help file the program opens topics from; empty when there is none.
QString ApplicationHelpFile();
void SetApplicationHelpFile(const QString& path);
