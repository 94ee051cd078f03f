// SPDX-License-Identifier: GPL-2.0-or-later
// The "Stretch Audio" frame of the Synchronize Audio tab: the rate bar with its step buttons,
// the two frame-rate Applies (bar and typed rate) and the audio stretch readout.
#include <QLineEdit>
#include <QScrollBar>
#include <functional>
#include <optional>

#include "app/edit_report.h"
#include "app/form1.h"
#include "editing/audio_stretch.h"
#include "editing/frame_rate.h"
#include "platform/number_text.h"
#include "platform/qt/control_text.h"

namespace brelvo::app {

namespace {

using platform::qt::SetControlText;

constexpr int kFrameStep = 10000;    // one frame per second, in ten-thousandths
constexpr int kThousandthStep = 10;  // 0.001 frame per second

QScrollBar* RateBar(const Form1& form) {
    return form.Control<QScrollBar>(QStringLiteral("HScroll1"));
}

void StepRateBar(const Form1& form, int step) {
    auto* bar = RateBar(form);
    if (const auto next = editing::SteppedRateBar(bar->value(), step)) bar->setValue(*next);
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Writes the rate, then puts it on the document, the bar and the information tab. Nothing
// when the edit was refused or failed: the document and the labels still describe the file.
// The rate comes from `newVideoRate`, which may refuse it as the edit itself does.
std::optional<editing::FrameRateFields> WriteFrameRate(
    Form1& form, const std::function<std::int64_t()>& newVideoRate) {
    auto& document = form.document();
    editing::FrameRateChange change;
    const bool written = RunMovieEdit(form.dialogs(), document.aviPath, [&] {
        avi::HeaderEdit edit(document.record);
        change = editing::AddFrameRate(edit, newVideoRate());
        document.record = avi::ApplyEdit(NativePath(document.aviPath), std::move(edit)).record;
    });
    if (!written) return std::nullopt;
    RateBar(form)->setValue(0);  // the new rate is the bar's base; runs the stretch readout
    const auto texts = editing::AppliedFrameRateTexts(change.after.rate, change.after.scale);
    SetControlText(form.Control(QStringLiteral("Label6")), FromUtf8(texts.microSecPerFrame));
    SetControlText(form.Control(QStringLiteral("Label3")), FromUtf8(texts.framesPerSec));
    return change.after;
}

// Once the player has been given the movie again: the rate readout.
void ShowWrittenRate(Form1& form, const editing::FrameRateFields& written) {
    SetControlText(
        form.Control(QStringLiteral("Label21")),
        FromUtf8(editing::AppliedFrameRateTexts(written.rate, written.scale).fpsCaption));
}

void ShowRange(Form1& form) {
    const auto& document = form.document();
    SetControlText(form.Control(QStringLiteral("Label11")),
                   QStringLiteral("From: ") + FromUtf8(platform::FormatPlain(document.rangeFrom)) +
                       QStringLiteral(" To: ") + FromUtf8(platform::FormatPlain(document.rangeTo)));
}

}  // namespace

void Form1::Command4_Click() {
    // Apply: the rate now in the file plus the bar, into dwRate and dwMicroSecPerFrame.
    document_.altered = true;
    ReleasePreview();
    const std::int64_t newVideoRate =
        static_cast<std::int64_t>(document_.record.videoRate) + RateBar(*this)->value();
    const auto written = WriteFrameRate(*this, [&] { return newVideoRate; });
    // Only a shown preview gets the movie back; a hidden one holds nothing and plays nothing.
    const bool giveBack = protocol_->PreviewShown();
    auto& player = protocol_->Player();
    if (giveBack) player.SetFileName(document_.aviPath);
    if (written) ShowWrittenRate(*this, *written);
    if (giveBack) {
        player.SetFrameRate(document_.record.framesPerSec);  // selections are frames at this rate
        protocol_->WaitForPlayer();
        player.SetSavedValue(document_.savedPlayerValue);
    }
    ShowRange(*this);
    if (giveBack) player.SetAutoStart(true);
    Combo3_Click();
}

void Form1::Command5_Click() {
    StepRateBar(*this, -kFrameStep);
}

void Form1::Command6_Click() {
    StepRateBar(*this, -kThousandthStep);
}

void Form1::Command7_Click() {
    StepRateBar(*this, kThousandthStep);
}

void Form1::Command8_Click() {
    StepRateBar(*this, kFrameStep);
}

void Form1::Command9_Click() {
    // Enter Desired Frame Rate: ask for a rate and write it.
    document_.altered = true;
    const auto answer =
        dialogs_.InputBox(QStringLiteral("Desired Frame Rate"), QStringLiteral("FPS"),
                          FromUtf8(editing::ProposedRateText(document_.record.videoRate,
                                                             document_.record.videoScale)));
    if (!answer || answer->isEmpty()) return;
    ReleasePreview();
    const auto written =
        WriteFrameRate(*this, [&] { return editing::TypedVideoRate(answer->toStdString()); });
    const bool giveBack = protocol_->PreviewShown();
    if (giveBack) protocol_->Player().SetFileName(document_.aviPath);
    if (written) ShowWrittenRate(*this, *written);
    if (giveBack) {
        protocol_->Player().SetFrameRate(document_.record.framesPerSec);
        protocol_->WaitForPlayer();  // the saved player value is not put back here
    }
    ShowRange(*this);
    HScroll1_Change();
    Combo3_Click();
}

void Form1::Command10_Click() {
    // Reset: back to the rate now in the file.
    RateBar(*this)->setValue(0);
}

void Form1::HScroll1_Change() {
    const auto& record = document_.record;
    const auto readout = editing::StretchCalculation(
        record.framesPerSec, record.videoRate, RateBar(*this)->value(), record.totalFrames,
        Control<QLineEdit>(QStringLiteral("Text1"))->text().toStdString(),
        Control<QLineEdit>(QStringLiteral("Text11"))->text().toStdString());
    if (readout.fpsCaption)
        SetControlText(Control(QStringLiteral("Label21")), FromUtf8(*readout.fpsCaption));
    if (readout.stretch)
        SetControlText(Control(QStringLiteral("Text12")), FromUtf8(*readout.stretch));
}

void Form1::Text1_Change() {
    HScroll1_Change();
}

void Form1::Text11_Change() {
    HScroll1_Change();
}

}  // namespace brelvo::app
