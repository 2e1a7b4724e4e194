#pragma once
// The report of the work-related costs scheme: per employer without a concern and per concern the wage sum,
// free space, counting costs, the share of the free space used, the remaining space or the excess, the
// final levy (80 % of the excess) and the return it is due in; and per concern whether filing as a concern
// pays. Everything is taken from the overview's rows, so the free-space rules stay in the overview query.

#include "report/RapportBlad.h"

#include <QList>
#include <QString>
#include <QVariant>

class QTextStream;
class TDataSet;
class TOrvADOConnection;

// The levy on the excess over the free space: 80 %.
inline constexpr double kEindheffingTarief = 0.80;

struct TRapportRegel {
    qint64 WerkgeverId = 0;  // for a concern: its member with the largest wage sum
    QVariant ConcernId;      // NULL for an employer without a concern
    QString Loonheffingennummer;
    QString Naam;
    QString Concern;
    double Loonsom = 0;
    double VrijeRuimte = 0;
    double Kosten = 0;
    QVariant Benut;      // percentage of the free space used; NULL when there is no free space
    double Restant = 0;  // free space minus costs
    double Overschrijding = 0;
    double Eindheffing = 0;
    QString Aangifte;  // empty when no levy is due
};

struct TConcernAdvies {
    qint64 ConcernId = 0;
    QString Concern;
    int Werkgevers = 0;
    double HeffingConcern = 0;  // levy on the concern's joint figures
    double HeffingApart = 0;    // sum of the members' levies as if each filed alone
    double Verschil = 0;        // HeffingConcern - HeffingApart
    QString Advies;
};

struct TRapportage {
    bool ExclusiefProforma = false;
    QList<TRapportRegel> Regels;   // ordered by WerkgeverId
    QList<TConcernAdvies> Advies;  // ordered by ConcernId
};

// What the costs exceed the free space by, in whole cents; 0 when they stay within it.
double Overschrijding(double vrijeRuimte, double kosten);
// The levy on the excess, in whole cents.
double Eindheffing(double vrijeRuimte, double kosten);
// The return over the second period of 2025 for a return period kind (1 month, 2 four weeks).
QString AangifteTijdvak(int aangiftetijdvak);
// "Concernregeling voordeliger", "Apart aangeven voordeliger" or "Geen verschil", to the cent.
QString AdviesTekst(double verschil);

// The report from the overview's rows as OpenWerkgevers gives them (without a row filter, so that every
// member of a concern is there).
TRapportage BerekenRapportage(const TDataSet& overview, bool exclusiefProforma);
// Runs the overview on the connection and computes the report, reporting progress.
TRapportage MaakRapportage(TOrvADOConnection& connection, bool exclusiefProforma);

// The columns of the two sheets, the employers and concerns and the concern advice, for the list, the PDF,
// the workbook and the CSV file.
const QList<TRijKolom<TRapportRegel>>& RegelKolommen();
const QList<TRijKolom<TConcernAdvies>>& AdviesKolommen();

// As the overview's CSV: a header line, amounts with a point and two decimals, CRLF line ends.
void WriteRapportCsv(const TRapportage& rapport, QTextStream& out);
void WriteAdviesCsv(const TRapportage& rapport, QTextStream& out);
