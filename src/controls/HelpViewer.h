#pragma once
// The built-in help viewer: shows the topics of the application's help file, one window for the whole
// program, opened at a topic number.

#include "platform/ChmFile.h"

#include <QtWidgets/QDialog>

class QTextBrowser;

class THelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);
    // False when the help file cannot be read.
    bool OpenHelpFile(const QString& path);
    void ShowTopic(int topic);
    QString CurrentPage() const;

private:
    TChmFile FHelpFile;
    QString FHelpFilePath;
    QTextBrowser* FBrowser;
};

// Opens the application's help file at the topic; without a help file the user is told so. Asked for in a
// modal window, the viewer belongs to that window, stays usable beside it and closes with it.
void ShowHelpTopic(int topic);
