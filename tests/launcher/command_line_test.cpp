// SPDX-License-Identifier: GPL-2.0-or-later
// The launcher's command line and where it finds the main program.
#include "launcher/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "launcher/main_program_location.h"

namespace brelvo::launcher {
namespace {

TEST(CommandLine, PlansOnlyMovieNamesWithThePathAsOneArgument) {
    EXPECT_FALSE(PlanLaunch("brelvo", "/m", "").has_value());  // nothing selected
    EXPECT_FALSE(PlanLaunch("brelvo", "/m", "clip.avi.txt").has_value());
    const auto launch = PlanLaunch("/opt/my tools/brelvo", "/m/My Movies", "clip 1.Avi");
    ASSERT_TRUE(launch.has_value());
    EXPECT_EQ(launch->program, "/opt/my tools/brelvo");
    ASSERT_EQ(launch->arguments.size(), 1u);  // blanks do not split the movie's path
    EXPECT_EQ(launch->arguments[0], MoviePath("/m/My Movies", "clip 1.Avi"));
    // The program's blank cannot run into the movie's path; the movie's path stays bare.
    EXPECT_EQ(launch->commandLine, "\"/opt/my tools/brelvo\" " + launch->arguments[0]);
    EXPECT_EQ(PlanLaunch("/opt/brelvo", "/m", "a.avi")->commandLine,
              "/opt/brelvo " + MoviePath("/m", "a.avi"));
}

TEST(MainProgramLocation, PrefersTheProgramBesideTheLauncher) {
    const auto folder = std::filesystem::temp_directory_path() / "brelvo_location_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    EXPECT_EQ(LocateMainProgram(folder.string()), FixedMainProgramPath());
    const auto beside = folder / MainProgramFileName();
    std::ofstream(beside).put('x');
    EXPECT_EQ(LocateMainProgram(folder.string()), beside.string());
    std::filesystem::remove_all(folder);
#ifdef _WIN32
    EXPECT_EQ(FixedMainProgramPath(), "C:\\Brelvo\\brelvo.exe");
#else
    EXPECT_TRUE(FixedMainProgramPath().ends_with("/bin/brelvo"));
#endif
}

}  // namespace
}  // namespace brelvo::launcher
