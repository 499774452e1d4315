#include "outputpath.h"

#include "atomicfile.h"
#include "failure.h"
#include "optionset.h"
#include "pathtext.h"

#include <set>

namespace sorvane {
namespace {

std::string_view View(const QByteArray &bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

std::filesystem::path NativePath(std::string_view bytes)
{
    return PathFromBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::string WithNewNamePrefix(std::string_view path, PathRule rule)
{
    std::string result(FolderPart(path, rule));
    result += NewNamePrefix;
    result += NamePart(path, rule);
    return result;
}

bool IsSamePath(const std::filesystem::path &a, const std::filesystem::path &b)
{
    std::error_code error;
    return a.lexically_normal() == b.lexically_normal() || std::filesystem::equivalent(a, b, error);
}

} // namespace

std::string ResolveOutputPath(std::string_view source, int mode, std::string_view folderText,
                              const std::optional<std::string> &extension, PathRule rule,
                              const std::function<bool(std::string_view)> &isFile)
{
    const std::string_view name = NamePart(source, rule);
    const std::string outputName = extension ? ChangeExtension(name, *extension, rule) : std::string(name);
    std::string output;
    if (mode == 2) {
        output = folderText;
        if (output.empty() || output.back() != FolderSeparator(rule))
            output += FolderSeparator(rule);
    } else {
        output = FolderPart(source, rule);
    }
    output += outputName;
    if (mode != 1 && isFile(output))
        return WithNewNamePrefix(output, rule);
    return output;
}

bool IsRegularFile(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<std::string> OutputExtension(const OptionSet &options)
{
    if (EffectiveRow(options.C3_01) == 0)
        return std::nullopt;
    return '.' + AsciiLower(options.C3_01.selectedColumn(0)).toStdString();
}

std::filesystem::path ResolveOutputPath(const OptionSet &options, const std::filesystem::path &source,
                                        const FileTest &isFile)
{
    const QByteArray sourceBytes = PathBytes(source);
    const QByteArray folderBytes = PathBytes(PathFromQt(options.C1_03));
    return NativePath(ResolveOutputPath(View(sourceBytes), options.destinationMode(), View(folderBytes),
                                        OutputExtension(options), NativePathRule,
                                        [&](std::string_view path) { return isFile(NativePath(path)); }));
}

void PrepareDestinationFolder(const OptionSet &options)
{
    if (options.destinationMode() != 2)
        return;
    if (options.C1_03.isEmpty())
        throw Failure(QStringLiteral("保存先のフォルダが指定されていません"));
    std::error_code ignored; // a folder that cannot be made shows up as each conversion's failure
    std::filesystem::create_directories(PathFromQt(options.C1_03), ignored);
}

OutputDecision DecideOutput(const OptionSet &options, const std::filesystem::path &source, const FileTest &isFile)
{
    OutputDecision decision{ResolveOutputPath(options, source, isFile), {}};
    if (IsSamePath(decision.output, source))
        decision.refusal = OutputIsSourceReason;
    else if (options.destinationMode() != 1 && isFile(decision.output))
        decision.refusal = OutputNameTakenReason;
    else if (options.destinationMode() == 1 && IsWriteProtected(QtPath(decision.output)))
        decision.refusal = OutputWriteProtectedReason;
    return decision;
}

std::vector<PlannedConversion> PlanBatch(const OptionSet &options, const std::vector<std::filesystem::path> &sources)
{
    std::set<std::filesystem::path> planned;
    const FileTest isFile = [&](const std::filesystem::path &path) {
        return planned.contains(path) || IsRegularFile(path);
    };
    std::vector<PlannedConversion> plan;
    for (const std::filesystem::path &source : sources) {
        const OutputDecision decision = DecideOutput(options, source, isFile);
        if (decision.refusal.isEmpty())
            planned.insert(decision.output);
        plan.push_back({source, decision.output, decision.refusal, BuildCommandLine(options, source, decision.output)});
    }
    return plan;
}

} // namespace sorvane
