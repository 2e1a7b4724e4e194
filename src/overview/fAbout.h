#pragma once
// The service information window: program and database version and where the program is installed.

#include "forms/fBaseForm.h"

class QLabel;
class QPlainTextEdit;
class TOrvButton;
class TOrvADOConnection;

class TfrmAbout : public TBaseForm {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* owner = nullptr);
    // Reads the database version through the connection.
    void Initialize(TOrvADOConnection* connection);

    QLabel* imLogo;
    QLabel* lblZemlo;
    QLabel* lblBuild;
    QLabel* lblDb;
    QLabel* lblDatabaseVersie;
    QLabel* lblWebTekst;
    QLabel* lblWebsite;
    QLabel* lblDirectoryTekst;
    QLabel* lblDirectory;
    QLabel* Label3;
    QPlainTextEdit* memoServiceInfo;
    TOrvButton* btnOk;

private:
    void lblWebsiteClick();
    using TBaseForm::Initialize;
};

// The publisher's website shown in the service information.
inline constexpr const char* kPavendaWebsite = "https://www.pavenda.nl";
