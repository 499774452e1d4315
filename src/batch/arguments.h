#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <filesystem>
#include <utility>
#include <vector>

// The headless front end's command line:
//   sorvane-batch [--settings FILE] [--preset NAME] [--set KEY=VALUE]... [--dry-run] [--] PATH...
struct BatchArguments
{
    QString settingsFile;                       // empty: the application folder's settings file
    QString preset;                             // empty: none
    QList<std::pair<QString, QString>> settings; // --set KEY=VALUE, in order
    bool dryRun = false;
    bool help = false;
    bool version = false;
    std::vector<std::filesystem::path> paths;   // as bytes, exactly as given
    QString error;                              // a usage error, or empty
};

BatchArguments ParseBatchArguments(int argc, char **argv);
QString BatchUsage();
