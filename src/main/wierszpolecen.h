#pragma once

#include <QStringList>

#include <optional>

// The station's command line: --help and --version only, besides the
// options Qt itself takes (-platform, -display, ...).
namespace WierszPolecen
{

// Before any window system is touched: answers --help and --version on
// stdout and gives the exit code; nullopt when the station should start.
std::optional<int> przedStartem(int argc, char **argv);

// The arguments Qt left over: any is a mistake, told on stderr with the
// exit code; nullopt when there is none.
std::optional<int> poStarcie(const QStringList &argumentyBezProgramu);

} // namespace WierszPolecen
