// Running an edit over many files.
#include "cli/edit_files.h"

#include "avi/field_patch.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

void ReportFailure(CommandIo io, const std::string& path, const std::string& reason) {
    io.err << "brelvo-cli: " << path << ": " << reason << '\n';
}

// What a write that failed part-way left: the bytes of the edit written before it.
std::string WrittenBefore(const avi::PlanFailed& e) {
    return "; " + (e.BytesWritten() == 0 ? std::string("none") : std::to_string(e.BytesWritten())) +
           " of the edit's bytes had been written before it";
}

}  // namespace

int EditEachFile(const std::vector<std::string>& files, CommandIo io, const FileEdit& edit) {
    int status = kExitOk;
    for (const auto& path : files) {
        try {
            edit(LoadMovie(path), io);
        } catch (const MovieLoadError& e) {
            io.err << e.what() << '\n';
            status = kExitFailure;
        } catch (const avi::PatchRefused& e) {
            ReportFailure(io, path, std::string(e.what()) + "; nothing was written");
            status = kExitFailure;
        } catch (const platform::IoError& e) {
            const auto* partly = dynamic_cast<const avi::PlanFailed*>(&e);
            ReportFailure(io, path,
                          "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                              " the file: " + e.Reason() + (partly ? WrittenBefore(*partly) : ""));
            status = kExitFailure;
        }
    }
    return status;
}

int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message) {
    io.err << "brelvo-cli " << name << ": " << message << "\nUsage: brelvo-cli " << synopsis
           << "\nRun 'brelvo-cli " << name << " --help' for more.\n";
    return kExitUsage;
}

std::string QuotedFileText(std::string_view ansiBytes) {
    const auto end = ansiBytes.find('\0');
    return "\"" + TerminalSafe(platform::AnsiToUtf8(ansiBytes.substr(0, end))) + "\"";
}

std::string_view DryRunNote(avi::WriteMode mode) {
    return mode == avi::WriteMode::DryRun ? " (dry run, nothing written)" : "";
}

avi::WriteMode ModeOf(bool dryRun) {
    return dryRun ? avi::WriteMode::DryRun : avi::WriteMode::Write;
}

}  // namespace brelvo::cli
