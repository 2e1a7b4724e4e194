#pragma once
// The program's basic controls: the picture button, and label, edit, memo, combo box and check box that
// colour their background while focused and move to the next field on Enter.

#include "controls/OrvSpell.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include <functional>

class QAction;
class QShortcut;

enum class TButtonBorderStyle { bbsRoundRectangle, bbsRectangle, bbsNone };
enum class TFocusShape { fshRectangle, fshUnderline, fshDotRectangle, fshNone };

// Focused background of edits, memos and combo boxes.
inline const QColor kEditFocusedColor(255, 255, 223);

class TOrvButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TOrvButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    void SetBackgroundImage(const QPixmap& picture);
    void SetHoverImage(const QPixmap& picture);
    bool StretchBackground() const { return FStretchBackground; }
    void SetStretchBackground(bool stretch);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& color);
    QColor HoverFontColor() const { return FHoverFontColor; }
    void SetHoverFontColor(const QColor& color);
    void SetBorderStyle(TButtonBorderStyle style);
    void SetBorderColor(const QColor& color);
    void SetInactiveBorderColor(const QColor& color);
    QColor InactiveTextColor() const { return FInactiveTextColor; }
    void SetInactiveTextColor(const QColor& color);
    void SetFocusShape(TFocusShape shape);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Cancel() const { return FCancelShortcut != nullptr; }
    // A cancel button is clicked by Escape anywhere in its window.
    void SetCancel(bool cancel);
    bool ShowAccelerators() const { return FShowAccelerators; }
    void SetShowAccelerators(bool show);

    // The window asks its buttons to underline their accelerators (while Alt is held) or to hide them.
    static void ShowButtonAccelerators(QWidget* window, bool show);
    QSize sizeHint() const override { return QSize(100, 25); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    QColor CaptionColor() const;

    QPixmap FBackgroundImage;
    QPixmap FHoverImage;
    QPixmap FGreyImage;
    bool FStretchBackground = true;
    QColor FFontColor = Qt::black;
    QColor FHoverFontColor = Qt::white;
    TButtonBorderStyle FBorderStyle = TButtonBorderStyle::bbsNone;
    QColor FBorderColor = QColor(128, 128, 128);
    QColor FInactiveBorderColor = QColor(192, 192, 192);
    QColor FInactiveTextColor = QColor(192, 192, 192);
    TFocusShape FFocusShape = TFocusShape::fshRectangle;
    int FModalResult = 0;
    QShortcut* FCancelShortcut = nullptr;
    bool FShowAccelerators = false;
};

// Arial at a size in pixels, the program's text font in its windows.
QFont ArialPixels(int pixelSize);
// Runs a modal window (exec) and then gives the activation back to the window that had it: without a
// window manager nothing else does, and the keyboard would reach no window.
int RunModal(const std::function<int()>& exec);
// The program's picture-button look: the red face with its hover face, white bold Arial 13 px, hand cursor.
void StyleAsPictureButton(TOrvButton* button);
// The button runs the action when clicked and is enabled exactly when the action is.
void BindButtonToAction(TOrvButton* button, QAction* action);

// The picture turned to grey: each pixel's grey = round(0.3 R + 0.6 G + 0.1 B).
QPixmap GreyPicture(const QPixmap& picture);

// What the input controls share: their background colour while focused, and Enter moving to the next
// control.
class TInputControlLook {
public:
    QColor FocusedColor() const { return FFocusedColor; }
    void SetFocusedColor(const QColor& color) { FFocusedColor = color; }
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool tabOnEnter) { FTabOnEnter = tabOnEnter; }

protected:
    // From the control's focus events: the focused colour, or the normal background again.
    void ShowFocus(QWidget* control, bool focused) const;

private:
    QColor FFocusedColor = kEditFocusedColor;
    bool FTabOnEnter = true;
};

class TOrvLabel : public QLabel {
    Q_OBJECT
public:
    explicit TOrvLabel(QWidget* parent = nullptr);
};

class TOrvEdit : public QLineEdit, public TInputControlLook {
    Q_OBJECT
public:
    explicit TOrvEdit(QWidget* parent = nullptr);

Q_SIGNALS:
    void BeforePaste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PasteWithEvent();
};

class TOrvMemo : public TSpelCheckMemo, public TInputControlLook {
    Q_OBJECT
public:
    explicit TOrvMemo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

class TOrvCombobox : public QComboBox, public TInputControlLook {
    Q_OBJECT
public:
    explicit TOrvCombobox(QWidget* parent = nullptr);
    bool ReadOnly() const { return FReadOnly; }
    // Read-only: the list does not open, typing and the wheel change nothing, no context menu.
    void SetReadOnly(bool readOnly);
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool FReadOnly = false;
};

class TOrvCheckBox : public QCheckBox, public TInputControlLook {
    Q_OBJECT
public:
    explicit TOrvCheckBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
