#include "exchangeui/fQueltKoppeling.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "exchange/uQueltKoppeling.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>

ORV_METHOD_PREFIXES(TfrmQueltKoppeling)

TfrmQueltKoppeling::TfrmQueltKoppeling(QWidget* owner) : TBaseOkCancel(owner) {
    setObjectName(QStringLiteral("frmQueltKoppeling"));
    setWindowTitle(QStringLiteral("Quelt koppeling"));
    setFixedSize(705, 207);
    SetHelpContext(11);

    lblSelectQueltDir = new QLabel(pnlBody);
    lblSelectQueltDir->setObjectName(QStringLiteral("lblSelectQueltDir"));
    lblSelectQueltDir->setFont(ArialPixels(13));
    lblSelectQueltDir->setGeometry(16, 24, 542, 18);

    edQueltMap = new TOrvEdit(pnlBody);
    edQueltMap->setObjectName(QStringLiteral("edQueltMap"));
    edQueltMap->setGeometry(16, 48, 542, 24);

    btnBladeren = new TOrvButton(pnlBody);
    btnBladeren->setObjectName(QStringLiteral("btnBladeren"));
    btnBladeren->SetCaption(QStringLiteral("Bladeren..."));
    btnBladeren->setGeometry(566, 44, 123, 32);
    StyleAsPictureButton(btnBladeren);
    ConnectGuarded(btnBladeren, &TOrvButton::clicked, this, [this] { btnBladerenClick(); });
    setTabOrder(edQueltMap, btnBladeren);
    setTabOrder(btnBladeren, btnOk);
}

void TfrmQueltKoppeling::Initialize() {
    WithPrefix(Prefix("Initialize"), [&] {
        TBaseOkCancel::Initialize();
        lblSelectQueltDir->setText(QStringLiteral("Selecteer Quelt2024 programmadirectory"));
        edQueltMap->setText(GetDBParamValue(FADOConnection, QLatin1String(kParamQueltKoppeling)));
    });
}

void TfrmQueltKoppeling::acOkExecute() {
    WithPrefix(Prefix("acOkExecute"), [&] {
        SaveQueltKoppeling(FADOConnection, edQueltMap->text());
        TBaseOkCancel::acOkExecute();
    });
}

void TfrmQueltKoppeling::btnBladerenClick() {
    QFileDialog odQuelt(this, QStringLiteral("Quelt2024 locatie"));
    odQuelt.setObjectName(QStringLiteral("odQuelt"));
    odQuelt.setFileMode(QFileDialog::ExistingFile);
    odQuelt.setNameFilter(QStringLiteral("Quelt2024 (Quelt2024.exe)"));
    const QString map = QFileInfo(edQueltMap->text()).path();
    if (!edQueltMap->text().isEmpty() && QFileInfo(map).isDir()) odQuelt.setDirectory(map);
    odQuelt.selectFile(QLatin1String(kQueltProgramFile));
    if (RunModal([&] { return odQuelt.exec(); }) != QDialog::Accepted || odQuelt.selectedFiles().isEmpty()) return;
    edQueltMap->setText(QDir::toNativeSeparators(QFileInfo(odQuelt.selectedFiles().first()).absolutePath()) +
                        QDir::separator());
}
