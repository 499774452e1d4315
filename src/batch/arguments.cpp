#include "arguments.h"

#include "pathtext.h"

#include <QFile>

namespace {

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const QByteArray &argument, const char *name, int &index, int argc, char **argv,
               QString &value, QString &error)
{
    const QByteArray option(name);
    if (argument.startsWith(option + '=')) {
        value = QFile::decodeName(argument.mid(option.size() + 1));
        return true;
    }
    if (argument != option)
        return false;
    if (index + 1 >= argc) {
        error = QStringLiteral("%1 needs a value").arg(QString::fromLatin1(option));
        return true;
    }
    value = QFile::decodeName(QByteArray(argv[++index]));
    return true;
}

} // namespace

BatchArguments ParseBatchArguments(int argc, char **argv)
{
    BatchArguments result;
    bool onlyPaths = false;
    for (int i = 1; i < argc && result.error.isEmpty(); ++i) {
        const QByteArray argument(argv[i]);
        if (onlyPaths || !argument.startsWith("--")) {
            result.paths.push_back(sorvane::PathFromBytes(argument));
            continue;
        }
        QString value;
        if (argument == "--") {
            onlyPaths = true;
        } else if (argument == "--dry-run") {
            result.dryRun = true;
        } else if (argument == "--help") {
            result.help = true;
        } else if (argument == "--version") {
            result.version = true;
        } else if (TakeValue(argument, "--settings", i, argc, argv, value, result.error)) {
            result.settingsFile = value;
        } else if (TakeValue(argument, "--preset", i, argc, argv, value, result.error)) {
            result.preset = value;
        } else if (TakeValue(argument, "--set", i, argc, argv, value, result.error)) {
            const qsizetype equals = value.indexOf(u'=');
            if (equals <= 0 && result.error.isEmpty())
                result.error = QStringLiteral("--set needs KEY=VALUE, got \"%1\"").arg(value);
            else
                result.settings.append({value.left(equals), value.mid(equals + 1)});
        } else {
            result.error = QStringLiteral("unknown option %1").arg(QFile::decodeName(argument));
        }
    }
    if (result.error.isEmpty() && result.paths.empty() && !result.help && !result.version)
        result.error = QStringLiteral("no PATH given");
    return result;
}

QString BatchUsage()
{
    return QStringLiteral(
        "Usage: sorvane-batch [--settings FILE] [--preset NAME] [--set KEY=VALUE]... [--dry-run] [--] PATH...\n"
        "\n"
        "Converts every file named, and every file in every folder named (to any depth),\n"
        "with the converter ffmpeg, using the options of the settings file.\n"
        "\n"
        "  --settings FILE   read the options from FILE instead of the program's settings file\n"
        "  --preset NAME     apply the first preset called NAME (after the settings file)\n"
        "  --set KEY=VALUE   set one settings key, e.g. --set C3_01=13 --set C1_02=2\n"
        "  --dry-run         print each converter command line; convert nothing (the lines\n"
        "                    are for reading: names are not quoted for a shell)\n"
        "  --help            show this text\n"
        "  --version         show the version\n"
        "\n"
        "Prints OK<TAB>source<TAB>output or FAILED<TAB>source<TAB>reason per source.\n"
        "Exit status: 0 all converted, 1 a source failed, a PATH gave no file or the\n"
        "converter is missing, 2 usage error, 130 stopped by a signal.\n");
}
