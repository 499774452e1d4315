#include "settings.h"

#include "failure.h"
#include "windowrules.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace sorvane {
namespace {

// One key: where it stands, the text written for it, and how a read value is applied.
struct Setting
{
    QString section;
    QString key;
    QString (*written)(const OptionSet &options);
    void (*apply)(OptionSet &options, const QString &value, const QString &applicationFolder);
};

template <OptionList OptionSet::*List>
Setting ListSetting(const QString &section, const QString &key)
{
    return {section, key,
            [](const OptionSet &options) { return QString::number((options.*List).itemIndex()); },
            [](OptionSet &options, const QString &value, const QString &) {
                if (const std::optional<int> index = ParseProfileInteger(value))
                    (options.*List).setItemIndex(*index);
            }};
}

template <bool OptionSet::*Box>
Setting BoxSetting(const QString &key)
{
    return {QStringLiteral("SET4"), key,
            [](const OptionSet &options) { return QString::number(options.*Box ? 1 : 0); },
            [](OptionSet &options, const QString &value, const QString &) {
                if (const std::optional<int> ticked = ParseProfileInteger(value))
                    options.*Box = *ticked != 0;
            }};
}

template <int Field>
Setting RangeSetting()
{
    return {QStringLiteral("SET4"), QStringLiteral("C4_01_%1").arg(Field + 1),
            [](const OptionSet &options) { return QString::number(options.C4_01[Field]); },
            [](OptionSet &options, const QString &value, const QString &) {
                if (const std::optional<int> number = ParseProfileInteger(value))
                    options.C4_01[Field] = std::clamp(*number, 0, OptionSet::RangeFieldMaximum[Field]);
            }};
}

QString FolderText(const QString &value)
{
    QString text = value.left(FolderTextLimit);
    if (text.size() == FolderTextLimit && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

const std::array<Setting, 18> &Settings()
{
    static const std::array<Setting, 18> settings{
        Setting{QStringLiteral("SET"), QStringLiteral("M_LEFT"),
                [](const OptionSet &options) { return QString::number(options.position.x()); },
                [](OptionSet &options, const QString &value, const QString &) {
                    if (const std::optional<int> left = ParseProfileInteger(value))
                        options.position.setX(*left);
                }},
        Setting{QStringLiteral("SET"), QStringLiteral("M_TOP"),
                [](const OptionSet &options) { return QString::number(options.position.y()); },
                [](OptionSet &options, const QString &value, const QString &) {
                    if (const std::optional<int> top = ParseProfileInteger(value))
                        options.position.setY(*top);
                }},
        Setting{QStringLiteral("SET1"), QStringLiteral("C1_03"),
                [](const OptionSet &options) { return options.C1_03; },
                [](OptionSet &options, const QString &value, const QString &applicationFolder) {
                    options.C1_03 = CleanFolderPath(FolderText(value));
                    if (options.C1_03.isEmpty())
                        options.C1_03 = CleanFolderPath(applicationFolder);
                }},
        ListSetting<&OptionSet::C1_02>(QStringLiteral("SET1"), QStringLiteral("C1_02")),
        ListSetting<&OptionSet::C2_00>(QStringLiteral("SET2"), QStringLiteral("C2_00")),
        ListSetting<&OptionSet::C3_01>(QStringLiteral("SET3"), QStringLiteral("C3_01")),
        ListSetting<&OptionSet::C3_02>(QStringLiteral("SET3"), QStringLiteral("C3_02")),
        ListSetting<&OptionSet::C3_03>(QStringLiteral("SET3"), QStringLiteral("C3_03")),
        ListSetting<&OptionSet::C3_04>(QStringLiteral("SET3"), QStringLiteral("C3_04")),
        ListSetting<&OptionSet::C3_05>(QStringLiteral("SET3"), QStringLiteral("C3_05")),
        BoxSetting<&OptionSet::C4_C1>(QStringLiteral("C4_C1")),
        BoxSetting<&OptionSet::C4_C5>(QStringLiteral("C4_C5")),
        RangeSetting<0>(),
        RangeSetting<1>(),
        RangeSetting<2>(),
        RangeSetting<3>(),
        RangeSetting<4>(),
        RangeSetting<5>(),
    };
    return settings;
}

qint64 Gap(int startA, int endA, int startB, int endB)
{
    return std::max<qint64>({0, qint64(startB) - endA, qint64(startA) - endB});
}

// Squared distance between two rectangles; 0 when they touch or overlap.
qint64 Distance(const QRect &a, const QRect &b)
{
    const qint64 dx = Gap(a.left(), a.right(), b.left(), b.right());
    const qint64 dy = Gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

} // namespace

void LoadSettings(const IniFile &file, OptionSet &options, const QString &applicationFolder)
{
    // A missing key reads as the option's current value.
    for (const Setting &setting : Settings()) {
        const QString value = file.value(setting.section, setting.key).value_or(setting.written(options));
        setting.apply(options, value, applicationFolder);
    }
}

void LoadSettingsFile(const QString &path, OptionSet &options, const QString &applicationFolder)
{
    LoadSettings(IniFile::load(path).value_or(IniFile()), options, applicationFolder);
}

void SaveSettings(IniFile &file, const OptionSet &options)
{
    for (const Setting &setting : Settings())
        file.setValue(setting.section, setting.key, setting.written(options));
}

void SaveSettingsFile(const QString &path, const OptionSet &options)
{
    std::optional<IniFile> file = IniFile::load(path);
    if (file) {
        SaveSettings(*file, options);
        if (file->save(path))
            return;
    }
    throw Failure(QStringLiteral("%1 に書き込めません").arg(QFileInfo(path).absoluteFilePath()));
}

bool ApplySetting(OptionSet &options, const QString &key, const QString &value, const QString &applicationFolder)
{
    for (const Setting &setting : Settings()) {
        if (setting.key.compare(key, Qt::CaseInsensitive) == 0) {
            setting.apply(options, UnwrapProfileValue(value), applicationFolder);
            return true;
        }
    }
    return false;
}

QPoint PlaceOnScreens(QPoint stored, QSize window, const QList<QRect> &screenGeometries)
{
    const QRect placed(stored, window.expandedTo(QSize(1, 1)));
    if (screenGeometries.isEmpty()
        || std::any_of(screenGeometries.begin(), screenGeometries.end(),
                       [&](const QRect &screen) { return screen.intersects(placed); }))
        return stored;
    const QRect nearest = *std::min_element(
        screenGeometries.begin(), screenGeometries.end(),
        [&](const QRect &a, const QRect &b) { return Distance(placed, a) < Distance(placed, b); });
    const int left = std::max(nearest.left(), std::min(stored.x(), nearest.left() + nearest.width() - placed.width()));
    const int top = std::max(nearest.top(), std::min(stored.y(), nearest.top() + nearest.height() - placed.height()));
    return {left, top};
}

} // namespace sorvane
