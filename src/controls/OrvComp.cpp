#include "controls/OrvComp.h"

#include "controls/fCharSet.h"

#include <QPointer>
#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcut>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QMenu>

namespace {
void SetBase(QWidget* widget, const QColor& color) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, color);
    widget->setPalette(p);
}

QColor NormalBase() { return QPalette().color(QPalette::Base); }

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }
}

int RunModal(const std::function<int()>& exec) {
    const QPointer<QWidget> before = QApplication::activeWindow();
    const int result = exec();
    if (before && before->isVisible() && QApplication::activeWindow() != before) before->activateWindow();
    return result;
}

QFont ArialPixels(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

void StyleAsPictureButton(TOrvButton* button) {
    Q_INIT_RESOURCE(OrvControls);
    QFont font = ArialPixels(13);
    font.setBold(true);
    button->setFont(font);
    button->setCursor(Qt::PointingHandCursor);
    button->SetFontColor(Qt::white);
    button->SetHoverFontColor(Qt::white);
    button->SetBackgroundImage(QPixmap(QStringLiteral(":/controls/button.png")));
    button->SetHoverImage(QPixmap(QStringLiteral(":/controls/button_hover.png")));
}

void BindButtonToAction(TOrvButton* button, QAction* action) {
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
}

QPixmap GreyPicture(const QPixmap& picture) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int grey = qRound(0.3 * qRed(p) + 0.6 * qGreen(p) + 0.1 * qBlue(p));
            line[x] = qRgba(grey, grey, grey, qAlpha(p));
        }
    }
    return QPixmap::fromImage(image);
}

// --- TOrvButton ---

TOrvButton::TOrvButton(QWidget* parent) : QAbstractButton(parent) {
    resize(100, 25);
    setText(QStringLiteral("OrvButton"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    // Connected first, so the window knows its result before the click handlers run.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && FModalResult != 0) dialog->done(FModalResult);
    });
}

void TOrvButton::SetBackgroundImage(const QPixmap& picture) {
    FBackgroundImage = picture;
    FGreyImage = picture.isNull() ? QPixmap() : GreyPicture(picture);
    update();
}

void TOrvButton::SetHoverImage(const QPixmap& picture) {
    FHoverImage = picture;
    update();
}

void TOrvButton::SetStretchBackground(bool stretch) {
    FStretchBackground = stretch;
    update();
}

void TOrvButton::SetFontColor(const QColor& color) {
    FFontColor = color;
    update();
}

void TOrvButton::SetHoverFontColor(const QColor& color) {
    FHoverFontColor = color;
    update();
}

void TOrvButton::SetBorderStyle(TButtonBorderStyle style) {
    FBorderStyle = style;
    update();
}

void TOrvButton::SetBorderColor(const QColor& color) {
    FBorderColor = color;
    update();
}

void TOrvButton::SetInactiveBorderColor(const QColor& color) {
    FInactiveBorderColor = color;
    update();
}

void TOrvButton::SetInactiveTextColor(const QColor& color) {
    FInactiveTextColor = color;
    update();
}

void TOrvButton::SetFocusShape(TFocusShape shape) {
    FFocusShape = shape;
    update();
}

void TOrvButton::SetCancel(bool cancel) {
    if (cancel == Cancel()) return;
    if (!cancel) {
        delete FCancelShortcut;
        FCancelShortcut = nullptr;
        return;
    }
    // Only a plain Escape: Shift, Ctrl or Alt with Escape are other key sequences.
    FCancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(FCancelShortcut, &QShortcut::activated, this, [this] {
        if (isEnabled()) click();
    });
}

void TOrvButton::SetShowAccelerators(bool show) {
    if (FShowAccelerators == show) return;
    FShowAccelerators = show;
    update();
}

void TOrvButton::ShowButtonAccelerators(QWidget* window, bool show) {
    for (TOrvButton* button : window->findChildren<TOrvButton*>()) button->SetShowAccelerators(show);
}

QColor TOrvButton::CaptionColor() const {
    if (underMouse() && isEnabled() && (!FHoverImage.isNull() || FBackgroundImage.isNull())) return FHoverFontColor;
    return isEnabled() ? FFontColor : FInactiveTextColor;
}

void TOrvButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect whole = rect();
    const QColor border = isEnabled() ? FBorderColor : FInactiveBorderColor;
    const bool hover = underMouse() && isEnabled();
    if (!FBackgroundImage.isNull()) {
        painter.save();
        if (FBorderStyle == TButtonBorderStyle::bbsRoundRectangle) painter.setClipRect(whole.adjusted(1, 1, -1, -1));
        const QPixmap& picture = hover && !FHoverImage.isNull() ? FHoverImage
                                 : isEnabled()                  ? FBackgroundImage
                                                                : FGreyImage;
        if (FStretchBackground)
            painter.drawPixmap(whole, picture);
        else
            painter.drawPixmap(0, 0, picture);
        painter.restore();
        if (FBorderStyle != TButtonBorderStyle::bbsNone) {
            painter.setPen(border);
            painter.setBrush(Qt::NoBrush);
            if (FBorderStyle == TButtonBorderStyle::bbsRectangle)
                painter.drawRect(whole.adjusted(0, 0, -1, -1));
            else
                painter.drawRoundedRect(whole.adjusted(0, 0, -1, -1), 5, 5);
        }
    } else {
        painter.setPen(isEnabled() ? FBorderColor : FInactiveBorderColor);
        painter.setBrush(hover ? QColor(0, 128, 192) : palette().color(QPalette::Button));
        if (FBorderStyle == TButtonBorderStyle::bbsRoundRectangle)
            painter.drawRoundedRect(whole.adjusted(0, 0, -1, -1), 5, 5);
        else
            painter.drawRect(whole.adjusted(0, 0, -1, -1));
    }

    const QColor caption = CaptionColor();
    QFont captionFont = font();
    captionFont.setUnderline(hasFocus() && FFocusShape == TFocusShape::fshUnderline);
    painter.setFont(captionFont);
    painter.setPen(caption);
    QString plain = text();
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const QFontMetrics metrics(captionFont);
    const int left = (width() - metrics.horizontalAdvance(plain)) / 2;
    const int top = (height() - metrics.height()) / 2;
    const int flags = Qt::AlignLeft | Qt::AlignTop | (FShowAccelerators ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    painter.drawText(QRect(left, top, width() - left, metrics.height()), flags, text());

    if (hasFocus() && (FFocusShape == TFocusShape::fshRectangle || FFocusShape == TFocusShape::fshDotRectangle)) {
        painter.setPen(QPen(caption, 1, FFocusShape == TFocusShape::fshDotRectangle ? Qt::DotLine : Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(2, 2), QPoint(width() - 3, height() - 3)));
    }
}

void TOrvButton::keyPressEvent(QKeyEvent* event) {
    // The Enter of the numeric keypad comes with the keypad modifier and counts as a plain Enter.
    if (IsEnter(event) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void TOrvButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    ShowButtonAccelerators(window(), false);
}

bool TOrvButton::event(QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave) update();
    return QAbstractButton::event(event);
}

// --- TOrvLabel ---

TOrvLabel::TOrvLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    QFont f = font();
    f.setFamily(QStringLiteral("Microsoft Sans Serif"));
    setFont(f);
}

void TInputControlLook::ShowFocus(QWidget* control, bool focused) const {
    SetBase(control, focused ? FFocusedColor : NormalBase());
}

// --- TOrvEdit ---

TOrvEdit::TOrvEdit(QWidget* parent) : QLineEdit(parent) {}

void TOrvEdit::PasteWithEvent() {
    Q_EMIT BeforePaste();
    paste();
}

void TOrvEdit::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event) && TabOnEnter()) {
        focusNextPrevChild(true);
        return;
    }
    if (event->key() == Qt::Key_F11 && TabOnEnter() && !isReadOnly()) {
        if (const QChar chosen = TfrmCharSet::Choose(this); !chosen.isNull()) insert(chosen);
        return;
    }
    if (event == QKeySequence::Paste && !isReadOnly()) {
        PasteWithEvent();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TOrvEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    ShowFocus(this, true);
}

void TOrvEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    ShowFocus(this, false);
}

void TOrvEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && isReadOnly()) return;
    QLineEdit::mousePressEvent(event);
}

void TOrvEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (isReadOnly()) return;
    QMenu* menu = createStandardContextMenu();
    if (QAction* pasteAction = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        // The paste of the menu goes through the before-paste event as well.
        disconnect(pasteAction, &QAction::triggered, nullptr, nullptr);
        connect(pasteAction, &QAction::triggered, this, &TOrvEdit::PasteWithEvent);
    }
    menu->exec(event->globalPos());
    delete menu;
}

// --- TOrvMemo ---

TOrvMemo::TOrvMemo(QWidget* parent) : TSpelCheckMemo(parent) {}

void TOrvMemo::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event) && TabOnEnter() && event->modifiers() == Qt::NoModifier) {
        // The editor's own version refuses to leave an editable text.
        QWidget::focusNextPrevChild(true);
        return;
    }
    TSpelCheckMemo::keyPressEvent(event);
}

void TOrvMemo::focusInEvent(QFocusEvent* event) {
    TSpelCheckMemo::focusInEvent(event);
    ShowFocus(this, true);
}

void TOrvMemo::focusOutEvent(QFocusEvent* event) {
    TSpelCheckMemo::focusOutEvent(event);
    ShowFocus(this, false);
}

void TOrvMemo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && isReadOnly()) return;
    TSpelCheckMemo::mousePressEvent(event);
}

void TOrvMemo::contextMenuEvent(QContextMenuEvent* event) {
    if (!isReadOnly()) TSpelCheckMemo::contextMenuEvent(event);
}

// --- TOrvCombobox ---

TOrvCombobox::TOrvCombobox(QWidget* parent) : QComboBox(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Microsoft Sans Serif"));
    setFont(f);
}

void TOrvCombobox::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    if (isEditable()) lineEdit()->setReadOnly(readOnly);
}

void TOrvCombobox::showPopup() {
    if (!FReadOnly) QComboBox::showPopup();
}

void TOrvCombobox::keyPressEvent(QKeyEvent* event) {
    const bool listOpen = view()->isVisible();
    if (IsEnter(event) && TabOnEnter() && !listOpen) {
        focusNextPrevChild(true);
        return;
    }
    if (FReadOnly) {
        const int key = event->key();
        if (isEditable() && (key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left || key == Qt::Key_Right))
            QComboBox::keyPressEvent(event);
        else
            event->ignore();
        return;
    }
    if (event->key() == Qt::Key_F11 && isEditable()) {
        if (const QChar chosen = TfrmCharSet::Choose(this); !chosen.isNull()) lineEdit()->insert(chosen);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TOrvCombobox::wheelEvent(QWheelEvent* event) {
    if (FReadOnly) return;
    QComboBox::wheelEvent(event);
}

void TOrvCombobox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    ShowFocus(this, true);
}

void TOrvCombobox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    ShowFocus(this, false);
}

void TOrvCombobox::contextMenuEvent(QContextMenuEvent* event) {
    if (!FReadOnly) QComboBox::contextMenuEvent(event);
}

// --- TOrvCheckBox ---

TOrvCheckBox::TOrvCheckBox(QWidget* parent) : QCheckBox(parent) { SetFocusedColor(QColor(255, 255, 191)); }

void TOrvCheckBox::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event) && TabOnEnter()) {
        focusNextPrevChild(true);
        return;
    }
    QCheckBox::keyPressEvent(event);
}

// The check square is drawn on the Base colour, so the focused colour shows in the square.
void TOrvCheckBox::focusInEvent(QFocusEvent* event) {
    QCheckBox::focusInEvent(event);
    ShowFocus(this, true);
}

void TOrvCheckBox::focusOutEvent(QFocusEvent* event) {
    QCheckBox::focusOutEvent(event);
    ShowFocus(this, false);
}
