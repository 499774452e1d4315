// sorvane-batch: the converter's batch run without a window, for scripts and tests.

#include "appfiles.h"
#include "arguments.h"
#include "batchrun.h"
#include "converter.h"
#include "failure.h"
#include "inifile.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathtext.h"
#include "platform.h"
#include "presets.h"
#include "settings.h"
#include "sourceintake.h"
#include "sourcelist.h"

#include <QCoreApplication>

#include <cstdio>
#include <iterator>

using namespace sorvane;

namespace {

enum ExitStatus { AllConverted = 0, SomeFailed = 1, UsageError = 2, Interrupted = 130 };

void Print(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int Usage(const QString &error)
{
    Print(stderr, ("sorvane-batch: " + error + "\n\n" + BatchUsage()).toUtf8());
    return UsageError;
}

// The options as the window would hold them after its first activation, then
// the preset and the single keys of the command line, in that order.
bool PrepareOptions(const BatchArguments &arguments, const AppFiles &files, OptionSet &options, QString &error)
{
    std::optional<PresetFile> presets;
    try {
        presets.emplace(PathFromQt(files.presetFile));
        presets->fillPresetList(options.C2_00);
    } catch (const Failure &failure) {
        if (!arguments.preset.isEmpty()) {
            error = ErrorBoxText(failure.message());
            return false;
        }
    }
    // A settings file that is there but cannot be read (a folder, no access):
    // an error when named on the command line, otherwise the defaults with a word.
    const bool named = !arguments.settingsFile.isEmpty();
    const QString settingsFile = named ? arguments.settingsFile : files.settingsFile;
    const std::optional<IniFile> settings = IniFile::load(settingsFile);
    if (!settings && named) {
        error = QStringLiteral("cannot read the settings file %1").arg(settingsFile);
        return false;
    }
    if (!settings)
        Print(stderr, QStringLiteral("sorvane-batch: cannot read the settings file %1; using the defaults\n")
                          .arg(settingsFile).toUtf8());
    LoadSettings(settings.value_or(IniFile()), options, files.applicationFolder);
    if (!arguments.preset.isEmpty() && !ChoosePreset(options, arguments.preset)) {
        error = QStringLiteral("no preset is called \"%1\"").arg(arguments.preset);
        return false;
    }
    for (const auto &[key, value] : arguments.settings) {
        if (!ApplySetting(options, key, value, files.applicationFolder)) {
            error = QStringLiteral("unknown settings key %1").arg(key);
            return false;
        }
    }
    return true;
}

struct Sources
{
    std::vector<std::filesystem::path> paths; // sorted as the window sorts them
    bool incomplete = false;                  // a path named on the command line gave no file
};

// Each path as a drop takes it, in one sorted list. A path that gives no
// file, and a folder that could not be searched, are named on standard
// error; the first also makes the exit status 1, so a script's typo does not
// pass unnoticed.
Sources TakeSources(const std::vector<std::filesystem::path> &paths)
{
    Sources sources;
    std::vector<std::filesystem::path> found;
    for (const std::filesystem::path &path : paths) {
        std::vector<UnreadableFolder> unreadable;
        std::vector<std::filesystem::path> files = TakeSourcePath(path, &unreadable);
        for (const UnreadableFolder &folder : unreadable)
            Print(stderr, "sorvane-batch: cannot search " + PathBytes(folder.folder) + ": "
                              + QByteArray::fromStdString(folder.error.message()) + '\n');
        if (files.empty())
            Print(stderr, "sorvane-batch: no file to convert at " + PathBytes(path) + '\n');
        sources.incomplete = sources.incomplete || files.empty();
        found.insert(found.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    }
    SourceList list;
    list.add(std::move(found));
    sources.paths = list.paths();
    return sources;
}

int DryRun(const OptionSet &options, const std::vector<std::filesystem::path> &sources)
{
    for (const PlannedConversion &plan : PlanBatch(options, sources)) {
        if (plan.refusal.isEmpty())
            Print(stdout, plan.commandLine.text() + '\n');
        else
            Print(stderr, PathBytes(plan.source) + '\t' + plan.refusal.toUtf8() + '\n');
    }
    return AllConverted;
}

int Convert(const OptionSet &options, const std::vector<std::filesystem::path> &sources)
{
    BatchRun run(options, sources);
    bool interrupted = false;
    OnTerminationRequest([&] {
        interrupted = true;
        run.cancel();
    });
    QObject::connect(&run, &BatchRun::sourceEnded, [](int, const ConversionResult &result) {
        const QByteArray source = PathBytes(result.source);
        if (result.outcome == ConversionOutcome::Converted)
            Print(stdout, "OK\t" + source + '\t' + PathBytes(result.output) + '\n');
        else
            Print(stdout, "FAILED\t" + source + '\t' + result.reason.toUtf8() + '\n');
        std::fflush(stdout);
    });
    int status = AllConverted;
    QObject::connect(&run, &BatchRun::finished, [&](const BatchReport &report) {
        if (report.converterMissing)
            Print(stderr, ConverterNotFoundMessage().toUtf8() + '\n');
        if (!report.generalError.isEmpty())
            Print(stderr, report.generalError.toUtf8() + '\n');
        Print(stdout, QByteArray::number(report.converted) + " converted, "
                          + QByteArray::number(report.failed + report.stopped) + " failed\n");
        const bool anyFailed = report.failed + report.stopped > 0 || report.converterMissing
            || !report.generalError.isEmpty();
        status = interrupted ? Interrupted : anyFailed ? SomeFailed : AllConverted;
        QCoreApplication::exit();
    });
    run.start();
    QCoreApplication::exec();
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    OpenMissingStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sorvane-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SORVANE_VERSION));

    const BatchArguments arguments = ParseBatchArguments(argc, argv);
    if (arguments.help) {
        Print(stdout, BatchUsage().toUtf8());
        return AllConverted;
    }
    if (arguments.version) {
        Print(stdout, "sorvane-batch " SORVANE_VERSION "\n");
        return AllConverted;
    }
    if (!arguments.error.isEmpty())
        return Usage(arguments.error);

    OptionSet options;
    QString error;
    const AppFiles files = LocateAppFiles(arguments.dryRun ? UserFolder::LeaveAlone : UserFolder::Prepare);
    if (!PrepareOptions(arguments, files, options, error))
        return Usage(error);

    const Sources sources = TakeSources(arguments.paths);
    const int status = arguments.dryRun ? DryRun(options, sources.paths) : Convert(options, sources.paths);
    return status == AllConverted && sources.incomplete ? SomeFailed : status;
}
