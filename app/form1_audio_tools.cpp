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
#include "audio/wav_check.h"
#include "avi/field_patch.h"
#include "platform/io_error.h"
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
    std::optional<audio::AudioTrack> track;
    audio::WavComparison comparison;
    try {
        // Everything that can refuse runs before the first write: no WAV file, no samples,
        // and a WAV file that does not match, which only the user can let through.
        track = SoundTrack(*this);
        comparison = audio::CompareWavWithMovie(moviePath, *track, wavPath, JinkSeconds(*this));
        const auto question = audio::MismatchQuestion(comparison);
        if (question && !dialogs_.AskYesNo(WriteAnywayQuestion(*question), qt::ProgramTitle())) {
            track.reset();
        }
        // While the question waited, the WAV file may have been saved again.
        if (question) comparison.movieChunks.ForgetSamples();
    } catch (const std::exception&) {
        track.reset();
        failure =
            AudioToolFailure(std::current_exception(), moviePath, wavPath, NothingWrittenNote());
    }
    if (track) {
        try {
            CaptionProgress progress(*this, CaptionProgress::Tool::Reintegration,
                                     [this] { PumpEvents(); });
            audio::ReintegrateAudio(
                moviePath, *track, wavPath,
                {JinkSeconds(*this), {}, &comparison.movieChunks, document_.record.loadedLength},
                &progress);
        } catch (const std::exception&) {
            const auto thrown = std::current_exception();
            failure =
                AudioToolFailure(thrown, moviePath, wavPath, ReintegrationFailureNote(thrown));
        }
    }
    RestorePreview([this] { sstab1_->setEnabled(true); });
    setWindowTitle(qt::ProgramTitle());
    if (failure) dialogs_.MessageBox(*failure);
}

}  // namespace brelvo::app
