// SPDX-License-Identifier: GPL-2.0-or-later
// Message texts of the audio tools.
#include "app/audio_tool_messages.h"

#include <QFile>

#include "audio/audio_error.h"
#include "audio/audio_progress.h"
#include "platform/io_error.h"

namespace brelvo::app {
namespace {

QString FromSystemPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

QString WavNameMessage() {
    return QString::fromUtf8(audio::kWavNameMessage.data(),
                             static_cast<qsizetype>(audio::kWavNameMessage.size()));
}

QString AudioToolFailure(std::exception_ptr failure, const std::string& moviePath,
                         const std::string& wavPath, const QString& consequence) {
    try {
        std::rethrow_exception(failure);
    } catch (const audio::AudioError& e) {
        const std::string& path = e.Path().empty() ? moviePath : e.Path();
        return QString::fromStdString(e.what()) + QLatin1Char(' ') + consequence +
               QStringLiteral("\n\n") + FromSystemPath(path);
    } catch (const platform::IoError& e) {
        const std::string& path = e.Path() == moviePath ? moviePath : wavPath;
        return QStringLiteral("Cannot %1 %2: %3. ")
                   .arg(QString::fromUtf8(platform::FileOpVerb(e.Op())), FromSystemPath(path),
                        QString::fromLocal8Bit(e.Reason())) +
               consequence;
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what()) + QLatin1Char(' ') + consequence;
    }
}

QString NoWavWrittenNote() {
    return QStringLiteral("No WAV file was written.");
}

QString NothingWrittenNote() {
    return QStringLiteral("Nothing was written into the movie.");
}

QString PartlyRewrittenNote(std::int64_t bytesChanged) {
    if (bytesChanged == 0)
        return QStringLiteral("The movie's sound track may be partly rewritten.");
    return QStringLiteral(
               "The movie's sound track is partly rewritten: %1 bytes were changed "
               "before the failure.")
        .arg(bytesChanged);
}

QString WriteAnywayQuestion(const std::string& mismatch) {
    return QString::fromStdString(mismatch) + QStringLiteral("\n\nWrite it into the movie anyway?");
}

}  // namespace brelvo::app
