// SPDX-License-Identifier: GPL-2.0-or-later
// The Windows-1252 codec and the path texts.
#include <gtest/gtest.h>

#include "platform/ansi_codec.h"
#include "platform/path_text.h"

namespace brelvo::platform {
namespace {

TEST(AnsiCodec, RoundTripsEveryDefinedByteAndMarksTheRest) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8("\x80 caf\xE9"), "\u20AC caf\u00E9");
    EXPECT_EQ(Utf8ToAnsi("\u4E2D!"), "?!");  // not in the code page
    EXPECT_EQ(Utf8ToAnsi("a\xFF"
                         "b"),
              "a?b");  // malformed UTF-8
    EXPECT_EQ(Utf8Length("caf\u00E9"), 4u);
}

TEST(PathText, JoinsWithOneSeparatorAndComparesEndings) {
#ifndef _WIN32
    EXPECT_EQ(JoinFolderAndName("/", "a.wav"), "/a.wav");
    EXPECT_EQ(JoinFolderAndName("/tmp/", "a.wav"), "/tmp/a.wav");
#else
    EXPECT_EQ(JoinFolderAndName("C:\\", "a.wav"), "C:\\a.wav");
#endif
    EXPECT_TRUE(EndsWithUpper("movie.Avi", ".AVI"));
    EXPECT_FALSE(EndsWithUpper("\"movie.avi\"", ".AVI"));
    EXPECT_FALSE(EndsWithUpper("avi", ".AVI"));
}

}  // namespace
}  // namespace brelvo::platform
