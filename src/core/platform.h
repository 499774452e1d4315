#pragma once

#include <filesystem>
#include <system_error>

namespace sorvane {

// Moves `from` to `to` only when nothing lies at `to`: an existing name is
// never replaced, even when it appears at the last moment. Fails with
// std::errc::file_exists when `to` is taken.
void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error);

} // namespace sorvane
