#include "exchangeui/fZemloImport.h"

#include "binding/OrvADOConnection.h"
#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "exchange/uZemloImport.h"
#include "exchangeui/uStartUitwisseling.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>

ORV_METHOD_PREFIXES(TfrmZemloImport)

TfrmZemloImport::TfrmZemloImport(QWidget* owner)
    : TBaseOkCancel(owner), FADOOldConnection(new TOrvADOConnection(this)) {
    setObjectName(QStringLiteral("frmZemloImport"));
    setWindowTitle(QStringLiteral("Conversie Zemlo gegevens"));
    setFixedSize(705, 223);
    SetHelpContext(21);
    FADOOldConnection->setObjectName(QStringLiteral("FADOOldConnection"));

    lblUitleg = new QLabel(pnlBody);
    lblUitleg->setObjectName(QStringLiteral("lblUitleg"));
    QFont vet = ArialPixels(13);
    vet.setBold(true);
    lblUitleg->setFont(vet);
    lblUitleg->setWordWrap(true);
    lblUitleg->setText(QStringLiteral("Via dit scherm kunt u nieuwe of aangepaste concerns, werkgevers en "
                                      "kostencategorieën vanuit vorig boekjaar overnemen. "));
    lblUitleg->setGeometry(16, 12, 673, 36);

    lblSelectZemloDir = new QLabel(pnlBody);
    lblSelectZemloDir->setObjectName(QStringLiteral("lblSelectZemloDir"));
    lblSelectZemloDir->setFont(ArialPixels(13));
    lblSelectZemloDir->setGeometry(16, 56, 542, 18);

    edZemloMap = new TOrvEdit(pnlBody);
    edZemloMap->setObjectName(QStringLiteral("edZemloMap"));
    edZemloMap->setGeometry(16, 80, 542, 24);

    btnBladeren = new TOrvButton(pnlBody);
    btnBladeren->setObjectName(QStringLiteral("btnBladeren"));
    btnBladeren->SetCaption(QStringLiteral("Bladeren..."));
    btnBladeren->setGeometry(566, 76, 123, 32);
    StyleAsPictureButton(btnBladeren);
    ConnectGuarded(btnBladeren, &TOrvButton::clicked, this, [this] { btnBladerenClick(); });
    setTabOrder(edZemloMap, btnBladeren);
    setTabOrder(btnBladeren, btnOk);
}

TfrmZemloImport::~TfrmZemloImport() = default;

void TfrmZemloImport::Initialize() {
    WithPrefix(Prefix("Initialize"), [&] {
        TBaseOkCancel::Initialize();
        lblSelectZemloDir->setText(QStringLiteral("Selecteer Zemlo2023 programmadirectory"));
        edZemloMap->setText(VoorgesteldeZemloMap());
    });
}

void TfrmZemloImport::acOkExecute() { btnOkClick(); }

void TfrmZemloImport::btnOkClick() {
    WithPrefix(Prefix("btnOkClick"), [&] {
        // Only Nee stops: closing the question starts the conversion as well.
        if (ZemloQuestion(ConversieVraag(), false) == mrNo) return;
        if (!FData) throw EOrvError(QStringLiteral("No DB connection specified"));
        TZemloConversie conversie(*FData, *FADOOldConnection, edZemloMap->text());
        for (TUitwisseling* stap : conversie.Stappen()) {
            const TUitwisselingResultaat resultaat = stap->Uitvoeren();
            ToonResultaat(resultaat);
            if (resultaat.Status != TUitwisselingStatus::Uitgevoerd) return;
        }
    });
}

void TfrmZemloImport::btnBladerenClick() {
    QFileDialog odZemlo(this, QStringLiteral("Zemlo2023 locatie"));
    odZemlo.setObjectName(QStringLiteral("odZemlo"));
    odZemlo.setFileMode(QFileDialog::ExistingFile);
    // Last year's program as on Windows (Zemlo2023.EXE) or here (Zemlo2023), or its database itself.
    odZemlo.setNameFilter(QStringLiteral("Zemlo2023 (Zemlo2023.EXE Zemlo2023 Zemlo2023.mdb)"));
    const QString map = QFileInfo(edZemloMap->text()).path();
    if (!edZemloMap->text().isEmpty() && QFileInfo(map).isDir()) odZemlo.setDirectory(map);
    odZemlo.selectFile(QStringLiteral("Zemlo2023.EXE"));
    if (RunModal([&] { return odZemlo.exec(); }) != QDialog::Accepted || odZemlo.selectedFiles().isEmpty()) return;
    edZemloMap->setText(QDir::toNativeSeparators(QFileInfo(odZemlo.selectedFiles().first()).absolutePath()) +
                        QDir::separator());
}
