// SPDX-License-Identifier: GPL-2.0-or-later
// The audio tools of the Utilities tab: extracting the sound track and writing it back.
#include <QCheckBox>
#include <QLineEdit>
#include <optional>

#include "app/audio_tool_messages.h"
#include "app/audio_tool_progress.h"
#include "app/form1.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "platform/number_text.h"
#include "platform/path_text.h"
#include "platform/qt/file_list.h"
#include "platform/qt/tab_control.h"
#include "platform/random_access_file.h"

namespace brelvo::app {
namespace {

namespace qt = platform::qt;

// The name check both tools make first; a refused name gives the tabs back at once.
bool AcceptWavName(Form1& form, const QString& name) {
    if (audio::IsWavFileName(name.toStdString())) return true;
    form.dialogs().MessageBox(WavNameMessage());
    form.SSTab1()->setEnabled(true);
    return false;
}

// The folder of the file list, a separator unless it ends in one (a root does), the name as
// typed.
std::string ChosenWavPath(const Form1& form, const QString& name) {
    const QString folder = form.Control<qt::FileList>(QStringLiteral("File1"))->Path();
    return platform::JoinFolderAndName(NativePath(folder), NativePath(name));
}

// The sound stream that decoding found, with its format chunk.
audio::AudioTrack SoundTrack(const Form1& form) {
    const auto movie =
        platform::OpenFile(NativePath(form.document().aviPath), platform::OpenMode::Read);
    return audio::AudioTrackFromRecord(*movie, form.document().record);
}

// "Jink Audio" ticked: the leading number of Text14, in seconds.
std::optional<double> JinkSeconds(const Form1& form) {
    if (!form.Control<QCheckBox>(QStringLiteral("Check1"))->isChecked()) return std::nullopt;
    return platform::ReadLeadingNumber(
        form.Control<QLineEdit>(QStringLiteral("Text14"))->text().toStdString());
}

// What became of the sound track: the failure says whether the copy had begun to change it.
QString ReintegrationFailureNote(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const audio::ReintegrationFailed& e) {
        if (e.MayBePartlyRewritten()) return PartlyRewrittenNote(e.BytesChanged());
    } catch (const std::exception&) {
        // Refused or failed before the copy began (another movie under the name among them).
    }
    return NothingWrittenNote();
}

}  // namespace

void Form1::Command12_Click() {
    sstab1_->setEnabled(false);  // no page takes input while the extraction runs
    const QString name = Control<QLineEdit>(QStringLiteral("Text13"))->text();
    if (!AcceptWavName(*this, name)) return;
    ReleasePreview(/*withHalt=*/false);
    const std::string moviePath = NativePath(document_.aviPath);
    const std::string wavPath = ChosenWavPath(*this, name);
    std::optional<QString> failure;
    try {
        // Closing the window while the events run stops the extraction: the program ends, and
        // the temporary file must not outlive it.
        CaptionProgress progress(*this, CaptionProgress::Tool::Extraction, [this] {
            PumpEvents();
            if (state_ == State::Closing || state_ == State::Ended)
                throw audio::OperationCancelled();
        });
        audio::ExtractAudio(moviePath, SoundTrack(*this), wavPath, &progress);
        setWindowTitle(QStringLiteral("100%"));
        PumpEvents();
    } catch (const audio::OperationCancelled&) {
        return;  // the close sequence has already let the player and the window go
    } catch (const std::exception&) {
        failure =
            AudioToolFailure(std::current_exception(), moviePath, wavPath, NoWavWrittenNote());
    }
    RestorePreview([this] { sstab1_->setEnabled(true); });
    setWindowTitle(qt::ProgramTitle());
    if (failure) dialogs_.MessageBox(*failure);
}

void Form1::Command13_Click() {
    sstab1_->setEnabled(false);  // no page takes input while the sound track is rewritten
    const QString name = Control<QLineEdit>(QStringLiteral("Text13"))->text();
    if (!AcceptWavName(*this, name)) return;
    const std::string moviePath = NativePath(document_.aviPath);
    const std::string wavPath = ChosenWavPath(*this, name);
    ReleasePreview(/*withHalt=*/true, /*withFirstWait=*/false);
    std::optional<QString> failure;
    try {
        CaptionProgress progress(*this, CaptionProgress::Tool::Reintegration,
                                 [this] { PumpEvents(); });
        audio::ReintegrationOptions options;
        options.jinkSeconds = JinkSeconds(*this);
        audio::RunReintegration(
            moviePath, document_.record, std::nullopt, wavPath, options,
            [this](const std::string& question) {
                return dialogs_.AskYesNo(WriteAnywayQuestion(question), qt::ProgramTitle());
            },
            &progress);
    } catch (const std::exception&) {
        const auto thrown = std::current_exception();
        failure = AudioToolFailure(thrown, moviePath, wavPath, ReintegrationFailureNote(thrown));
    }
    RestorePreview([this] { sstab1_->setEnabled(true); });
    setWindowTitle(qt::ProgramTitle());
    if (failure) dialogs_.MessageBox(*failure);
}

}  // namespace brelvo::app
