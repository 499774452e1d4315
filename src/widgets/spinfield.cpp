#include "spinfield.h"

#include "uifont.h"
#include "windowrules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace sorvane {

namespace {

bool IsRefusedCharacter(const QString &typed)
{
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    for (const QChar c : typed) {
        if (!(c >= u'0' && c <= u'9') && c != u'+' && c != u'-')
            return true;
    }
    return false;
}

} // namespace

SpinField::SpinField(int maximum, QWidget *parent)
    : QAbstractSpinBox(parent)
    , m_maximum(maximum)
{
    setFont(UiFont(11));
    lineEdit()->setMaxLength(MaximumLength);
    lineEdit()->setAcceptDrops(false);
    lineEdit()->setText(QStringLiteral("0"));
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinField::changed);
}

int SpinField::getValue()
{
    if (!ParseNumberField(text()))
        lineEdit()->setText(QStringLiteral("0"));
    return NumberFieldValue(text());
}

void SpinField::setValue(int value)
{
    lineEdit()->setText(QString::number(value));
}

QColor SpinField::background() const
{
    return palette().color(QPalette::Base);
}

void SpinField::setBackground(const QColor &colour)
{
    if (colour == background())
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}

void SpinField::stepBy(int steps)
{
    setValue(qBound(0, getValue() + steps, m_maximum));
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const
{
    const int value = NumberFieldValue(text());
    StepEnabled enabled = StepNone;
    if (value < m_maximum)
        enabled |= StepUpEnabled;
    if (value > 0)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinField::keyPressEvent(QKeyEvent *event)
{
    if (IsRefusedCharacter(event->text()) && !(event->modifiers() & Qt::ControlModifier)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinField::focusOutEvent(QFocusEvent *event)
{
    const int value = getValue();
    if (value != qBound(0, value, m_maximum))
        setValue(qBound(0, value, m_maximum));
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace sorvane
