#pragma once

#include "optionlist.h"

#include <QComboBox>

namespace sorvane {

// The view of an OptionList: a closed box showing the selected text on the
// list's background colour, and a drop-down showing each row as cells, one per
// column of the list's layout. A user's choice goes to OptionList::choose();
// the box repaints whenever the list's display changes.
class OptionListBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 13;
    static constexpr int MaximumShownRows = 30;

    OptionListBox(OptionList &list, QWidget *parent = nullptr);

    OptionList &list() const { return m_list; }
    QColor background() const { return m_background; }
    void setBackground(const QColor &colour);
    // The width of the dropped list: the sum of the layout's column widths.
    int dropDownWidth() const;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showList();

    OptionList &m_list;
    QColor m_background = Qt::white;
};

} // namespace sorvane
