#include "overview/fAbout.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "core/uUtils.h"
#include "overview/Logo.h"
#include "platform/ProgramDirectory.h"
#include "support/OrvErrors.h"

#include <QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>

ORV_METHOD_PREFIXES(TfrmAbout)

namespace {
const char* const kDisclaimer =
    "Pavenda 2024 berekent de vrije ruimte van de werkkostenregeling op basis van de gegevens die u "
    "vastlegt of inleest. De uitkomsten zijn een hulpmiddel bij uw administratie en geen fiscaal advies. "
    "Controleer de berekening en de gebruikte bedragen voordat u ze in een loonaangifte verwerkt. "
    "De maker is niet aansprakelijk voor schade door onjuiste invoer of onjuist gebruik van het programma.";

QLabel* Label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

}

TfrmAbout::TfrmAbout(QWidget* owner) : TBaseForm(owner) {
    WithPrefix(Prefix("Create"), [&] {
        setObjectName(QStringLiteral("frmAbout"));
        setWindowTitle(QStringLiteral("Over Pavenda 2024"));
        setFixedSize(411, 379);
        SetHelpContext(16);

        auto* panel = new QWidget(this);
        panel->setObjectName(QStringLiteral("pnlAbout"));
        panel->setGeometry(0, 0, 411, 327);
        panel->setAutoFillBackground(true);
        QPalette white = panel->palette();
        white.setColor(QPalette::Window, Qt::white);
        panel->setPalette(white);

        imLogo = Label(panel, "imLogo", QString(), QRect(12, 12, 230, 56));
        imLogo->setPixmap(PavendaLogo(imLogo->size()));
        lblZemlo = Label(panel, "lblZemlo", QStringLiteral("Zemlo 2024"), QRect(12, 80, 200, 18));
        QFont bold = lblZemlo->font();
        bold.setBold(true);
        lblZemlo->setFont(bold);
        lblBuild = Label(panel, "lblBuild", QString(), QRect(220, 80, 180, 18));
        lblDb = Label(panel, "lblDb", QString(), QRect(12, 100, 200, 18));
        lblDatabaseVersie =
            Label(panel, "lblDatabaseVersie", QStringLiteral("Niet geinstalleerd"), QRect(220, 100, 180, 18));
        lblWebTekst = Label(panel, "lblWebTekst", QStringLiteral("Zemlo website: "), QRect(12, 126, 130, 18));
        lblWebsite =
            Label(panel, "lblWebsite",
                  QStringLiteral("<a href=\"%1\" style=\"color:blue\">%1</a>").arg(QLatin1String(kPavendaWebsite)),
                  QRect(150, 126, 250, 18));
        lblWebsite->setCursor(Qt::PointingHandCursor);
        ConnectGuarded(lblWebsite, &QLabel::linkActivated, this, [this] { lblWebsiteClick(); });
        lblDirectoryTekst =
            Label(panel, "lblDirectoryTekst", QStringLiteral("Programmadirectory: "), QRect(12, 148, 135, 18));
        lblDirectory = Label(panel, "lblDirectory", QString(), QRect(150, 148, 250, 36));
        lblDirectory->setWordWrap(true);
        lblDirectory->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette blue = lblDirectory->palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        lblDirectory->setPalette(blue);
        Label3 = Label(panel, "Label3", QStringLiteral("Pavenda"), QRect(12, 190, 200, 18));

        memoServiceInfo = new QPlainTextEdit(panel);
        memoServiceInfo->setObjectName(QStringLiteral("memoServiceInfo"));
        memoServiceInfo->setGeometry(12, 212, 387, 105);
        memoServiceInfo->setReadOnly(true);
        memoServiceInfo->setPlainText(QString::fromUtf8(kDisclaimer));
        QPalette pink = memoServiceInfo->palette();
        pink.setColor(QPalette::Base, QColor(0xFF, 0xCF, 0xCF));
        memoServiceInfo->setPalette(pink);

        btnOk = new TOrvButton(this);
        btnOk->setObjectName(QStringLiteral("btnOk"));
        btnOk->SetCaption(QStringLiteral("Ok"));
        btnOk->setGeometry((411 - 110) / 2, 335, 110, 34);
        StyleAsPictureButton(btnOk);
        btnOk->SetModalResult(1);
    });
}

void TfrmAbout::Initialize(TOrvADOConnection* connection) {
    WithPrefix(Prefix("FormActivate"), [&] {
        TBaseForm::Initialize();
        lblBuild->setText(QStringLiteral("Versie 2024.1"));
        lblDb->setText(QStringLiteral("Database"));
        lblDatabaseVersie->setText(QStringLiteral("Versie ") +
                                   GetDBParamValue(connection, QStringLiteral("DB_VERSIE")));
        lblDirectory->setText(ProgramDirectory());
    });
}

void TfrmAbout::lblWebsiteClick() {
    WithPrefix(Prefix("lblWebsiteClick"), [&] { QDesktopServices::openUrl(QUrl(QLatin1String(kPavendaWebsite))); });
}
