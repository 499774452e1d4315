#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace sorvane {

// One column of a list's drop-down layout: its width in pixels and its
// background as 0xRRGGBB. The layout serves display only.
struct ListColumn
{
    int width = 0;
    quint32 background = 0xFFFFFF;
};

// A multi-column option list: rows kept whole as comma texts, a chosen row
// (ItemIndex, -1 for none) and the column reported as the selected text.
class OptionList : public QObject
{
    Q_OBJECT
public:
    OptionList(QString name, int closedWidth, QList<ListColumn> columns, QObject *parent = nullptr);

    const QString &name() const { return m_name; }
    int closedWidth() const { return m_closedWidth; }
    const QList<ListColumn> &columns() const { return m_columns; }

    int appendRow(const QString &row);
    int rowCount() const { return int(m_rows.size()); }
    QString rowText(int row) const;
    QStringList rowColumns(int row) const;
    QString columnText(int row, int column) const;

    int itemIndex() const { return m_itemIndex; }
    // Chooses a row without raising changed(); an index naming no row leaves none chosen.
    void setItemIndex(int index);
    quint8 targetColumn() const { return m_targetColumn; }
    void setTargetColumn(quint8 column);
    // The target column of the chosen row; empty when none is chosen or the row lacks it.
    QString getSelectedText() const;
    // Column `column` of the chosen row, whatever the target column.
    QString selectedColumn(int column) const;

    // A user's choice of a row: chooses it and raises changed() once.
    void choose(int row);

Q_SIGNALS:
    // The change notification: raised only by a user's choice.
    void changed();
    // Rows, chosen row or target column changed: whatever shows the list repaints.
    void displayChanged();

private:
    QString m_name;
    int m_closedWidth;
    QList<ListColumn> m_columns;
    QStringList m_rows;
    int m_itemIndex = -1;
    quint8 m_targetColumn = 0;
};

} // namespace sorvane
