// Running an edit over many files.
#include "cli/edit_files.h"

#include "avi/decode_headers.h"
#include "avi/field_patch.h"
#include "avi/scan_chunks.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

void ReportFailure(CommandIo io, const std::string& path, const std::string& reason) {
    io.err << "brelvo-cli: " << path << ": " << reason << '\n';
}

}  // namespace

int EditEachFile(const std::vector<std::string>& files, editing::WriteMode mode, CommandIo io,
                 const FileEdit& edit) {
    int status = kExitOk;
    for (const auto& path : files) {
        try {
            const LoadedMovie movie = LoadMovie(path);
            const auto file = platform::OpenFile(path, mode == editing::WriteMode::Write
                                                           ? platform::OpenMode::ReadWrite
                                                           : platform::OpenMode::Read);
            edit(movie, *file, io);
        } catch (const MovieLoadError& e) {
            io.err << e.what() << '\n';
            status = kExitFailure;
        } catch (const avi::PatchRefused& e) {
            ReportFailure(io, path, std::string(e.what()) + "; nothing was written");
            status = kExitFailure;
        } catch (const platform::IoError& e) {
            ReportFailure(
                io, path,
                "cannot " + std::string(platform::FileOpVerb(e.Op())) + " the file: " + e.Reason());
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

std::string_view DryRunNote(editing::WriteMode mode) {
    return mode == editing::WriteMode::DryRun ? " (dry run, nothing written)" : "";
}

}  // namespace brelvo::cli
