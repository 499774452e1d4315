#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QCollatorSortKey>
#include <QString>

#include <filesystem>
#include <vector>

namespace sorvane {

// The source list: paths kept sorted without regard to case in the user's
// locale order (Japanese where the system locale is C), ties broken by code
// point and then by the path's bytes. Equal paths are all kept.
class SourceList : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit SourceList(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    // Qt::DisplayRole: the path as text (DisplayPath).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Sorts the new paths and merges them into the list.
    void add(std::vector<std::filesystem::path> paths);
    void clear();

    int count() const { return int(m_entries.size()); }
    std::filesystem::path path(int row) const { return m_entries.at(size_t(row)).native; }
    const QString &displayText(int row) const { return m_entries.at(size_t(row)).text; }
    std::vector<std::filesystem::path> paths() const;

private:
    // The path is kept as its bare bytes: a std::filesystem::path also holds
    // its parts, several times the memory for a long list.
    struct Entry
    {
        std::filesystem::path::string_type native;
        QString text;
        QCollatorSortKey key;
    };
    static bool Less(const Entry &a, const Entry &b);

    QCollator m_collator;
    std::vector<Entry> m_entries;
};

} // namespace sorvane
