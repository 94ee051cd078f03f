// SPDX-License-Identifier: GPL-2.0-or-later
// The lines loading shows about a movie, by stable key: the one table of what each line is
// called and where it stands. The window maps the keys to its controls; the command line
// prints the information tab's lines in the table's order.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace brelvo::avi {

enum class InfoLine {
    Filename,
    Compression,
    Frames,
    FramesPerSec,
    FileSize,
    MicroSecPerFrame,
    PeakBitrate,
    RunningTime,
    Streams,
    Resolution,
    Range,
    Quality,
    ColourDepth,
    AudioDelay,
    WaveType,
    SampleRate,
    BitDepth,
    Channels,
    FrameRateBox,      // the frame rate as typed in the rate box, no caption
    FrameRateCaption,  // the frame-rate tab's large "FPS: ..." line
    AudioLengthBox,    // the audio length in seconds, no caption
};

// Where a line stands: on the information tab (its video or audio frame) or elsewhere.
enum class InfoSection { Video, Audio, Elsewhere };

struct InformationLineEntry {
    InfoLine key;
    std::string_view prefix;   // what loading puts before the value ("Frames Per Sec: ")
    std::string_view initial;  // the caption before any movie is loaded ("Frames Per Second: ")
    InfoSection section;
};

// In the information tab's order.
inline constexpr std::array<InformationLineEntry, 21> kInformationLines = {{
    {InfoLine::Filename, "Filename: ", "Filename: ", InfoSection::Video},
    {InfoLine::Compression, "Compression: ", "Compression:", InfoSection::Video},
    {InfoLine::Frames, "Frames: ", "Frames:", InfoSection::Video},
    {InfoLine::FramesPerSec, "Frames Per Sec: ", "Frames Per Second: ", InfoSection::Video},
    {InfoLine::FileSize, "File Size: ", "File Size:", InfoSection::Video},
    {InfoLine::MicroSecPerFrame,
     "MicroSeconds Per Frame: ", "MicroSeconds Per Frame: ", InfoSection::Video},
    {InfoLine::PeakBitrate, "Peak Bitrate: ", "Peak Bitrate:", InfoSection::Video},
    {InfoLine::RunningTime, "Running Time: ", "Running Time:", InfoSection::Video},
    {InfoLine::Streams, "Streams (i.e. Video,Audio): ", "Streams:", InfoSection::Video},
    {InfoLine::Resolution, "Resolution ", "Resolution:", InfoSection::Video},
    {InfoLine::Range, "From: ", "Start Frame:", InfoSection::Video},
    {InfoLine::Quality, "Quality Level: ", "Quality Level:", InfoSection::Video},
    {InfoLine::ColourDepth, "Colour Depth: ", "Colour Depth:", InfoSection::Video},
    {InfoLine::AudioDelay, "Audio Delay: ", "Audio Delay:", InfoSection::Video},
    {InfoLine::WaveType, "Wave Type: ", "Wave Type: ", InfoSection::Audio},
    {InfoLine::SampleRate, "Samples Rate: ", "Sample Rate: ", InfoSection::Audio},
    {InfoLine::BitDepth, "Bit Depth: ", "Bit Depth: ", InfoSection::Audio},
    {InfoLine::Channels, "Channels: ", "Audio Channels: ", InfoSection::Audio},
    {InfoLine::FrameRateBox, "", "", InfoSection::Elsewhere},
    {InfoLine::FrameRateCaption, "FPS: ", "", InfoSection::Elsewhere},
    {InfoLine::AudioLengthBox, "", "", InfoSection::Elsewhere},
}};

constexpr bool InTableOrder() {
    for (std::size_t i = 0; i < kInformationLines.size(); ++i) {
        if (static_cast<std::size_t>(kInformationLines[i].key) != i) return false;
    }
    return true;
}
static_assert(InTableOrder(), "each line stands at its key's place");

constexpr const InformationLineEntry& InformationLine(InfoLine key) {
    return kInformationLines[static_cast<std::size_t>(key)];
}

}  // namespace brelvo::avi
