#include "controls/fCharSet.h"

#include "controls/OrvComp.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QToolButton>

namespace {
constexpr int kColumns = 16;

bool Pickable(char16_t code) { return (code > 0x20 && code < 0x7F) || (code > 0xA0 && code <= 0xFF) || code == 0x20AC; }
}

TfrmCharSet::TfrmCharSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCharSet"));
    setWindowTitle(QStringLiteral("Character keuze"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    int index = 0;
    for (char16_t code = 0x21; code <= 0x20AC; ++code) {
        if (!Pickable(code)) continue;
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("chr%1").arg(int(code)));
        button->setText(QChar(code));
        button->setFixedSize(24, 24);
        connect(button, &QToolButton::clicked, this, [this, code] {
            FChosen = QChar(code);
            accept();
        });
        grid->addWidget(button, index / kColumns, index % kColumns);
        ++index;
    }
}

QChar TfrmCharSet::Choose(QWidget* parent) {
    TfrmCharSet picker(parent);
    return RunModal([&] { return picker.exec(); }) == QDialog::Accepted ? picker.Chosen() : QChar();
}
