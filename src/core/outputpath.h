#pragma once

#include "commandline.h"
#include "pathparts.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class OptionSet;

// Put in front of an output name that is taken: "変換 ～ " in UTF-8.
inline constexpr std::string_view NewNamePrefix = "\xE5\xA4\x89\xE6\x8F\x9B \xEF\xBD\x9E ";

// Why a source is not converted at all.
inline const QString OutputIsSourceReason =
    QStringLiteral("出力先が変換元のファイルそのものになるため、変換しませんでした");
inline const QString OutputNameTakenReason = QStringLiteral("出力先の名前が既に使われています");
inline const QString OutputWriteProtectedReason = QStringLiteral("上書きする出力先のファイルが書き込み禁止になっています");

// Where one source's output goes, on path bytes under `rule`. `mode` is the
// destination mode (0 beside the source with a new name when taken, 1 beside
// the source overwriting, 2 into `folderText` with a new name when taken);
// `extension` replaces the source's own, std::nullopt keeps the source's.
// `isFile` says whether a regular file lies at a path;
// a folder of the output's name does not count. The new-name prefix is put
// on once, whether or not the prefixed name is free.
std::string ResolveOutputPath(std::string_view source, int mode, std::string_view folderText,
                              const std::optional<std::string> &extension, PathRule rule,
                              const std::function<bool(std::string_view)> &isFile);

using FileTest = std::function<bool(const std::filesystem::path &)>;

// Whether a regular file (or a link to one) lies at the path; never throws.
bool IsRegularFile(const std::filesystem::path &path);

// The output extension the format list asks for: ".mp3" from "MP3,...";
// std::nullopt when the list keeps the source's (its row 0, or no row chosen).
std::optional<std::string> OutputExtension(const OptionSet &options);

// The same on the options and the platform's paths.
std::filesystem::path ResolveOutputPath(const OptionSet &options, const std::filesystem::path &source,
                                        const FileTest &isFile = IsRegularFile);

// Once per run, before the first source: in mode 2 creates the destination
// folder with every missing folder above it. Throws Failure when mode 2 has
// no folder text.
void PrepareDestinationFolder(const OptionSet &options);

// Where a source goes, or why it is not converted (refusal not empty).
struct OutputDecision
{
    std::filesystem::path output;
    QString refusal;
};

// Resolves the output and refuses a source that would be its own output, in
// modes 0 and 2 one whose prefixed name is taken as well, and in mode 1 one
// whose output is a file the user has write-protected.
OutputDecision DecideOutput(const OptionSet &options, const std::filesystem::path &source, const FileTest &isFile);

struct PlannedConversion
{
    std::filesystem::path source;
    std::filesystem::path output;
    QString refusal;
    CommandLine commandLine;
};

// What a run would do with `sources` in order if every conversion succeeded:
// an output planned for an earlier source counts as an existing file.
std::vector<PlannedConversion> PlanBatch(const OptionSet &options, const std::vector<std::filesystem::path> &sources);

} // namespace sorvane
