#pragma once

#include <filesystem>

class QProcess;
#include <functional>
#include <system_error>

namespace sorvane {

// Moves `from` to `to` only when nothing lies at `to`: an existing name is
// never replaced, even when it appears at the last moment. Fails with
// std::errc::file_exists when `to` is taken.
void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error);

// Opens the null device on any of standard input, output and error that the
// process was started without, before anything else takes those numbers: a
// file or socket opened later would otherwise receive what is printed.
void OpenMissingStandardStreams();

// Makes the child end when this program ends, even when it is killed, so no
// converter runs on unseen and no half-written file stays behind.
void EndWithThisProgram(QProcess &process);

// Calls `handler` from the event loop each time the process is asked to end
// (SIGINT, SIGTERM, or SIGHUP when its terminal goes away), instead of ending
// at once. Needs a QCoreApplication.
void OnTerminationRequest(std::function<void()> handler);

} // namespace sorvane
