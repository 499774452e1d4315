#include "sourcelist.h"

#include "pathtext.h"

#include <QLocale>

#include <algorithm>
#include <iterator>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// The user's locale; a collator for the C locale sorts by code point, which is
// no order for people, so Japanese stands in for it.
QLocale SortLocale()
{
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::Japanese, QLocale::Japan) : system;
}

// UTF-8 bytes compare in code-point order.
int CompareCodePoints(const QString &a, const QString &b)
{
    return a.toUtf8().compare(b.toUtf8());
}

} // namespace

SourceList::SourceList(QObject *parent) : QAbstractListModel(parent), m_collator(SortLocale())
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int SourceList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant SourceList::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return displayText(index.row());
}

bool SourceList::Less(const Entry &a, const Entry &b)
{
    if (const int order = a.key.compare(b.key))
        return order < 0;
    if (const int order = CompareCodePoints(a.text, b.text))
        return order < 0;
    return a.native < b.native;
}

void SourceList::add(std::vector<fs::path> paths)
{
    if (paths.empty())
        return;
    std::vector<Entry> batch;
    batch.reserve(paths.size());
    for (fs::path &slot : paths) {
        const fs::path path = std::move(slot); // frees each path as its entry is made
        QString text = DisplayPath(path);
        QCollatorSortKey key = m_collator.sortKey(text);
        batch.push_back({path.native(), std::move(text), std::move(key)});
    }
    std::sort(batch.begin(), batch.end(), Less);

    if (m_entries.empty()) {
        beginInsertRows({}, 0, int(batch.size()) - 1);
        m_entries = std::move(batch);
        endInsertRows();
        return;
    }
    beginResetModel();
    std::vector<Entry> merged;
    merged.reserve(m_entries.size() + batch.size());
    std::merge(std::make_move_iterator(m_entries.begin()), std::make_move_iterator(m_entries.end()),
               std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()),
               std::back_inserter(merged), Less);
    m_entries = std::move(merged);
    endResetModel();
}

void SourceList::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

std::vector<fs::path> SourceList::paths() const
{
    std::vector<fs::path> result;
    result.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        result.emplace_back(entry.native);
    return result;
}

} // namespace sorvane
