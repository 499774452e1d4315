#pragma once

#include <QAbstractSpinBox>

namespace sorvane {

// A whole-number field with arrow buttons. Typing accepts only digits, "+" and
// "-" (pasting is not filtered); arrows and Up/Down step by 1, Page Up/Down by
// 10, within 0 and the maximum; losing the focus brings the value back within
// them. While the field has the focus a typed number may lie outside.
class SpinField : public QAbstractSpinBox
{
    Q_OBJECT
public:
    static constexpr int MaximumLength = 3;

    SpinField(int maximum, QWidget *parent = nullptr);

    using QAbstractSpinBox::lineEdit;

    int maximum() const { return m_maximum; }
    // The text as a whole number; an empty or non-numeric text becomes "0" and reads 0.
    int getValue();
    void setValue(int value);
    QColor background() const;
    void setBackground(const QColor &colour);

    void stepBy(int steps) override;

Q_SIGNALS:
    // Any change of the text: typing, arrows or the program.
    void changed();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_maximum;
};

} // namespace sorvane
