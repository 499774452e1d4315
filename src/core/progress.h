#pragma once

#include <QString>

#include <filesystem>

namespace sorvane {

// The progress window's texts as plain functions.

// Size in bytes of a file that can be opened for reading; -1 otherwise
// (missing, unreadable, a folder).
qint64 FileSizeOf(const std::filesystem::path &file);
// "5300KB -> 1234KB": both sizes divided by 1000, cut toward zero (-1 shows as 0).
QString SizesLine(qint64 sourceSize, qint64 outputSize);
// The bar's text: position * 100 / (maximum - minimum), rounded half to even, then " %".
QString PercentText(int position, int minimum, int maximum);
// "a.wav -> a.mp3": the name parts of the source and output paths.
QString NamesLine(const std::filesystem::path &source, const std::filesystem::path &output);

} // namespace sorvane
