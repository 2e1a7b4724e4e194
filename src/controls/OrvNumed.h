#pragma once
// TOrvNumericEdit: the edit into which every amount is typed. Its text always has the length of a
// template (integer part right-aligned before the decimal separator, decimals after it), and typing
// fills the integer part from the right like a calculator.

#include "controls/OrvComp.h"

#include <QtWidgets/QLineEdit>

class QLabel;

class TOrvNumericEdit : public QLineEdit, public TInputControlLook {
    Q_OBJECT
public:
    explicit TOrvNumericEdit(QWidget* parent = nullptr);

    int Digits() const { return FDigits; }
    void SetDigits(int digits);
    int Decimals() const { return FDecimals; }
    void SetDecimals(int decimals);
    // "1000,00", "1.000,00", "1000.00" or "1,000.00".
    QString NumericFormat() const;
    void SetNumericFormat(const QString& format);
    bool AllowNegative() const { return FAllowNegative; }
    void SetAllowNegative(bool allow);
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment alignment);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }

    double AsFloat() const;
    void SetAsFloat(double value);
    qint64 AsInteger() const;
    void SetAsInteger(qint64 value);

    bool IsEmpty() const;
    // Shows the bare template with the caret before the separator.
    void Clear();
    // The clipboard text as the value, when it is a number.
    void PasteValue();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The value as typed: sign, integer digits without groups, decimals (blank where not typed).
    struct TParts {
        bool Negative = false;
        QString IntDigits;
        QString Decimals;
    };

    int TemplateLength() const;
    int SeparatorIndex() const;  // index of the decimal separator, or the template length without decimals
    int IntegerCapacity() const;
    QChar GroupChar() const;
    QChar DecimalSeparator() const;
    bool GroupsShown() const;

    TParts Parse() const;
    QString Build(const TParts& parts) const;
    void Show(const TParts& parts);
    void ShowInteger(const TParts& parts, int digitsRightOfCaret);
    void ShowDecimal(const TParts& parts, int decimalIndex);
    int DigitsRightOf(int position) const;
    int FirstDigitIndex() const;
    QString NumberText() const;  // trimmed, without groups, with "." as decimal point

    void TypeCharacter(QChar c);
    void DeleteSelection(TParts& parts, int& caret);
    void Backspace();
    void DeleteForward();
    void MoveLeft();
    void MoveRight();
    void Home(bool select);
    void End(bool select);
    void CopySelection();
    void CutSelection();
    void Normalise();
    void ApplySetting(const std::function<void()>& change);
    void UpdateDisplayLabel();

    int FDigits = 12;
    int FDecimals = 2;
    int FFormat = 1;
    bool FAllowNegative = true;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    bool FAutoSelect = true;
    QLabel* FDisplayLabel;
};
