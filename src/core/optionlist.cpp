#include "optionlist.h"

#include "commatext.h"

namespace sorvane {

OptionList::OptionList(QString name, int closedWidth, QList<ListColumn> columns, QObject *parent)
    : QObject(parent), m_name(std::move(name)), m_closedWidth(closedWidth), m_columns(std::move(columns))
{
}

int OptionList::appendRow(const QString &row)
{
    m_rows.append(row);
    Q_EMIT displayChanged();
    return rowCount() - 1;
}

QString OptionList::rowText(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row) : QString();
}

QStringList OptionList::rowColumns(int row) const
{
    return SplitCommaText(rowText(row));
}

QString OptionList::columnText(int row, int column) const
{
    return rowColumns(row).value(column);
}

void OptionList::setItemIndex(int index)
{
    if (index < 0 || index >= rowCount())
        index = -1;
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    Q_EMIT displayChanged();
}

void OptionList::setTargetColumn(quint8 column)
{
    if (column == m_targetColumn)
        return;
    m_targetColumn = column;
    Q_EMIT displayChanged();
}

QString OptionList::getSelectedText() const
{
    return selectedColumn(m_targetColumn);
}

QString OptionList::selectedColumn(int column) const
{
    return m_itemIndex < 0 ? QString() : columnText(m_itemIndex, column);
}

void OptionList::choose(int row)
{
    setItemIndex(row);
    Q_EMIT changed();
}

} // namespace sorvane
