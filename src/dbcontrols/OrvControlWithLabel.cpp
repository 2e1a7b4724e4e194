#include "dbcontrols/OrvControlWithLabel.h"

#include "controls/OrvComp.h"

#include <QtGui/QFontMetrics>

namespace {
constexpr int kLabelOffset = 4;
}

TOrvControlWithLabel::TOrvControlWithLabel(QWidget* parent) : QWidget(parent), FLabel(new TOrvLabel(this)) {
    FLabel->setObjectName(QStringLiteral("ComponentLabel"));
    FLabel->setText(QStringLiteral("LabelCaption"));
    FLabel->move(kLabelOffset, kLabelOffset);
    FLabel->adjustSize();
    resize(FDefaultSize);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TOrvControlWithLabel::SetWinControlLeft(int left) {
    FWinControlLeft = left;
    UpdateLook();
}

int TOrvControlWithLabel::BoldCaptionEnd() const {
    QFont bold = FLabel->font();
    bold.setBold(true);
    return FLabel->x() + QFontMetrics(bold).horizontalAdvance(FLabel->text());
}

QString TOrvControlWithLabel::LabelCaption() const { return FLabel->text(); }

void TOrvControlWithLabel::SetLabelCaption(const QString& caption) {
    FLabel->setText(caption);
    FLabel->adjustSize();
}

void TOrvControlWithLabel::SetInnerControl(QWidget* control) {
    FInnerControl = control;
    UpdateLook();
}

void TOrvControlWithLabel::SetDefaultSize(const QSize& size) {
    FDefaultSize = size;
    resize(size);
    updateGeometry();
}

void TOrvControlWithLabel::SetInnerWidth(int width) {
    FInnerWidth = width;
    UpdateLook();
}

void TOrvControlWithLabel::UpdateLook() {
    FLabel->adjustSize();
    if (!FInnerControl) return;
    const int rest = qMax(0, width() - FWinControlLeft);
    FInnerControl->setGeometry(FWinControlLeft, 0, FInnerWidth > 0 ? qMin(FInnerWidth, rest) : rest, height());
}

void TOrvControlWithLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateLook();
}
