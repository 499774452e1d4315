#include "optionlistbox.h"

#include "uifont.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace sorvane {

namespace {

const QColor ListText = Rgb(0x464646);
constexpr int ArrowWidth = 15;

// The list's rows as an item model for the drop-down.
class RowModel : public QAbstractListModel
{
public:
    RowModel(OptionList &list, QObject *parent)
        : QAbstractListModel(parent)
        , m_list(list)
        , m_rowCount(list.rowCount())
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_rowCount; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid())
            return m_list.rowText(index.row());
        return {};
    }

    // Rows are only ever appended.
    void followList()
    {
        if (m_list.rowCount() == m_rowCount)
            return;
        beginResetModel();
        m_rowCount = m_list.rowCount();
        endResetModel();
    }

private:
    OptionList &m_list;
    int m_rowCount;
};

// One row of the drop-down: a cell per layout column, filled with the
// column's background; the highlighted row in the system's highlight colours.
class RowDelegate : public QStyledItemDelegate
{
public:
    RowDelegate(OptionList &list, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_list(list)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        int width = 0;
        for (const ListColumn &column : m_list.columns())
            width += column.width;
        return {width, OptionListBox::RowHeight};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool highlighted = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        const QList<ListColumn> &columns = m_list.columns();
        painter->save();
        painter->setFont(UiFont(11));
        int left = option.rect.left();
        for (int column = 0; column < columns.size(); ++column) {
            const bool last = column == columns.size() - 1;
            const int right = last ? qMax(option.rect.right() + 1, left + columns[column].width)
                                   : left + columns[column].width;
            const QRect cell(left, option.rect.top(), right - left, option.rect.height());
            painter->fillRect(cell, highlighted ? option.palette.color(QPalette::Highlight)
                                                : Rgb(columns[column].background));
            painter->setPen(highlighted ? option.palette.color(QPalette::HighlightedText) : ListText);
            painter->drawText(cell.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              m_list.columnText(index.row(), column));
            left = right;
        }
        painter->restore();
    }

private:
    OptionList &m_list;
};

// Drops the list below the box, as many rows as fit up to the maximum,
// whatever the platform style's own habit is.
class DropBelowStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *ListStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new DropBelowStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

OptionListBox::OptionListBox(OptionList &list, QWidget *parent)
    : QComboBox(parent)
    , m_list(list)
{
    auto *model = new RowModel(list, this);
    setStyle(ListStyle());
    setModel(model);
    setItemDelegate(new RowDelegate(list, this));
    setMaxVisibleItems(MaximumShownRows);
    setFont(UiFont(11));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    view()->setTextElideMode(Qt::ElideNone);
    showList();
    connect(&list, &OptionList::displayChanged, this, [this, model] {
        model->followList();
        showList();
    });
    connect(this, &QComboBox::activated, this, [this](int row) { m_list.choose(row); });
}

void OptionListBox::setBackground(const QColor &colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    update();
}

int OptionListBox::dropDownWidth() const
{
    int width = 0;
    for (const ListColumn &column : m_list.columns())
        width += column.width;
    return width;
}

void OptionListBox::showPopup()
{
    // Every column shows whole, beside the scroll bar when there is one.
    const int scrollBar = count() > maxVisibleItems() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    view()->setMinimumWidth(dropDownWidth() + scrollBar + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

void OptionListBox::showList()
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(m_list.itemIndex());
    update();
}

void OptionListBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), m_background);
    painter.setPen(Rgb(0x7A7A7A));
    painter.drawRect(box);

    const QRect arrow(width() - ArrowWidth - 1, 1, ArrowWidth, height() - 2);
    painter.fillRect(arrow, Rgb(0xE8E8E8));
    painter.setPen(Rgb(0xB0B0B0));
    painter.drawLine(arrow.topLeft(), arrow.bottomLeft());
    const QPoint tip(arrow.center().x() + 1, arrow.center().y() + 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? Rgb(0x464646) : Rgb(0xA0A0A0));
    painter.drawPolygon(QPolygon({tip, tip + QPoint(-4, -4), tip + QPoint(4, -4)}));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect text(2, 2, arrow.left() - 3, height() - 4);
    painter.setPen(isEnabled() ? Rgb(0x464646) : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_list.getSelectedText());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = text.adjusted(-1, -1, 0, 0);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace sorvane
