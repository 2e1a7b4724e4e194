#include "report/RapportPdf.h"

#include "platform/Progress.h"
#include "platform/SchrijfBestand.h"
#include "report/uRapportage.h"
#include "support/OrvErrors.h"

#include <QLocale>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPageLayout>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include <algorithm>

namespace {
constexpr int kDpi = 300;
constexpr double kMarginMm = 12.0;
constexpr double kFontPt = 8.0;

// An amount the Dutch way, "1.234,56"; unlike the lists a zero is printed, so a column never looks unfilled.
QString DutchAmount(const QVariant& value) {
    if (value.isNull()) return QString();
    static const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QString text = dutch.toString(value.toDouble(), 'f', 2);
    if (text == QLatin1String("-0,00")) text = QStringLiteral("0,00");
    return text;
}

bool Bedrag(const TRapportKolom& kolom) { return kolom.Soort == TKolomSoort::Bedrag; }

const QStringList kMaanden = {QStringLiteral("januari"), QStringLiteral("februari"), QStringLiteral("maart"),
                              QStringLiteral("april"),   QStringLiteral("mei"),      QStringLiteral("juni"),
                              QStringLiteral("juli"),    QStringLiteral("augustus"), QStringLiteral("september"),
                              QStringLiteral("oktober"), QStringLiteral("november"), QStringLiteral("december")};

QString DutchDate(const QDate& date) {
    return QStringLiteral("%1 %2 %3").arg(date.day()).arg(kMaanden[date.month() - 1]).arg(date.year());
}

// One section: its title, the sheet's shown columns and its rows, split over pages.
struct TSectie {
    QString Titel;
    const TRapportBlad* Rijen = nullptr;
    QList<TRapportKolom> Kolommen;
    QList<int> Velden;           // the sheet's fields of the columns
    QList<QStringList> Teksten;  // the cells as they are printed
    QList<QList<double>> Maten;  // their widths
    int Pagina = 0;              // first page, 0-based
    int Paginas = 1;             // an empty section still gets its page with the titles
};

TSectie Sectie(const QString& titel, const TRapportBlad& blad) {
    TSectie s;
    s.Titel = titel;
    s.Rijen = &blad;
    s.Velden = blad.GetoondeVelden();
    for (int veld : s.Velden) s.Kolommen.append(blad.Kolom(veld));
    return s;
}

class TPdfRapport {
public:
    TPdfRapport(QPdfWriter& writer, const QString& subtitel, const QDate& datum)
        : FWriter(writer), FSubtitel(subtitel), FDatum(DutchDate(datum)) {
        FFont = QFont(QStringLiteral("Arial"));
        FFont.setPointSizeF(kFontPt);
        FBold = FFont;
        FBold.setBold(true);
        FHeading = FBold;
        FHeading.setPointSizeF(kFontPt * 1.5);
        const QFontMetricsF metrics(FFont, &FWriter);
        FRowHeight = metrics.height() * 1.35;
        FPage = FWriter.pageLayout().paintRectPixels(kDpi);
        // Header: program, title, date; a section title; the column titles in two lines. Footer: the page number.
        FBodyTop = FRowHeight * 7.0;
        FBodyBottom = FPage.height() - FRowHeight * 2.0;
    }

    int RijenPerPagina() const { return std::max(1, int((FBodyBottom - FBodyTop) / FRowHeight)); }

    void Schrijf(QList<TSectie>& secties, TProgress& progress) {
        int pagina = 0;
        int totaalRijen = 0;
        for (TSectie& s : secties) {
            MaakTeksten(s);
            s.Pagina = pagina;
            s.Paginas = std::max(1, (s.Rijen->RecordCount() + RijenPerPagina() - 1) / RijenPerPagina());
            pagina += s.Paginas;
            totaalRijen += s.Rijen->RecordCount();
        }
        progress.SetTotal(totaalRijen);
        QPainter painter;
        if (!painter.begin(&FWriter)) throw EOrvError(QStringLiteral("Cannot start painting the PDF"));
        int gedaan = 0;
        for (const TSectie& s : secties) {
            const QList<double> breedtes = Breedtes(s);
            for (int p = 0; p < s.Paginas; ++p) {
                if (s.Pagina + p > 0) FWriter.newPage();
                Kop(painter, s, breedtes, s.Pagina + p + 1, pagina);
                const int first = p * RijenPerPagina();
                const int last = std::min(s.Rijen->RecordCount(), first + RijenPerPagina());
                painter.setFont(FFont);
                for (int r = first; r < last; ++r) {
                    Rij(painter, s, breedtes, r, FBodyTop + (r - first) * FRowHeight);
                    progress.Advance(++gedaan);
                }
            }
        }
        painter.end();
    }

private:
    void MaakTeksten(TSectie& s) const {
        const QFontMetricsF metrics(FFont, &FWriter);
        s.Teksten.reserve(s.Rijen->RecordCount());
        s.Maten.reserve(s.Rijen->RecordCount());
        for (int r = 0; r < s.Rijen->RecordCount(); ++r) {
            QStringList rij;
            QList<double> maten;
            for (int c = 0; c < s.Kolommen.size(); ++c) {
                const QVariant value = s.Rijen->Value(r, s.Velden[c]);
                rij.append(Bedrag(s.Kolommen[c]) ? DutchAmount(value) : value.toString());
                maten.append(metrics.horizontalAdvance(rij.last()));
            }
            s.Teksten.append(rij);
            s.Maten.append(maten);
        }
    }

    // Each column as wide as its widest cell and its title's longest word; too wide a report narrows its text
    // columns (their cells are shortened with an ellipsis), room to spare goes to them too.
    QList<double> Breedtes(const TSectie& s) const {
        const QFontMetricsF metrics(FFont, &FWriter);
        const QFontMetricsF bold(FBold, &FWriter);
        const double pad = 2 * Pad();
        QList<double> breedtes;
        double totaal = 0;
        double tekst = 0;  // what the text columns take
        for (int c = 0; c < s.Kolommen.size(); ++c) {
            // The title takes two lines at most.
            const QString& titel = s.Kolommen[c].Titel;
            double w = titel.contains(u' ') ? bold.horizontalAdvance(titel) * 0.6 : bold.horizontalAdvance(titel);
            for (const QString& woord : titel.split(u' ')) w = std::max(w, bold.horizontalAdvance(woord));
            for (const QList<double>& maten : s.Maten) w = std::max(w, maten[c]);
            breedtes.append(w + pad);
            totaal += w + pad;
            if (!Bedrag(s.Kolommen[c])) tekst += w + pad;
        }
        const double over = FPage.width() - totaal;
        for (int c = 0; c < s.Kolommen.size(); ++c) {
            if (over >= 0)
                breedtes[c] += over * breedtes[c] / totaal;
            else if (!Bedrag(s.Kolommen[c]) && tekst > 0)
                breedtes[c] += over * breedtes[c] / tekst;
        }
        return breedtes;
    }

    void Kop(QPainter& painter, const TSectie& s, const QList<double>& breedtes, int pagina, int paginas) {
        const double w = FPage.width();
        painter.setFont(FBold);
        painter.drawText(QRectF(0, 0, w, FRowHeight), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pavenda 2024"));
        painter.drawText(QRectF(0, 0, w, FRowHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Rapportage werkkostenregeling 2024"));
        painter.setFont(FFont);
        painter.drawText(QRectF(0, 0, w, FRowHeight), Qt::AlignRight | Qt::AlignVCenter, FDatum);
        painter.drawLine(QPointF(0, FRowHeight * 1.2), QPointF(w, FRowHeight * 1.2));
        painter.setFont(FHeading);
        painter.drawText(QRectF(0, FRowHeight * 1.6, w, FRowHeight * 1.6), Qt::AlignLeft | Qt::AlignVCenter, s.Titel);
        painter.setFont(FFont);
        painter.drawText(QRectF(0, FRowHeight * 3.2, w, FRowHeight), Qt::AlignLeft | Qt::AlignVCenter, FSubtitel);
        painter.setFont(FBold);
        double x = 0;
        const double y = FBodyTop - FRowHeight * 1.2;
        for (int c = 0; c < s.Kolommen.size(); ++c) {
            painter.drawText(Cel(x, y - FRowHeight, breedtes[c], 2), Uitlijning(s.Kolommen[c]) | Qt::TextWordWrap,
                             s.Kolommen[c].Titel);
            x += breedtes[c];
        }
        painter.drawLine(QPointF(0, FBodyTop - FRowHeight * 0.1), QPointF(w, FBodyTop - FRowHeight * 0.1));
        painter.setFont(FFont);
        painter.drawText(QRectF(0, FPage.height() - FRowHeight, w, FRowHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Pagina %1 van %2").arg(pagina).arg(paginas));
    }

    // Cells are placed by their measured widths: a point is far cheaper to draw at than an aligned rectangle.
    void Rij(QPainter& painter, const TSectie& s, const QList<double>& breedtes, int r, double y) {
        const QFontMetricsF metrics(FFont, &FWriter);
        const double baseline = y + (FRowHeight + metrics.ascent() - metrics.descent()) / 2;
        double x = 0;
        for (int c = 0; c < s.Kolommen.size(); ++c) {
            const QRectF cel = Cel(x, y, breedtes[c]);
            QString text = s.Teksten[r][c];
            double w = s.Maten[r][c];
            if (w > cel.width()) {
                text = metrics.elidedText(text, Qt::ElideRight, cel.width());
                w = metrics.horizontalAdvance(text);
            }
            painter.drawText(QPointF(Bedrag(s.Kolommen[c]) ? cel.right() - w : cel.left(), baseline), text);
            x += breedtes[c];
        }
    }

    // A cell keeps a little room on both sides, so right-aligned amounts do not touch the next column.
    double Pad() const { return FRowHeight * 0.25; }
    QRectF Cel(double x, double y, double breedte, int regels = 1) const {
        return QRectF(x + Pad(), y, breedte - 2 * Pad(), FRowHeight * regels);
    }
    static Qt::Alignment Uitlijning(const TRapportKolom& k) {
        return (Bedrag(k) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }

    QPdfWriter& FWriter;
    QString FSubtitel;
    QString FDatum;
    QFont FFont;
    QFont FBold;
    QFont FHeading;
    QRectF FPage;
    double FRowHeight = 0;
    double FBodyTop = 0;
    double FBodyBottom = 0;
};
}

void WriteRapportPdf(const TRapportage& rapport, const QString& path, const QDate& datum) {
    WithPrefix(QStringLiteral("WriteRapportPdf: "), [&] {
        TProgress progress(QStringLiteral("Rapportage als PDF opslaan"));
        const TRapportBlad regels(RegelKolommen(), rapport.Regels);
        const TRapportBlad advies(AdviesKolommen(), rapport.Advies);
        QList<TSectie> secties = {Sectie(QStringLiteral("Eindheffing per werkgever en concern"), regels),
                                  Sectie(QStringLiteral("Concernadvies: concernregeling of apart aangeven"), advies)};
        const QString subtitel = rapport.ExclusiefProforma ? QStringLiteral("Exclusief proforma bedragen")
                                                           : QStringLiteral("Inclusief proforma bedragen");
        SchrijfBestand(path, [&](QFile& tijdelijk) {
            QPdfWriter writer(&tijdelijk);
            writer.setResolution(kDpi);
            writer.setCreator(QStringLiteral("Pavenda 2024"));
            writer.setTitle(QStringLiteral("Rapportage werkkostenregeling 2024"));
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                             QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                             QPageLayout::Millimeter));
            TPdfRapport(writer, subtitel, datum).Schrijf(secties, progress);
        });
    });
}
