#pragma once
#include <QString>
#include <string>

namespace orvanta::app {

// Renders every page and dialog in every shipped language to DIR/<language>/<class>.png.
// Returns the number of files written, or -1 when the folder cannot be made.
int WriteScreenshots(const QString& folder, const std::string& executablePath);

}  // namespace orvanta::app
