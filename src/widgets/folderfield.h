#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace sorvane {

// A folder path field with a browse button that opens the folder picker at the
// field's current path.
class FolderField : public QWidget
{
    Q_OBJECT
public:
    explicit FolderField(QWidget *parent = nullptr);

    QString getPath() const;
    // Raises changed() only when the text really changes.
    void setPath(const QString &path);
    QLineEdit *edit() const { return m_edit; }

Q_SIGNALS:
    // Any change of the text: typing, the picker or the program.
    void changed();

private:
    void browse();

    QLineEdit *m_edit;
    QToolButton *m_browse;
};

} // namespace sorvane
