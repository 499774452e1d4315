#include "folderfield.h"

#include "uifont.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace sorvane {

FolderField::FolderField(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_browse(new QToolButton(this))
{
    setFont(UiFont(11));
    QPalette colours = m_edit->palette();
    colours.setColor(QPalette::Text, Rgb(0x464646));
    colours.setColor(QPalette::Base, Qt::white);
    m_edit->setPalette(colours);
    m_edit->setAcceptDrops(false);
    m_edit->setTextMargins(0, 0, 0, 0);
    m_browse->setText(QStringLiteral("…"));
    m_browse->setFocusPolicy(Qt::NoFocus);
    m_browse->setCursor(Qt::ArrowCursor);
    m_browse->setFixedWidth(18);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_browse);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &FolderField::changed);
    connect(m_browse, &QToolButton::clicked, this, &FolderField::browse);
}

QString FolderField::getPath() const
{
    return m_edit->text();
}

void FolderField::setPath(const QString &path)
{
    if (path != m_edit->text())
        m_edit->setText(path);
}

void FolderField::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), getPath());
    if (!chosen.isEmpty())
        setPath(chosen);
}

} // namespace sorvane
