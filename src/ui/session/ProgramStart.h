#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace teran {

class Session;

// How the program was asked to start, from its command line.
struct StartOptions {
    QString configFile;
    QString dataPath;       // overrides the configured data folder
    QString screenshotFile; // save a picture of the frame window once it shows
    bool exitAfterScreenshot = false;
};

// Opens the stores of the configured data folder, asks whether the internet answers and shows
// the frame window. Returns the window, or nullptr when the program has to end.
std::unique_ptr<QWidget> startProgram(Session& session, const StartOptions& options);

// The message shown when the data folder holds no office database.
QString missingDataFolderText(const QString& folder);

} // namespace teran
