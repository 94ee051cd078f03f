// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the command line.
#include "app/command_line.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace brelvo::app {

QString JoinArguments(const QStringList& argumentsAfterProgram) {
    return argumentsAfterProgram.join(QChar(u' '));
}

QString RawCommandLineTail(const QString& rawCommandLine) {
    qsizetype at = 0;
    const qsizetype length = rawCommandLine.size();
    if (at < length && rawCommandLine[at] == u'"') {
        const qsizetype close = rawCommandLine.indexOf(u'"', 1);
        at = close < 0 ? length : close + 1;
    } else {
        while (at < length && rawCommandLine[at] != u' ' && rawCommandLine[at] != u'\t') ++at;
    }
    while (at < length && (rawCommandLine[at] == u' ' || rawCommandLine[at] == u'\t')) ++at;
    return rawCommandLine.mid(at);
}

QString ProgramCommandLine(const QStringList& arguments) {
#ifdef _WIN32
    (void)arguments;
    return RawCommandLineTail(QString::fromWCharArray(GetCommandLineW()));
#else
    return JoinArguments(arguments.mid(1));
#endif
}

}  // namespace brelvo::app
