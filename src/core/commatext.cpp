#include "commatext.h"

namespace sorvane {
namespace {

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

class CommaTextReader
{
public:
    explicit CommaTextReader(const QString &row) : m_row(row) {}

    QStringList columns()
    {
        QStringList result;
        skipBlanks();
        if (atEnd())
            return result;
        for (;;) {
            result.append(readColumn());
            skipBlanks();
            if (atEnd())
                break;
            if (current() == u',') {
                if (m_pos == m_row.size() - 1) {
                    result.append(QString());
                    break;
                }
                ++m_pos;
                skipBlanks();
                if (atEnd())
                    break;
            }
        }
        return result;
    }

private:
    bool atEnd() const { return m_pos >= m_row.size(); }
    QChar current() const { return m_row.at(m_pos); }

    void skipBlanks()
    {
        while (!atEnd() && IsBlank(current()))
            ++m_pos;
    }

    QString readColumn()
    {
        if (!atEnd() && current() == u'"')
            return readQuotedColumn();
        const qsizetype start = m_pos;
        while (!atEnd() && current() != u',' && !IsBlank(current()))
            ++m_pos;
        return m_row.mid(start, m_pos - start);
    }

    QString readQuotedColumn()
    {
        QString column;
        ++m_pos; // opening quote
        while (!atEnd()) {
            const QChar c = current();
            ++m_pos;
            if (c != u'"') {
                column.append(c);
            } else if (!atEnd() && current() == u'"') {
                column.append(u'"');
                ++m_pos;
            } else {
                break; // closing quote
            }
        }
        return column;
    }

    const QString &m_row;
    qsizetype m_pos = 0;
};

} // namespace

QStringList SplitCommaText(const QString &row)
{
    return CommaTextReader(row).columns();
}

} // namespace sorvane
