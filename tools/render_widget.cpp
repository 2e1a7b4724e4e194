// render_widget: draws a control or dialog of the program to a PNG so its look can be reviewed.
//   QT_QPA_PLATFORM=offscreen render_widget KIND FILE.png
// KIND: message-info, message-error (details open), message-question, button, numeric-edit.

#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "controls/Orvmbox.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QVBoxLayout>

#include <cstdio>
#include <memory>

namespace {
std::unique_ptr<QWidget> Message(const QString& kind) {
    auto form = std::make_unique<TOrvMessageForm>();
    if (kind == QStringLiteral("message-info")) {
        form->Prepare(TOrvMessageType::mtMessage, "Pavenda", "Info", "Loonsommen zijn geïmporteerd.", 0, Qt::black, 1,
                      TOrvMessagesLanguage::mlNL);
    } else if (kind == QStringLiteral("message-error")) {
        form->Prepare(TOrvMessageType::mtError, "Pavenda", "Fout bij openen het Werkgever-mutatiescherm",
                      "TfrmMutWerkgever.Initialize: TdmBeheer.OpenWerkgever: Syntax error in INSERT INTO statement.", 0,
                      QColor(255, 0, 0), 1, TOrvMessagesLanguage::mlNL);
    } else {
        form->Prepare(TOrvMessageType::mtQuestion, "Pavenda", "Afsluiten",
                      "Weet u zeker dat u het programma wilt verlaten?", 3, Qt::black, 1, TOrvMessagesLanguage::mlNL);
    }
    form->show();
    if (kind == QStringLiteral("message-error")) form->ToggleDetails();
    return form;
}

std::unique_ptr<QWidget> Controls(const QString& kind) {
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    window->setStyleSheet(QStringLiteral("background: white"));
    if (kind == QStringLiteral("button")) {
        for (bool enabled : {true, false}) {
            auto* button = new TOrvButton(window.get());
            button->SetCaption(QStringLiteral("&Annuleren"));
            button->setFixedSize(110, 34);
            StyleAsPictureButton(button);
            button->setEnabled(enabled);
            layout->addWidget(button);
        }
    } else {
        auto* edit = new TOrvNumericEdit(window.get());
        edit->SetAlignment(Qt::AlignRight);
        edit->SetAsFloat(1234567.5);
        layout->addWidget(edit);
    }
    window->show();
    return window;
}
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_widget KIND FILE.png\n");
        return 2;
    }
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const std::unique_ptr<QWidget> widget =
        kind.startsWith(QStringLiteral("message-")) ? Message(kind) : Controls(kind);
    QApplication::processEvents();
    if (!widget->grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "render_widget: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
