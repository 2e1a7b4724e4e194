#pragma once
// Fixed values of the program: return period kinds, period texts and the dbparams keys.

#include <QString>

// Return period kinds (Werkgevers.AangifteTijdvak). Every value other than four weeks counts as a month.
inline constexpr int kAangifteTijdvakMaand = 1;
inline constexpr int kAangifteTijdvakVierWeken = 2;

inline constexpr int kMaandPerioden = 12;
inline constexpr int kVierWekenPerioden = 13;

// The period choice that stands for every period of the year.
inline constexpr const char* kAllePeriodenKey = "X";
inline constexpr const char* kAllePeriodenTekst = "Alle tijdvakken";

// The tax year of this program.
inline constexpr int kBelastingjaar = 2024;

// dbparams keys (stored in lower case).
inline constexpr const char* kParamSelSysColor = "SelSysColor";
inline constexpr const char* kParamZemloConversie = "Zemlo_Conversie";
inline constexpr const char* kParamQueltKoppeling = "QueltKoppeling";
inline constexpr const char* kParamDbVersie = "DB_VERSIE";

// The payroll program's file whose presence in the program directory links it by default.
inline constexpr const char* kQueltProgramFile = "Quelt2024.exe";
