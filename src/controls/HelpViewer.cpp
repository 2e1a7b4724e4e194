#include "controls/HelpViewer.h"

#include "core/HelpFile.h"
#include "core/OrvMessages.h"

#include <QPointer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

namespace {
// Pages of the help file are read through this browser so links between topics work.
class THelpBrowser : public QTextBrowser {
public:
    THelpBrowser(QWidget* parent, const TChmFile& helpFile) : QTextBrowser(parent), FHelpFile(helpFile) {}
    QVariant loadResource(int type, const QUrl& url) override {
        const QByteArray page = FHelpFile.Page(url.path());
        if (page.isEmpty()) return QTextBrowser::loadResource(type, url);
        return type == QTextDocument::HtmlResource ? QVariant(QString::fromUtf8(page)) : QVariant(page);
    }

private:
    const TChmFile& FHelpFile;
};
}

THelpViewer::THelpViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Pavenda 2024 Help"));
    resize(640, 560);
    FBrowser = new THelpBrowser(this, FHelpFile);
    FBrowser->setObjectName(QStringLiteral("tbHelp"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FBrowser);
}

bool THelpViewer::OpenHelpFile(const QString& path) {
    if (path == FHelpFilePath && FHelpFile.IsOpen()) return true;
    FHelpFilePath = path;
    return FHelpFile.Open(path);
}

void THelpViewer::ShowTopic(int topic) {
    FBrowser->setSource(QUrl(TChmFile::TopicPage(topic)), QTextDocument::HtmlResource);
}

QString THelpViewer::CurrentPage() const { return FBrowser->source().path(); }

namespace {
// While a modal window is open every other window is blocked, so help asked for there belongs to that
// window: as its own window on top of it the viewer takes the user's input and the modal window goes on
// taking it too.
void OwnByTheModalWindow(THelpViewer* viewer) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == viewer) return;
    for (QWidget* owner = viewer->parentWidget(); owner; owner = owner->parentWidget())
        if (owner == modal) return;
    // An open viewer stays where it is; a closed one comes up centred on its new owner.
    const bool open = viewer->isVisible();
    const QRect placed = viewer->geometry();
    viewer->setParent(modal, viewer->windowFlags());
    if (open) viewer->setGeometry(placed);
}
}

void ShowHelpTopic(int topic) {
    static QPointer<THelpViewer> viewer;
    if (!viewer) viewer = new THelpViewer(QApplication::activeWindow());
    if (ApplicationHelpFile().isEmpty() || !viewer->OpenHelpFile(ApplicationHelpFile())) {
        ShowWarning(QStringLiteral("Het helpbestand Zemlo2024.CHM is niet aanwezig."));
        return;
    }
    OwnByTheModalWindow(viewer);
    viewer->ShowTopic(topic);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}
