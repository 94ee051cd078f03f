// SPDX-License-Identifier: GPL-2.0-or-later
// The movie's path from the program's command line, taken whole.
#pragma once

#include <QString>
#include <QStringList>

namespace brelvo::app {

// POSIX: the arguments after the program name joined by single blanks, so that an unquoted
// path with blanks typed in a shell still names the file, and one argument is taken as it is.
QString JoinArguments(const QStringList& argumentsAfterProgram);
// Windows: the raw command line after the program name (quoted or not) and the blanks that
// follow it, otherwise unchanged: quotes around the path stay.
QString RawCommandLineTail(const QString& rawCommandLine);
// The command line of this process in the platform's way.
QString ProgramCommandLine(const QStringList& arguments);

}  // namespace brelvo::app
