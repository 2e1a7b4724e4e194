#pragma once
// A panel without bevel that holds a caption label and one inner input control: the frame of every bound
// control. The inner control stands at WinControlLeft, as high as the panel and as wide as the rest of it.

#include <QtWidgets/QWidget>

class TOrvLabel;

class TOrvControlWithLabel : public QWidget {
    Q_OBJECT
public:
    explicit TOrvControlWithLabel(QWidget* parent = nullptr);

    int WinControlLeft() const { return FWinControlLeft; }
    void SetWinControlLeft(int left);
    // Where the caption ends when it is shown bold, as a required field shows it.
    int BoldCaptionEnd() const;
    QString LabelCaption() const;
    void SetLabelCaption(const QString& caption);
    QSize sizeHint() const override { return FDefaultSize; }

protected:
    TOrvLabel* Label() const { return FLabel; }
    QWidget* InnerControl() const { return FInnerControl; }
    void SetInnerControl(QWidget* control);
    // The size the control takes when nobody sizes it (225 x 21 unless a kind needs another height).
    void SetDefaultSize(const QSize& size);
    // An inner control of a fixed width (the check box) instead of the rest of the panel.
    void SetInnerWidth(int width);
    // Lays the control out; the kinds add their colours.
    virtual void UpdateLook();
    void resizeEvent(QResizeEvent* event) override;

private:
    TOrvLabel* FLabel;
    QWidget* FInnerControl = nullptr;
    int FWinControlLeft = 100;
    QSize FDefaultSize{225, 21};
    int FInnerWidth = 0;  // 0: the rest of the panel
};
